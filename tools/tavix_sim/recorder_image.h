// The recorder's memory image of a flight, as it sits in the recorder and in a data file.
#pragma once

#include <cstdint>
#include <vector>

#include "flight_physics.h"
#include "flight_spec.h"

namespace tavix {

constexpr int kImageSize = 8192;
constexpr int kFileSize = kImageSize + 4;

// The launch site's pressure reading at an elevation, against the recorder's sea-level reading.
int SiteReading(const RecorderModel& recorder, double siteElevationFt);

// The byte sum of the image that the recorder sends after it.
uint16_t ImageChecksum(const uint8_t* image);

// The image and its trailer, with the recorder's noisy 8-bit readings of the track.
std::vector<uint8_t> RecordImage(const FlightSpec& spec, const FlightTrack& track);

}  // namespace tavix
