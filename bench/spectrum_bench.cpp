// The spectrum of a full FFT( window: 1024 samples, Hann window, transform and scaling. The
// plan for the size is made on the first call and reused, as in the graph.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "graph/spectrum.h"

namespace {

void Spectrum1024(benchmark::State& st, orvale::SpectrumKind kind) {
    std::vector<float> samples(1024);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(1.5 + 3.0 * std::sin(0.37 * static_cast<double>(i)) +
                                        0.2 * std::cos(2.1 * static_cast<double>(i)));
    for (auto _ : st) {
        orvale::Spectrum s = orvale::ComputeSpectrum(samples, 1.0 / 16.0, kind);
        benchmark::DoNotOptimize(s.value.data());
    }
}

void BM_AmplitudeSpectrum1024(benchmark::State& st) {
    Spectrum1024(st, orvale::SpectrumKind::Amplitude);
}
void BM_PowerDensity1024(benchmark::State& st) {
    Spectrum1024(st, orvale::SpectrumKind::PowerDensity);
}

}  // namespace

BENCHMARK(BM_AmplitudeSpectrum1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PowerDensity1024)->Unit(benchmark::kMicrosecond);
