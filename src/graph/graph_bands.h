// Series that are not drawn against flight time: a histogram (HST) as bars of the seconds spent
// per value bin, and an FFT( or PSD( window as its spectrum. Each has a band of its own below the
// time axes; the time axes hold the other series, paired in their order.
#pragma once

#include <string>
#include <vector>

#include "core/app_state.h"
#include "graph/graph_engine.h"
#include "graph/spectrum.h"

namespace orvale {

inline const char kFrequencyLabel[] = "Frequency (Hz)";
inline const char kHistogramSecondsLabel[] = "Time Spent (sec)";

// The first of series 1..count drawn against time, whose window the time axes show; 0 when
// every one has a band of its own.
int FirstTimeSeries(const AppState& state, int count);

// Whether a prepared series is drawn in a band of its own rather than against time.
bool DrawnInBand(const ChannelSamples& series);

// The engine subset of series k (1..12) when it is drawn against time: the number of earlier
// series that are too.
int TimeSubset(const AppState& state, int k);

// The series among 1..count drawn against time, in order.
std::vector<int> TimeSeries(const AppState& state, int count);

// The spectrum of series k's power-of-two window (its points 0..point count); empty when the
// series is not a spectrum window or cannot be transformed.
Spectrum SeriesSpectrum(const AppState& state, int k);

// What a spectrum's vertical axis shows: "Amplitude: " or "Power per Hz: " and the title.
std::string SpectrumTitle(const ChannelSamples& series);

// The bands of the series among 1..count that have one, in order, in their channels' colours.
std::vector<ValueBand> SeriesBands(const AppState& state, int count);

}  // namespace orvale
