// One graphed channel's series as the graph window builds it: a series entry set up as a copy of
// the loaded flight, the flight loaded for it, the window kept inside the data, the series
// prepared and its range recorded.
#pragma once

#include "core/app_state.h"

namespace orvale {

class Prompts;

constexpr double kGraphSamplesPerSecond = 16.0;  // the graph's start sample is 16 × its start

// Prepares series `seriesNumber` (1..12) from channel slot channelSlot with entry 0's file and
// time window, leaving the current entry at seriesNumber. False when no flight could be loaded
// (reported) or the series could not be prepared (reported where there is something to tell).
bool PrepareGraphSeries(AppState& state, Prompts& prompts, int seriesNumber, int channelSlot);

}  // namespace orvale
