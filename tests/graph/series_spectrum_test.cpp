#include "graph/graph_bands.h"
#include "graph/series_power_of_two.h"
#include "series_fixture.h"

namespace orvale::test {
namespace {

using SeriesSpectrum = SeriesFixture;

TEST(PowerOfTwoWindow, IsTheLargestPowerNotAboveTheSamples) {
    const std::pair<int32_t, int32_t> cases[] = {
        {160, 128}, {128, 128}, {1024, 1024}, {5000, 1024}, {1023, 512}, {1, 1}, {0, 0}, {-3, 0}};
    for (auto [samples, window] : cases)
        EXPECT_EQ(PowerOfTwoWindow(samples), window) << samples;
}

TEST_F(SeriesSpectrum, ShortenedWindowIsComputedAtOnceAndTheFlagCleared) {
    for (int n = 0; n < 200; ++n)
        SetG(n, static_cast<float>(n % 30));
    Load();
    for (const char* formula : {"FFT(CH1)", "psd(ch1)"}) {
        SCOPED_TRACE(formula);
        // A buffer full of an older series must not survive.
        state.series[1].x.assign(kMaxSeriesPoints, -1.0f);
        state.series[1].y.assign(kMaxSeriesPoints, -1.0f);
        ASSERT_TRUE(Prepare(formula, 0, 10));
        EXPECT_FALSE(state.formula.powerOfTwoTrim);
        EXPECT_EQ(entry().graphLength, 8.0);
        RecordSeriesRange(state);
        EXPECT_EQ(series().seriesMode, kSeriesPowerOfTwo);
        EXPECT_EQ(series().pointCount, 127);
        // No averaging and no repeated first point: point i is sample i at its own time.
        for (int i = 0; i < 128; ++i) {
            EXPECT_EQ(X(i), i / 16.0f) << i;
            EXPECT_EQ(Y(i), static_cast<float>(i % 30)) << i;
        }
        EXPECT_EQ(X(128), -1.0f);
    }
    // With a power-of-two window nothing changes.
    ASSERT_TRUE(Prepare("FFT(CH1)", 0, 8));
    EXPECT_EQ(entry().graphLength, 8.0);
    EXPECT_EQ(state.formula.seriesPointCount, 127);
    // A long window stops at 1024 samples.
    ASSERT_TRUE(Prepare("FFT(CH1)", 0, 100));
    EXPECT_EQ(entry().graphLength, 64.0);
    EXPECT_EQ(state.formula.seriesPointCount, 1023);
}

TEST_F(SeriesSpectrum, WindowPastTheEndHoldsTheLastValue) {
    for (int n = 4000; n < 4084; ++n)
        SetG(n, static_cast<float>(n % 7));
    Load();
    // Samples 4000..4127: the last 44 lie after the recording, which ends with sample 4083.
    ASSERT_TRUE(Prepare("FFT(CH1)", 250, 8));
    EXPECT_EQ(state.formula.seriesPointCount, 127);
    EXPECT_EQ(Y(83), static_cast<float>(4083 % 7));
    for (int i = 84; i < 128; ++i) {
        EXPECT_EQ(Y(i), Y(83)) << i;
        EXPECT_EQ(X(i), 255.25f) << i;
    }
}

TEST_F(SeriesSpectrum, SpectrumAnywhereButFirstIsRefused) {
    Load();
    EXPECT_FALSE(Prepare("2*FFT(CH1)", 0, 10));
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"FFT must be first term"});
    EXPECT_EQ(entry().graphLength, 10.0);
}

// A recorded 2 Hz sine of 10 g through an FFT( channel: the spectrum of the prepared window
// peaks at 2 Hz with 10 g (to the recorder's half-g steps); PSD( asks for the density.
TEST_F(SeriesSpectrum, ARecordedSinePeaksAtItsFrequencyInHertz) {
    for (int n = 0; n < 200; ++n)
        SetG(n, static_cast<float>(10.0 * std::sin(2.0 * 3.14159265358979 * 2.0 * n / 16.0)));
    Load();
    ASSERT_TRUE(Prepare("FFT(CH1)", 0, 8));
    RecordSeriesRange(state);
    EXPECT_FALSE(series().powerSpectrum);
    const Spectrum s = orvale::SeriesSpectrum(state, 1);
    ASSERT_EQ(s.value.size(), 65u);
    EXPECT_EQ(s.frequency.back(), 8.0f);
    const auto peak = std::max_element(s.value.begin() + 2, s.value.end());
    EXPECT_EQ(s.frequency[static_cast<size_t>(peak - s.value.begin())], 2.0f);
    EXPECT_NEAR(*peak, 10.0, 0.3);
    ASSERT_TRUE(Prepare("PSD(CH1)", 0, 8));
    RecordSeriesRange(state);
    EXPECT_TRUE(series().powerSpectrum);
}

}  // namespace
}  // namespace orvale::test
