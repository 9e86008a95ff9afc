// When the flight left the pad, as the accelerometer saw it. Flights are compared side by side
// from this moment, so two flights whose recorders triggered a little differently still line up.
#pragma once

#include <cstdint>
#include <optional>

#include "core/app_state.h"

namespace orvale {

// Frames in a row that must lie outside the rest band: a single bump of a noisy pad (a flyer
// touching the rail) is not a launch, and every motor burns for longer than this.
constexpr int kLaunchFrames = 3;
// Half the width of the rest band, in readings, when the calibration gives no usable do/dg; with
// one it is one g, and never narrower than this.
constexpr float kRestBandReadings = 3.0f;

// The first decoded frame (0..4087) of the first kLaunchFrames frames in a row whose acceleration
// reading is outside the rest band: the median of the four frames the recorder keeps from the
// pad, plus or minus one g. Nullopt when the acceleration never leaves the band.
std::optional<int32_t> LaunchFrame(const AppState& state);

// That frame's time on the graph's "Flight Time (sec)" axis.
std::optional<double> LaunchTime(const AppState& state);

}  // namespace orvale
