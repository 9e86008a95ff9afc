// The spectrum of a window: a known sine's peak, Parseval's relation, and what gives none.
#include "graph/spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvale {
namespace {

constexpr double kInterval = 1.0 / 16.0;  // the recorder's 16 samples a second

std::vector<float> Sine(size_t n, double amplitude, double hertz, double offset = 0.0,
                        double phase = 0.3) {
    std::vector<float> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<float>(
            offset + amplitude * std::sin(2.0 * std::numbers::pi * hertz * i * kInterval + phase));
    return v;
}

TEST(Spectrum, ASineOnABinPeaksAtItsFrequencyWithItsAmplitude) {
    // 1024 samples: bins 1/64 Hz apart; 3 Hz is bin 192, 2.5 Hz bin 160.
    for (auto [n, hertz, amplitude] : {std::tuple{size_t{1024}, 3.0, 2.5},
                                       {size_t{128}, 2.5, 0.75},
                                       {size_t{1024}, 7.5, 40.0}}) {
        SCOPED_TRACE(hertz);
        const Spectrum s =
            ComputeSpectrum(Sine(n, amplitude, hertz, 1.25), kInterval, SpectrumKind::Amplitude);
        ASSERT_EQ(s.frequency.size(), n / 2 + 1);
        EXPECT_EQ(s.frequency.front(), 0.0f);
        EXPECT_EQ(s.frequency.back(), 8.0f);  // half the sampling rate
        const size_t bin = static_cast<size_t>(hertz * kInterval * n);
        EXPECT_EQ(s.frequency[bin], static_cast<float>(hertz));
        const auto peak = std::max_element(s.value.begin() + 2, s.value.end());
        EXPECT_EQ(static_cast<size_t>(peak - s.value.begin()), bin);
        EXPECT_NEAR(*peak, amplitude, amplitude * 1e-5);
        // The constant part stands at 0 Hz; the window spreads the sine over its neighbours
        // only, at half its height.
        EXPECT_NEAR(s.value[0], 1.25, 1e-4 * amplitude);
        EXPECT_NEAR(s.value[bin - 1], amplitude / 2, amplitude * 1e-5);
        EXPECT_NEAR(s.value[bin + 1], amplitude / 2, amplitude * 1e-5);
        for (size_t k = 3; k < s.value.size(); ++k) {
            if (k + 1 < bin || k > bin + 1) {
                EXPECT_LT(s.value[k], amplitude * 1e-4) << k;
            }
        }
    }
}

TEST(Spectrum, PowerDensityKeepsParsevalsRelation) {
    const size_t n = 1024;
    // A sine off the bins, a second one and a constant: the density summed over the band is
    // the window-weighted mean square of the samples.
    std::vector<float> x = Sine(n, 3.0, 1.23, -0.5);
    const std::vector<float> other = Sine(n, 0.4, 6.1, 0.0, 1.0);
    for (size_t i = 0; i < n; ++i)
        x[i] += other[i];
    const Spectrum p = ComputeSpectrum(x, kInterval, SpectrumKind::PowerDensity);
    ASSERT_EQ(p.value.size(), n / 2 + 1);
    const double df = 1.0 / (kInterval * n);
    double power = 0.0;
    for (float v : p.value)
        power += v * df;
    double weighted = 0.0;
    double weights = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / n);
        weighted += x[i] * w * x[i] * w;
        weights += w * w;
    }
    EXPECT_NEAR(power, weighted / weights, 1e-5 * power);
    // That is, near enough, the mean square: A²/2 of each sine plus the constant squared.
    EXPECT_NEAR(power, 9.0 / 2 + 0.16 / 2 + 0.25, 0.02);
}

// No size but a power of two, no gap and no interval of zero: none gives a spectrum.
TEST(Spectrum, NoSpectrumFromAWindowItCannotTransform) {
    std::vector<float> gap(8, 1.0f);
    gap[3] = NAN;
    for (const auto& [samples, interval] : {std::pair{std::vector<float>{1.0f}, kInterval},
                                            {std::vector<float>(96, 1.0f), kInterval},
                                            {std::vector<float>(8, 1.0f), 0.0},
                                            {gap, kInterval}})
        EXPECT_TRUE(ComputeSpectrum(samples, interval, SpectrumKind::Amplitude).value.empty());
}

}  // namespace
}  // namespace orvale
