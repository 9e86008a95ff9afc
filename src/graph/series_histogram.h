// A histogram series (HST): the time spent in each value bin of the channel's display band.
#pragma once

#include <cstdint>

#include "core/app_state.h"

namespace orvale {

class Prompts;

constexpr int32_t kFewestHistogramBins = 10;
constexpr int32_t kMostHistogramBins = 512;

struct HistogramBins {
    double low = 0.0;
    double high = 0.0;
    double width = 1.0;
    int32_t bins = 0;  // B: the series is points 0..B+1
};

// Lays out the bins of width `requested` over [low, high] in the series: X[i] the lower value of
// bin i, Y[i] zero. Fewer than ten bins are widened to ten after telling the user; more than 512
// are narrowed to fit.
HistogramBins SetUpHistogram(AppState& state, Prompts& prompts, double low, double high,
                             double requested, ChannelSamples& series);

// Adds seconds to the bin of value v, which counts at the edge of the band when outside it. A
// value that is not a number has no bin and is left out.
void AddToHistogram(const HistogramBins& bins, float v, double seconds, ChannelSamples& series);

}  // namespace orvale
