// The calibration's reading steps over the scripted link: the prompts and their order, the values
// each step stores and refits, skipped steps, and readings that do not complete.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "device/calibration_steps.h"
#include "device/link_fixture.h"
#include "device/sensor_readings.h"
#include "fake_prompts.h"

namespace orvale::test {
namespace {

std::vector<uint8_t> Block(int accel, int pressure, size_t length = kSensorReplyLength) {
    std::vector<uint8_t> block(kSensorReplyLength, '\n');
    for (int i = 0; i < kSensorRecords; ++i) {
        char record[9];
        std::snprintf(record, sizeof record, "%03d,%03d\r", accel, pressure);
        std::copy_n(record, 8, block.begin() + 8 * i);
    }
    block.resize(length);
    return block;
}

// Well after the line has been found quiet and "T" sent.
constexpr int64_t kBlockAfterMs = 200;

// The recorder answers each step's "T" with the next of `blocks`, sent once the flyer says OK.
class CalibrationStepsTest : public LinkTest {
protected:
    struct StepPrompts : FakePrompts {
        bool ConfirmInformation(const std::string& text) override {
            const bool ok = ConfirmWarning(text);
            if (ok && onOk)
                onOk();
            return ok;
        }
        std::function<void()> onOk;
    };
    void SetUp() override {
        state.settings.port = 1;
        prompts.onOk = [this] {
            if (next < blocks.size())
                port.Arrive(clock.now + kBlockAfterMs, blocks[next++]);
        };
    }
    bool Unchanged(const CalibrationData& before) const {
        return std::memcmp(&before, &state.calibration, sizeof before) == 0;
    }
    std::string Sent() const { return std::string(port.written.begin(), port.written.end()); }

    StepPrompts prompts;
    std::vector<std::vector<uint8_t>> blocks;
    size_t next = 0;
};

TEST_F(CalibrationStepsTest, CalibrateWalksTheFourStepsAndRefitsAfterEachGee) {
    state.calibration.ccoff = 0.5f;
    blocks = {Block(50, 205), Block(100, 190), Block(120, 190), Block(141, 190)};
    std::vector<CalibrationReading> shown;
    std::vector<float> slopes;
    RunFullCalibration(link, prompts, [&](CalibrationReading step) {
        shown.push_back(step);
        slopes.push_back(state.calibration.dodg);
    });
    EXPECT_EQ(
        prompts.confirmations,
        (std::vector<std::string>{kReadPressurePrompt, kReadMinusOneGeePrompt, kReadZeroGeePrompt,
                                  kReadPlusOneGeePrompt, kCalibrateReminder}));
    EXPECT_EQ(shown, (std::vector<CalibrationReading>{
                         CalibrationReading::Pressure, CalibrationReading::MinusOneGee,
                         CalibrationReading::ZeroGee, CalibrationReading::PlusOneGee}));
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_EQ(Sent(), "/T/T/T/T");
    const CalibrationData& c = state.calibration;
    EXPECT_EQ(c.avgbp, 205.0f);
    EXPECT_EQ(c.stdbp, 0.0f);
    EXPECT_EQ(c.avgMinus1g, 100.0f);
    EXPECT_EQ(c.avg0g, 120.0f);
    EXPECT_EQ(c.avgPlus1g, 141.0f);
    // The worked example of the fit.
    EXPECT_EQ(c.fid0, 20.0f);
    EXPECT_EQ(c.fid1, 21.0f);
    EXPECT_EQ(c.dodg, 20.5f);
    EXPECT_FLOAT_EQ(c.y0, 120.33333f);
    EXPECT_FLOAT_EQ(c.ccoff, 0.9493786f);
    // The pressure step fits nothing; each gee step fits with the averages it has so far.
    EXPECT_EQ(slopes[0], 0.0f);
    EXPECT_EQ(slopes[1], -50.0f);  // (0 - 100) / 2 before the other two are read
    EXPECT_EQ(slopes[3], 20.5f);
}

TEST_F(CalibrationStepsTest, SkippedStepsReadNothingAndTheReminderStillComes) {
    blocks = {Block(120, 190)};
    prompts.confirmAnswers = {false, false, true, false, false};
    const CalibrationData before = state.calibration;
    int shown = 0;
    RunFullCalibration(link, prompts, [&](CalibrationReading) { ++shown; });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Sent(), "/T");
    EXPECT_EQ(prompts.confirmations.back(), kCalibrateReminder);
    EXPECT_EQ(state.calibration.avg0g, 120.0f);
    EXPECT_EQ(state.calibration.avgbp, before.avgbp);
    EXPECT_EQ(state.calibration.avgMinus1g, before.avgMinus1g);
}

// A block cut short, a Cancel in the status window and a port that cannot be opened all leave
// every calibration value as it was and say that the reading did not complete.
TEST_F(CalibrationStepsTest, ReadingThatDoesNotCompleteChangesNothingAndSaysSo) {
    state.calibration.avgMinus1g = 90.0f;
    state.calibration.ccoff = 0.75f;
    // The buffer still holds a complete earlier block: it must not pass for this reading.
    const std::vector<uint8_t> stale = Block(10, 10);
    std::copy(stale.begin(), stale.end(), state.device.receive.begin());
    const CalibrationData before = state.calibration;

    blocks = {Block(120, 190, 1000)};
    EXPECT_FALSE(RunCalibrationReading(link, prompts, CalibrationReading::ZeroGee));
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].rfind(kReadingIncomplete, 0), 0u);
    EXPECT_NE(prompts.warnings[0].find("1000 of 2050 bytes arrived"), std::string::npos);
    EXPECT_TRUE(Unchanged(before));

    blocks = {Block(120, 190)};
    next = 0;
    // The flyer presses Cancel in Communication Status while it shows the reading.
    waiter.during = [this](int) {
        if (status.IsShowing())
            link.Cancel();
    };
    EXPECT_FALSE(RunCalibrationReading(link, prompts, CalibrationReading::PlusOneGee));
    waiter.during = nullptr;
    ASSERT_EQ(prompts.warnings.size(), 2u);
    EXPECT_NE(prompts.warnings[1].find("User aborted transfer"), std::string::npos);
    EXPECT_TRUE(Unchanged(before));

    port.openFailure = "no such device";
    EXPECT_FALSE(RunCalibrationReading(link, prompts, CalibrationReading::Pressure));
    ASSERT_EQ(prompts.warnings.size(), 3u);
    EXPECT_NE(prompts.warnings[2].find("no such device"), std::string::npos);
    EXPECT_TRUE(Unchanged(before));
}

// A recorder still sending the block of a reading that was given up on: its tail, cut four
// bytes into a record, would put pressure readings where acceleration belongs.
TEST_F(CalibrationStepsTest, TailOfAnAbandonedBlockIsNotTakenForTheNextReading) {
    const std::vector<uint8_t> old = Block(69, 210);
    for (int piece = 0; piece < 10; ++piece) {
        const auto from = old.begin() + 1004 + piece * 100;
        port.Arrive(clock.now + 10 * piece, std::vector<uint8_t>(from, from + 100));
    }
    blocks = {Block(69, 210)};
    ASSERT_TRUE(RunCalibrationReading(link, prompts, CalibrationReading::ZeroGee));
    EXPECT_EQ(state.calibration.avg0g, 69.0f);
    EXPECT_EQ(state.calibration.std0g, 0.0f);
    // The line was quiet for a while before "T" went out.
    EXPECT_GE(Elapsed(), 90 + DeviceLink::kQuietLineMs);
}

}  // namespace
}  // namespace orvale::test
