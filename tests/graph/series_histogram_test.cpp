#include "series_fixture.h"

namespace orvale::test {
namespace {

using SeriesHistogram = SeriesFixture;

// Seconds in all bins of points 0..count.
float TotalTime(const ChannelSamples& s) {
    float total = 0.0f;
    for (int p = 0; p <= s.pointCount; ++p)
        total += s.y[static_cast<size_t>(p)];
    return total;
}

TEST_F(SeriesHistogram, CoarseWidthIsWidenedToTenBinsAfterSayingSo) {
    for (int n = 16; n < 32; ++n)
        SetG(n, 12);  // bin round(1.2) = 1
    for (int n = 32; n < 64; ++n)
        SetG(n, 77.5f);  // bin round(7.75) = 8
    Load();
    // The band is the same whichever way round the range is given.
    for (auto [min, max] : {std::pair{0.0, 100.0}, std::pair{100.0, 0.0}}) {
        prompts.errors.clear();
        state.formula.displayMinimum = min;
        state.formula.displayMaximum = max;
        ASSERT_TRUE(Prepare("HST 25, CH1", 0, 4));
        RecordSeriesRange(state);
        EXPECT_EQ(prompts.errors,
                  std::vector<std::string>{"Decrease Histogram resolution from 25.000 to 10.000"});
        EXPECT_EQ(series().seriesMode, kSeriesHistogram);
        EXPECT_EQ(series().pointCount, 11);
        for (int i = 0; i <= 11; ++i)
            EXPECT_EQ(X(i), 10.0f * i) << i;
        EXPECT_EQ(Y(0), 1.0f);
        EXPECT_EQ(Y(1), 1.0f);
        EXPECT_EQ(Y(8), 2.0f);
        EXPECT_EQ(TotalTime(series()), 4.0f);
        // The range is recorded as given.
        EXPECT_EQ(series().minReading, min);
        EXPECT_EQ(series().maxReading, max);
    }
    EXPECT_TRUE(state.series[2].x.empty()) << "another entry's buffer changed";
}

TEST_F(SeriesHistogram, FineWidthIsNarrowedAndOutsideValuesCountAtTheEdges) {
    for (int n = 0; n < 16; ++n)
        SetG(n, -5);
    for (int n = 16; n < 32; ++n)
        SetG(n, 77.5f);
    Load();
    state.formula.displayMaximum = 100.0;
    ASSERT_TRUE(Prepare("HST 0.01, CH1", 0, 2));
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(state.formula.seriesPointCount, 512);
    EXPECT_EQ(X(512), 100.0f);
    EXPECT_EQ(Y(0), 1.0f);
    EXPECT_EQ(Y(397), 1.0f);  // 77.5 / (100 / 512) = 396.8
    state.formula.displayMaximum = 50.0;
    ASSERT_TRUE(Prepare("HST 5, CH1", 0, 2));
    EXPECT_EQ(Y(0), 1.0f);
    EXPECT_EQ(Y(10), 1.0f);
}

TEST_F(SeriesHistogram, WindowOneSamplePastTheEndIsNotLost) {
    for (int n = 4069; n < 4084; ++n)
        SetG(n, 30);
    Load();
    state.formula.displayMaximum = 100.0;
    // Samples 4069..4084; 4084 lies after the recording and counts as the last value.
    ASSERT_TRUE(Prepare("HST 10, CH1", 4069 / 16.0, 1));
    RecordSeriesRange(state);
    EXPECT_EQ(Y(3), 1.0f);
    EXPECT_EQ(TotalTime(series()), 1.0f);
}

TEST_F(SeriesHistogram, BandOfNoWidthAndValuesThatAreNoNumbers) {
    Load();
    state.formula.displayMinimum = 5.0;
    state.formula.displayMaximum = 5.0;
    ASSERT_TRUE(Prepare("HST 1, CH1", 0, 1));
    EXPECT_EQ(prompts.errors.back(), "Decrease Histogram resolution from 1.000 to 0.000");
    EXPECT_EQ(Y(0), 1.0f);
    // inf - inf has no bin.
    state.formula.displayMaximum = 10.0;
    ASSERT_TRUE(Prepare("HST 1, (1E38*10)-(1E38*10)", 0, 1));
    EXPECT_EQ(TotalTime(state.series[1]), 0.0f);
}

}  // namespace
}  // namespace orvale::test
