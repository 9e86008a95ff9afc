// The formula compiler's and evaluator's shared values, held in the program state. The graph's
// series preparation sets the read positions, sample and point numbers before each evaluation.
#pragma once

#include <array>
#include <cstdint>

#include "core/formula.h"

namespace orvale {

constexpr int kReadChannels = 32;  // channel indices a formula can name (CH1..CH32)
// Element 0 is the time step; depth k uses elements 2k+1 and 2k+2. No walk of a 61-slot formula
// can nest deeper than its slots, so this never runs short for a compiled formula.
constexpr int kIntegratorStateSize = 2 * kFormulaSlots + 3;
constexpr int32_t kReadErrorCode = 99;

// Series modes of the graph: the compiler only ever sets kSeriesIntegral.
constexpr uint8_t kSeriesPlain = 0;
constexpr uint8_t kSeriesPowerOfTwo = 1;
constexpr uint8_t kSeriesIntegral = 3;
constexpr uint8_t kSeriesHistogram = 4;

struct FormulaState {
    // Raised by each INT(/DIF( while compiling; the nesting depth while evaluating.
    int32_t IntegratorIndex = 0;
    uint8_t seriesMode = kSeriesPlain;
    // In kSeriesPowerOfTwo: the window asked for its power spectral density (PSD() rather than
    // its amplitude spectrum (FFT().
    bool powerSpectrum = false;

    // What the last compilation of a series found, for the single-channel table path.
    bool singleChannel = false;
    int32_t firstChannel = -1;

    // Where each channel's current sample lies: an 8192-byte page of the data file and the offset
    // in it (8192 or more means the following page).
    std::array<int32_t, kReadChannels> readPage{};
    std::array<int32_t, kReadChannels> readOffset{};

    int32_t sampleNumber = 0;  // of the sample being read; X is this over samples per second
    int32_t pointNumber = 0;   // 1 for the first sample of a series
    std::array<float, kIntegratorStateSize> integratorState{};
    double histogramBinWidth = 1.0;
    int32_t readErrorCode = 0;  // kReadErrorCode after a sample could not be read
    int32_t cachedPage = 0;     // the page the page buffer holds; 0 is the decoded image

    // Working values of the graph's series preparation. The caller puts the channel's display
    // range here; the preparation leaves the last point's index for RecordSeriesRange.
    double displayMinimum = 0.0;
    double displayMaximum = 0.0;
    int32_t samplesToRead = 0;
    int32_t seriesPointCount = 0;
    // Set only while a spectrum window is being shortened to a power of two and computed again.
    bool powerOfTwoTrim = false;
};

}  // namespace orvale
