// Raw recorder readings to engineering units: acceleration in g, pressure height in feet.
#pragma once

#include <array>
#include <cstdint>

#include "core/app_state.h"

namespace orvale {

constexpr int kChannelTableSize = 4096;  // 12-bit raw readings
using ChannelTable = std::array<float, kChannelTableSize>;

// Channel index 0 is the accelerometer, 1 the pressure sensor. Other indices have no
// conversion and give the reading in recorder units.
float ConvertReading(const AppState& state, uint16_t raw, int channelIndex);

// The conversion of every raw reading of one channel, so a single-channel series looks values up
// instead of running the pressure formula for each sample.
void BuildChannelTable(const AppState& state, int channelIndex, ChannelTable& table);

}  // namespace orvale
