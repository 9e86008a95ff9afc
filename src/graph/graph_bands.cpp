#include "graph/graph_bands.h"

#include <algorithm>
#include <cmath>

#include "graph/graph_colours.h"

namespace orvale {

namespace {

// The points 0..point count the series holds; 0 when none was computed.
size_t StoredPoints(const ChannelSamples& s) {
    const auto stored = static_cast<int64_t>(std::min(s.x.size(), s.y.size()));
    return static_cast<size_t>(std::clamp<int64_t>(int64_t{s.pointCount} + 1, 0, stored));
}

// From 0 to a little above the largest value, so the tallest bar or peak stays inside.
AxisScale UpwardScale(std::string label, RgbColour colour, const std::vector<float>& values) {
    double top = 0.0;
    for (float v : values)
        if (std::isfinite(v))
            top = std::max(top, double{v});
    return {std::move(label), colour, 0.0, top > 0.0 ? top * 1.05 : 1.0};
}

ValueBand HistogramBand(const ChannelSamples& s, RgbColour colour) {
    ValueBand band;
    band.kind = BandKind::Bars;
    band.xLabel = s.title;
    const size_t n = StoredPoints(s);
    band.x.assign(s.x.begin(), s.x.begin() + static_cast<std::ptrdiff_t>(n));
    band.y.assign(s.y.begin(), s.y.begin() + static_cast<std::ptrdiff_t>(n));
    // A value goes to the bin it rounds to: the bar stands centred on its bin's value.
    const double width = n >= 2 ? double{band.x[1]} - band.x[0] : 0.0;
    band.barWidth = width > 0.0 && std::isfinite(width) ? width : 1.0;
    if (n > 0)
        band.xRange = {band.x.front() - band.barWidth / 2, band.x.back() + band.barWidth / 2};
    band.scale = UpwardScale(kHistogramSecondsLabel, colour, band.y);
    return band;
}

ValueBand SpectrumBand(const AppState& state, int k, RgbColour colour) {
    const ChannelSamples& s = state.series[static_cast<size_t>(k)];
    const Spectrum spectrum = SeriesSpectrum(state, k);
    ValueBand band;
    band.kind = BandKind::Curve;
    band.xLabel = kFrequencyLabel;
    band.x = spectrum.frequency;
    band.y = spectrum.value;
    const double interval = state.entries[static_cast<size_t>(k)].sampleInterval;
    band.xRange = {0.0, interval > 0.0 ? 0.5 / interval : 0.0};  // up to half the sampling rate
    band.scale = UpwardScale(SpectrumTitle(s), colour, band.y);
    return band;
}

}  // namespace

bool DrawnInBand(const ChannelSamples& series) {
    return series.seriesMode == kSeriesHistogram || series.seriesMode == kSeriesPowerOfTwo;
}

int TimeSubset(const AppState& state, int k) {
    int subset = 0;
    for (int j = 1; j < k; ++j)
        subset += !DrawnInBand(state.series[static_cast<size_t>(j)]);
    return subset;
}

int FirstTimeSeries(const AppState& state, int count) {
    const std::vector<int> series = TimeSeries(state, count);
    return series.empty() ? 0 : series.front();
}

std::vector<int> TimeSeries(const AppState& state, int count) {
    std::vector<int> series;
    for (int k = 1; k <= count; ++k)
        if (!DrawnInBand(state.series[static_cast<size_t>(k)]))
            series.push_back(k);
    return series;
}

std::string SpectrumTitle(const ChannelSamples& series) {
    return (series.powerSpectrum ? "Power per Hz: " : "Amplitude: ") + series.title;
}

Spectrum SeriesSpectrum(const AppState& state, int k) {
    const ChannelSamples& s = state.series[static_cast<size_t>(k)];
    if (s.seriesMode != kSeriesPowerOfTwo)
        return {};
    const size_t n = StoredPoints(s);
    const std::vector<float> samples(s.y.begin(), s.y.begin() + static_cast<std::ptrdiff_t>(n));
    return ComputeSpectrum(samples, state.entries[static_cast<size_t>(k)].sampleInterval,
                           s.powerSpectrum ? SpectrumKind::PowerDensity : SpectrumKind::Amplitude);
}

std::vector<ValueBand> SeriesBands(const AppState& state, int count) {
    std::vector<ValueBand> bands;
    for (int k = 1; k <= count; ++k) {
        const ChannelSamples& s = state.series[static_cast<size_t>(k)];
        if (!DrawnInBand(s))
            continue;
        const int slot = state.entries[static_cast<size_t>(k)].entryNumber;
        const RgbColour colour =
            ChannelColour(state.channels[static_cast<size_t>(slot)].colourIndex);
        bands.push_back(s.seriesMode == kSeriesHistogram ? HistogramBand(s, colour)
                                                         : SpectrumBand(state, k, colour));
    }
    return bands;
}

}  // namespace orvale
