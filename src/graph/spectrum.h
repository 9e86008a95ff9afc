// The spectrum of an FFT( or PSD( window: its samples weighted by a Hann window and transformed
// (single precision) into the one-sided amplitude spectrum or power spectral density, from 0 Hz
// to half the sampling rate.
//
// Scaling, for N samples x[n] taken every T seconds (sampling rate fs = 1 / T), the periodic Hann
// window w[n] = 0.5 − 0.5 cos(2πn / N) and X[k] = Σ x[n] w[n] e^(−2πi kn / N), k = 0..N/2 at
// frequency k fs / N:
// - amplitude: |X[k]| ÷ Σw[n], doubled for 0 < k < N/2. Dividing by the window's sum corrects
//   for its coherent gain (0.5), so a sine of amplitude A on a bin gives a peak of A, and a
//   constant c gives c at 0 Hz. Units: the channel's.
// - power spectral density: |X[k]|² ÷ (fs Σw[n]²), doubled for 0 < k < N/2. Dividing by the
//   window's power Σw² makes Parseval hold: Σ P[k] × fs / N equals Σ(x[n] w[n])² ÷ Σw[n]², the
//   window-weighted mean square of the samples (for a sine of amplitude A, A² / 2). Units: the
//   channel's squared per hertz.
#pragma once

#include <cstddef>
#include <vector>

namespace orvale {

enum class SpectrumKind { Amplitude, PowerDensity };

struct Spectrum {
    std::vector<float> frequency;  // Hz, k × fs / N for k = 0..N/2
    std::vector<float> value;
};

// The spectrum of samples taken sampleInterval seconds apart. N must be a power of two of at
// least 2 (what an FFT( window holds); anything else, a sample that is not a finite number or
// an interval that is not positive gives an empty spectrum.
//
// The transform plan for each N is made once and kept for the program's life. Making a plan is
// not thread-safe in the library; a lock keeps every call here to one thread at a time.
Spectrum ComputeSpectrum(const std::vector<float>& samples, double sampleInterval,
                         SpectrumKind kind);

}  // namespace orvale
