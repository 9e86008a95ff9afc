// Turns one channel's formula into the series the graph draws: every sample of the current
// entry's time window evaluated, filtered and averaged down to at most 512 points after point 0,
// or binned into a histogram (HST), or kept sample by sample over a power-of-two window (FFT(,
// PSD().
#pragma once

#include <cstdint>

#include "core/app_state.h"

namespace orvale {

class Prompts;

constexpr int32_t kSeriesPointLimit = 512;  // points after point 0 in a plain series
inline const char kWindowHoldsNoSample[] =
    "The time window is shorter than one sample: make it longer to see a series";

// Fills the current entry's ChannelSamples from channel slot channelSlot (0..12). startSample is
// the window's start as a sample number (16 × graph start, rounded); k the filter coefficient of
// the channel's level. The caller has loaded the entry's flight and put the channel's display
// range in state.formula.displayMinimum/displayMaximum.
//
// A spectrum window that is not a power of two is shortened (the entry's graph length changes)
// and the series is computed at once with the new length. True when the buffer holds a usable
// series; false when nothing usable was produced (the user has been told where there is
// something to tell).
bool PrepareSeries(AppState& state, Prompts& prompts, int channelSlot, int32_t startSample,
                   float k);

// Stores the series mode, the index of the last point and the display range of the last
// PrepareSeries into the current entry's ChannelSamples.
void RecordSeriesRange(AppState& state);

}  // namespace orvale
