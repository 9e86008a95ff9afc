#include <filesystem>
#include <vector>

#include "series_fixture.h"

namespace orvale::test {
namespace {

using SeriesPreparation = SeriesFixture;

float G(int sample) {
    return static_cast<float>(sample % 50);
}

TEST_F(SeriesPreparation, TenSecondWindowGivesPoints0To160WithTheFirstValueTwice) {
    for (int n = 0; n < 200; ++n)
        SetG(n, G(n));
    Load();
    ASSERT_TRUE(Prepare("ch1", 0, 10));
    RecordSeriesRange(state);
    EXPECT_EQ(state.windowLengthSamples, 160);
    EXPECT_EQ(state.pointStep, 1.0);
    EXPECT_EQ(series().pointCount, 160);
    EXPECT_EQ(series().seriesMode, kSeriesPlain);
    EXPECT_EQ(X(0), 0.0f);
    EXPECT_EQ(Y(0), G(0));
    // Point p holds sample p - 1 and is stamped one step after it.
    for (int p = 1; p <= 160; ++p) {
        EXPECT_EQ(X(p), p / 16.0f) << p;
        EXPECT_EQ(Y(p), G(p - 1)) << p;
    }
}

TEST_F(SeriesPreparation, HundredSecondWindowAveragesTo512Points) {
    for (int n = 0; n < 1700; ++n)
        SetG(n, G(n));
    Load();
    ASSERT_TRUE(Prepare("ch1", 0, 100));
    RecordSeriesRange(state);
    EXPECT_EQ(state.pointStep, 3.125);
    EXPECT_EQ(series().pointCount, 512);
    const int stamps[] = {4, 7, 10, 13, 16, 19, 22, 25, 29};
    int from = 0;  // first sample of the point's average
    for (int p = 1; p <= 9; ++p) {
        EXPECT_EQ(X(p) * 16, stamps[p - 1]) << p;
        // The samples read are one behind the stamp; the sum is kept in single precision.
        const int to = stamps[p - 1] - 1;
        float sum = 0.0f;
        for (int n = from; n < to; ++n)
            sum = sum + G(n);
        EXPECT_EQ(Y(p), (sum + G(to)) / static_cast<float>(to - from + 1)) << p;
        from = to + 1;
    }
    EXPECT_EQ(Y(0), Y(1));
    EXPECT_EQ(X(0) * 16, 3);
    EXPECT_EQ(X(512), 100.0f);
}

TEST_F(SeriesPreparation, FilterLevelsSmoothAStep) {
    for (int n = 5; n < 100; ++n)
        SetG(n, 1);
    Load();
    ASSERT_TRUE(Prepare("ch1", 0, 2, 0.2f));
    for (int p = 0; p <= 5; ++p)
        EXPECT_EQ(Y(p), 0.0f);
    EXPECT_FLOAT_EQ(Y(6), 0.2f);
    EXPECT_FLOAT_EQ(Y(7), 0.36f);
    EXPECT_FLOAT_EQ(Y(8), 0.488f);
    // Level None leaves the samples as they are.
    ASSERT_TRUE(Prepare("ch1", 0, 2, 1.0f));
    EXPECT_EQ(Y(5), 0.0f);
    EXPECT_EQ(Y(6), 1.0f);
}

TEST_F(SeriesPreparation, IntegralRestartsForEverySeries) {
    Load();
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(Prepare("INT(1)", 0, 1));
        EXPECT_EQ(state.formula.seriesMode, kSeriesIntegral);
        EXPECT_EQ(Y(1), 0.03125f);
        EXPECT_EQ(Y(2), 0.09375f);
        EXPECT_EQ(Y(3), 0.15625f);
    }
}

TEST_F(SeriesPreparation, PastTheEndRepeatsTheLastFilteredValue) {
    for (int n = 4000; n < 4084; ++n)
        SetG(n, G(n));
    Load();
    // Samples 4000..4159 while the recording ends with sample 4083; set past the setters.
    ASSERT_TRUE(Prepare("ch1", 250, 10, 0.5f));
    RecordSeriesRange(state);
    EXPECT_EQ(series().pointCount, 160);
    EXPECT_NE(Y(84), Y(83));
    for (int p = 85; p <= 160; ++p) {
        EXPECT_EQ(Y(p), Y(84)) << p;
        EXPECT_EQ(X(p), 255.25f) << p;
    }
}

TEST_F(SeriesPreparation, FailuresReportWhatThereIsToReport) {
    Load();
    EXPECT_FALSE(Prepare("", 0, 10));
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"No formula"});
    EXPECT_FALSE(Prepare("CH1 # 2", 0, 10));
    EXPECT_EQ(prompts.errors.back(), "Invalid character:");
    EXPECT_EQ(prompts.detailLines.back(), "\"CH1 # 2\"|     ^");

    // A sample that cannot be read ends the series and the read error is cleared.
    prompts.errors.clear();
    state.samplesPerChannel = 8000;
    EXPECT_FALSE(Prepare("ch1", 250, 10));
    EXPECT_EQ(state.formula.readErrorCode, 0);
    state.samplesPerChannel = 4088;
    ASSERT_TRUE(Prepare("ch1", 250, 5));

    std::filesystem::remove(state.imageFilePath);
    EXPECT_FALSE(Prepare("ch1", 0, 10));
    state.loadedDataSize = 0;
    EXPECT_FALSE(Prepare("ch1", 0, 10));
    EXPECT_TRUE(prompts.errors.empty());
}

}  // namespace
}  // namespace orvale::test
