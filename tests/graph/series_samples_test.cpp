#include "graph/series_samples.h"

#include "graph/series_reading.h"
#include "series_fixture.h"

namespace orvale::test {
namespace {

using SeriesSamples = SeriesFixture;

TEST_F(SeriesSamples, EverySampleAtItsOwnTime) {
    Load();
    state.channels[0].formula = "X";
    std::vector<float> values;
    ASSERT_TRUE(ChannelSampleValues(state, prompts, 0, false, values));
    const std::vector<int32_t> numbers = RecordedSampleNumbers(state);
    ASSERT_EQ(values.size(), 4088u);
    ASSERT_EQ(numbers.size(), 4088u);
    EXPECT_EQ(numbers.front(), -4);
    EXPECT_EQ(numbers.back(), 4083);
    for (size_t i = 0; i < values.size(); i += 97)
        EXPECT_EQ(values[i], numbers[i] / 16.0f) << i;
}

TEST_F(SeriesSamples, ChannelsKeepInStepAndTheFilterIsTheChannelsOwn) {
    for (int n = 0; n < 4084; ++n) {
        SetG(n, static_cast<float>(n % 11));
        image.SetPressure(n + kLeadFrames, static_cast<uint8_t>(150 + n % 40));
    }
    Load();
    std::vector<float> accel, pressure, both, smooth;
    state.channels[0].formula = "CH1";
    ASSERT_TRUE(ChannelSampleValues(state, prompts, 0, false, accel));
    state.channels[0].formula = "CH2";
    ASSERT_TRUE(ChannelSampleValues(state, prompts, 0, false, pressure));
    state.channels[0].formula = "CH1+CH2";
    ASSERT_TRUE(ChannelSampleValues(state, prompts, 0, false, both));
    for (size_t i = 4; i < both.size(); i += 13) {
        EXPECT_EQ(accel[i], static_cast<float>((i - 4) % 11)) << i;
        EXPECT_EQ(both[i], accel[i] + pressure[i]) << i;
    }
    state.channels[0].formula = "CH1";
    state.channels[0].filter = 3;
    ASSERT_TRUE(ChannelSampleValues(state, prompts, 0, true, smooth));
    float q = accel[0];
    for (size_t i = 0; i < smooth.size(); ++i) {
        q = q + (accel[i] - q) * 0.2f;
        ASSERT_EQ(smooth[i], q) << i;
    }
}

TEST_F(SeriesSamples, ReadPositionsStepAcrossPages) {
    Load();
    // Sample 4084 would be the first frame of page 1: byte 16 + 4088 * 2.
    StartSeriesReading(state, 4083);
    EXPECT_EQ(state.formula.readPage[0], 0);
    EXPECT_EQ(state.formula.readOffset[0], 8190);
    EXPECT_EQ(state.formula.readOffset[1], 8191);
    AdvanceSeriesReading(state, true, 1);
    EXPECT_EQ(state.formula.readPage[1], 1);
    EXPECT_EQ(state.formula.readOffset[1], 1);
    EXPECT_EQ(state.formula.readOffset[0], 8190) << "a single-channel formula moves only its own";
    AdvanceSeriesReading(state, false, 0);
    EXPECT_EQ(state.formula.readPage[0], 1);
    EXPECT_EQ(state.formula.readOffset[0], 0);
    EXPECT_EQ(state.formula.readOffset[1], 3);
}

}  // namespace
}  // namespace orvale::test
