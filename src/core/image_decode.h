// Reading and decoding the recorder's memory image into the program state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/app_state.h"

namespace orvale {

class Prompts;

// Byte offsets of the recorder's header.
namespace image_offset {
constexpr int kDrogueSeconds = 4;
constexpr int kDrogueSixteenths = 5;
constexpr int kDroguePressure = 7;
constexpr int kMainSeconds = 8;
constexpr int kMainSixteenths = 9;
constexpr int kMainPressure = 11;
constexpr int kFlags = 12;
constexpr int kLaunchPressure = 13;
constexpr int kLeadPressure = 14;
constexpr int kRestAccel = 16;         // four readings at rest on the pad
constexpr int kPlusOneG = 20;          // reading at rest, also the first four frames
constexpr int kFirstFlightAccel = 21;  // frames 4..7
constexpr int kFirstFrame = 16;
constexpr int kTrailer = 8192;
}  // namespace image_offset

constexpr int kFrameCount = 4088;
inline const char kNoDrogueFireWarning[] = "Drogue to Main Mode - !! No Drogue Fire !!";
inline const char kDamagedFlightWarning[] =
    "the checksum does not match: this flight may be damaged";

using ImageBytes = std::array<uint8_t, kImageSize>;

// Reads the first 8192 bytes of a data file. Throws FileError naming the file when it cannot be
// opened or read or holds fewer bytes.
ImageBytes ReadImageFile(const std::string& path);

// True when the data file at path has a trailer (bytes 8192-8193) whose checksum is not the
// sum of its image; false when it matches or the file holds no trailer.
bool TrailerChecksumDiffers(const std::string& path);

// The 16-bit byte sum of the image, as the recorder puts it in the trailer.
uint16_t ImageChecksum(const uint8_t* image);

// Turns the first 32 bytes into ordinary frames: bytes 16..31 become frames 0..7 built from the
// rest and first-flight accelerations and the lead pressure reading; byte 15 becomes 255.
void RewriteLeadFrames(uint8_t* image);

// Decodes the header of state.image into state.results (event times, ground pressure, zero g,
// apogee by the flight mode) and sets the drogue row's visibility.
void DecodeHeader(AppState& state);

// Reads (when read is set) and decodes the image file, runs the summary pass, and (when show is
// set) fills and shows the summary dialog. A failed read throws FileError before anything in the
// state has changed.
void ProcessImage(AppState& state, Prompts& prompts, bool read, bool show);

}  // namespace orvale
