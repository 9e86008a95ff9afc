// The summary pass: integrates the acceleration frames into speed and height, finds the extremes
// up to the deployment, the deployment as the accelerometer saw it, and the end of the flight.
#pragma once

#include "core/app_state.h"

namespace orvale {

// The end of the flight is put this many frames after the pressure is back at the ground's.
constexpr int32_t kLandingMargin = 80;

void ResetSummaryResults(FlightResults& results);

// Runs over the 4088 decoded frames of state.image (lead frames already rewritten). Uses the
// header values in state.results, do/dg, the flight's stages and channel 1's filter level, and
// leaves the end of flight time in seconds.
void RunSummaryPass(AppState& state);

}  // namespace orvale
