#include "graph/series_histogram.h"

#include <cmath>

#include "core/prompts.h"
#include "core/text_format.h"

namespace orvale {

namespace {

// round(range ÷ width + 0.5) − 1, kept as a double: a tiny width gives a count far beyond any
// integer, which must be compared before it is converted.
double BinCount(double range, double width) {
    return std::nearbyint(range / width + 0.5) - 1.0;
}

}  // namespace

HistogramBins SetUpHistogram(AppState& state, Prompts& prompts, double low, double high,
                             double requested, ChannelSamples& series) {
    HistogramBins h{low, high, requested, 0};
    const double range = high - low;
    double bins = BinCount(range, requested);
    // "Not at least ten" also catches a count that is not a number.
    if (!(bins >= kFewestHistogramBins)) {
        state.errorMessages.Set("Decrease Histogram resolution from " + Fixed(requested, 1, 3) +
                                " to " + Fixed(range / kFewestHistogramBins, 1, 3));
        ShowError(state, prompts, kErrorSlot);
        h.width = range / kFewestHistogramBins;
        bins = kFewestHistogramBins;
    } else if (bins > kMostHistogramBins) {
        h.width = range / kMostHistogramBins;
        bins = BinCount(range, h.width);
        // An infinite band gives no count; keep within the buffer all the same.
        if (!(bins >= 0.0 && bins <= kMostHistogramBins))
            bins = kMostHistogramBins - 1;
    }
    h.bins = static_cast<int32_t>(bins);
    for (int32_t i = 0; i <= h.bins + 1; ++i) {
        const auto at = static_cast<size_t>(i);
        series.x[at] = static_cast<float>(low + i * h.width);
        series.y[at] = 0.0f;
    }
    return h;
}

void AddToHistogram(const HistogramBins& bins, float v, double seconds, ChannelSamples& series) {
    if (std::isnan(v))
        return;
    double value = v;
    if (value < bins.low)
        value = bins.low;
    if (value > bins.high)
        value = bins.high;
    double bin = std::nearbyint((value - bins.low) / bins.width);
    // A band of no width puts everything in the first bin.
    if (!(bin >= 0.0))
        bin = 0.0;
    if (bin > bins.bins + 1)
        bin = bins.bins + 1;
    float& y = series.y[static_cast<size_t>(bin)];
    y = static_cast<float>(y + seconds);
}

}  // namespace orvale
