// Capturing a flight: the recorder's memory image and its checksum trailer are downloaded,
// verified and stored as a data file with a stamped parameter file, then decoded and loaded as
// the current flight.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

namespace orvale {

class DeviceLink;
class Prompts;
struct CaptureTarget;

// What a capture asks of the world outside the link; the tests replace it.
struct CaptureEnvironment {
    // Free bytes on the volume of folder (path names the capture file for messages).
    std::function<uint64_t(const std::string& folder, const std::string& path)> freeBytes;
    std::function<std::time_t()> now;
    CaptureEnvironment();
};

// The Capture Data command: asks the file name, opens the port with the settings, downloads,
// and sets the graph window to the whole new flight. False when the flyer cancelled the file
// name; every failure of the transfer raises (EDeviceCommError, PortError, FileError) and leaves
// any older files of that name as they were. A capture that does not complete leaves the
// current flight, its names and the working directory as they were.
bool CaptureFlight(DeviceLink& link, Prompts& prompts, const CaptureEnvironment& env = {});

// The transfer itself, on an open port, into target: the image and its parameter file are
// complete in temporary files before they replace the pair. True when the flight was stored and
// loaded; only then does the state take the new flight and its names.
bool DownloadImage(DeviceLink& link, Prompts& prompts, const CaptureEnvironment& env,
                   const CaptureTarget& target);

// Discards waiting bytes below 25, which the recorder may send before its image, until a byte of
// 25 or more waits (it stays, as the first image byte). False when none came within windowMs.
// Nothing else runs meanwhile.
bool SkipLeadingBytes(DeviceLink& link, int windowMs);

}  // namespace orvale
