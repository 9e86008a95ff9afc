#include "core/launch_detection.h"

#include <gtest/gtest.h>

#include "core/image_decode.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "test_image.h"

namespace orvale {
namespace {

class LaunchDetection : public ::testing::Test {
protected:
    void SetUp() override { InitProgramState(state, {0, dir.path().string(), {}}, prompts); }

    std::optional<int32_t> Launch(float dodg) {
        state.imageFilePath = image.Write(dir.path() / "FLIGHT.DAT");
        ProcessImage(state, prompts, true, false);
        state.calibration.dodg = dodg;
        return LaunchFrame(state);
    }

    test::TempDir dir;
    AppState state;
    test::FakePrompts prompts;
    test::TestImage image{100, 200};
};

TEST_F(LaunchDetection, ANoisyPadIsNoLaunchAndTheFirstSustainedDepartureIs) {
    // Pad noise of two readings either way, a knock on the rail of one frame and one of two.
    for (int k = 0; k < 4088; ++k)
        image.SetAccel(k, static_cast<uint8_t>(98 + (k * 7) % 5));
    image.SetAccel(40, 130);
    image.SetAccel(60, 130);
    image.SetAccel(61, 70);
    EXPECT_EQ(Launch(4.0f), std::nullopt);
    EXPECT_EQ(LaunchTime(state), std::nullopt);

    for (int k = 300; k < 340; ++k)
        image.SetAccel(k, 140);  // ten g up for 2.5 s
    EXPECT_EQ(Launch(4.0f), 300);
    EXPECT_DOUBLE_EQ(*LaunchTime(state), (300 - 4) / 16.0);  // the graph's time of that frame

    // The band is one g each way: the motor's 40 readings leave it at 20 readings a g, not at 50.
    EXPECT_EQ(Launch(20.0f), 300);
    EXPECT_EQ(Launch(50.0f), std::nullopt);
    // Without a usable slope the band is a few readings: the pad noise stays inside it.
    EXPECT_EQ(Launch(0.0f), 300);
}

TEST_F(LaunchDetection, TheSampleFlightsLeaveThePadWhenTheRecorderTriggered) {
    for (int n = 1; n <= 8; ++n) {
        const std::string file =
            std::string(ORVALE_SOURCE_DIR) + "/samples/FLT-00" + std::to_string(n) + ".DAT";
        AppState sample;
        InitProgramState(sample, {0, dir.path().string(), {}}, prompts);
        sample.imageFilePath = file;
        ProcessImage(sample, prompts, true, false);
        sample.calibration.dodg = 3.4588f;  // the samples' calibration
        ASSERT_TRUE(LaunchTime(sample)) << file;
        EXPECT_EQ(*LaunchTime(sample), 0.0) << file;
    }
}

TEST_F(LaunchDetection, NoFlightNoLaunch) {
    EXPECT_EQ(LaunchFrame(state), std::nullopt);
}

}  // namespace
}  // namespace orvale
