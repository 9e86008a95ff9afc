#include "core/summary_pass.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/image_decode.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "test_image.h"

namespace orvale {
namespace {

// Frame k of the image is summary sample k - 3.
constexpr int FrameOf(int s) {
    return s + 3;
}

class SummaryPass : public ::testing::Test {
protected:
    void SetUp() override {
        InitProgramState(state, {0, dir.path().string(), {}}, prompts);
        image.SetMain(10, 0, 190);  // main only, main at 10.0 s: deployment limit 160
    }

    void Run() {
        state.imageFilePath = image.Write(dir.path() / "FLIGHT.DAT");
        ProcessImage(state, prompts, true, false);
    }

    test::TempDir dir;
    AppState state;
    test::FakePrompts prompts;
    test::TestImage image{100, 200};
    const FlightResults& r = state.results;
};

TEST_F(SummaryPass, AFlightAtRestHasNothingToReport) {
    for (int k = 0; k < 4088; ++k)
        image.SetPressure(k, 190);  // never back to the ground
    Run();
    EXPECT_EQ(r.maxInertialHeight, 0.0f);
    EXPECT_EQ(r.maxSpeed, 0.0f);
    EXPECT_EQ(r.maxAccel, 0.0f);
    EXPECT_EQ(r.minAccel, 0.0f);
    EXPECT_EQ(r.maxSpeedTime, 0.0f);
    EXPECT_EQ(r.maxAccelTime, 0.0f);
    EXPECT_EQ(r.deploymentDetectedTime, -1.0f);
    EXPECT_EQ(state.endOfFlightTime, 255.5f);
}

TEST_F(SummaryPass, FilterLevelSmoothsTheAcceleration) {
    state.calibration.dodg = 1.0f;  // accelerations then read in readings
    struct Case {
        int level;
        int frames;  // frames of a 10-reading step
        float expected;
    };
    // Heavy smoothing (0.2) shows the step as 2.0, 3.6, 4.88...; levels outside 0..3 use the
    // nearest valid level rather than reading past the table.
    const Case cases[] = {{3, 1, 2.0f}, {3, 2, 3.6f}, {3, 3, 4.88f}, {0, 1, 10.0f},
                          {2, 1, 5.0f}, {7, 2, 3.6f}, {-1, 1, 10.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " frames " << c.frames);
        test::TestImage fresh(100, 200);
        image = fresh;
        image.SetMain(10, 0, 190);
        for (int i = 0; i < c.frames; ++i)
            image.SetAccel(FrameOf(20 + i), 110);
        state.channels[0].filter = c.level;
        Run();
        EXPECT_FLOAT_EQ(r.maxAccel, c.expected);
        EXPECT_EQ(r.maxAccelTime, (20 + c.frames - 1) / 16.0f);
    }
}

TEST_F(SummaryPass, DeploymentLimitBoundsTheExtremes) {
    state.channels[0].filter = 0;
    // A push at summary sample 160 counts for speed and height but not for acceleration.
    image.SetAccel(FrameOf(160), 140);
    image.SetAccel(FrameOf(100), 90);
    Run();
    EXPECT_EQ(r.deploymentLimit, 160);
    EXPECT_EQ(r.maxAccel, 0.0f);
    EXPECT_GT(r.maxSpeed, 0.0f);
    EXPECT_EQ(r.maxSpeedTime, 10.0f);
    EXPECT_EQ(r.minAccelTime, 100 / 16.0f);
    EXPECT_FLOAT_EQ(r.minAccel, -10.0f / state.calibration.dodg);

    image.SetAccel(FrameOf(160), 100);
    image.SetAccel(FrameOf(159), 140);
    Run();
    EXPECT_EQ(r.maxAccelTime, 159 / 16.0f);
    EXPECT_FLOAT_EQ(r.maxAccel, 40.0f / state.calibration.dodg);
}

TEST_F(SummaryPass, SpeedAndHeightIntegrateTheFilteredAcceleration) {
    state.channels[0].filter = 0;
    state.calibration.dodg = 1.0f;
    for (int s = 1; s <= 16; ++s)
        image.SetAccel(FrameOf(s), 101);  // one g-reading for 1 s
    Run();
    const float K = 32.17f / 1.0f / 2.0f / 16.0f;
    // Trapezoids: half a step at each end, full steps between.
    EXPECT_FLOAT_EQ(r.maxSpeed, 16 * 2 * K);
    EXPECT_EQ(r.maxSpeedTime, 17 / 16.0f);
    EXPECT_EQ(r.maxInertialHeightTime, 10.0f);
    EXPECT_GT(r.maxInertialHeight, 0.0f);
}

TEST_F(SummaryPass, EndOfFlightIsTheFirstReturnToGroundPressurePlusFiveSeconds) {
    const int returns[] = {1000, 4007, 4008, 4100};
    const float expected[] = {67.5f, 4087 / 16.0f, 255.5f, 255.5f};
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 4088; ++k)
            image.SetPressure(k, k >= FrameOf(returns[i]) ? 201 : 190);
        if (FrameOf(returns[i] + 10) < 4088)
            image.SetPressure(FrameOf(returns[i] + 10), 190);  // later dips change nothing
        Run();
        EXPECT_EQ(state.endOfFlightTime, expected[i]) << returns[i];
    }
    // Readings at the ground before the limit do not count.
    for (int k = 0; k < 4088; ++k)
        image.SetPressure(k, k <= FrameOf(160) ? 200 : 190);
    Run();
    EXPECT_EQ(state.endOfFlightTime, 255.5f);
}

class SummaryStages : public SummaryPass {
protected:
    // Two burns separated by a coast, a second coast, then a deployment jolt at sample 297.
    void SetUp() override {
        SummaryPass::SetUp();
        image.SetMain(200, 0, 190);
        state.channels[0].filter = 0;
        for (int k = 8; k < 4088; ++k) {
            uint8_t a = 100;
            if (k < 40 || (k >= 100 && k < 132))
                a = 130;
            else if (k < 300)
                a = 95;
            else if (k == 300)
                a = 110;
            image.SetAccel(k, a);
        }
    }
};

TEST_F(SummaryStages, DeploymentIsTheJumpAfterTheLastCoast) {
    state.flight.stages = 1;  // the second burn itself looks like the event
    Run();
    EXPECT_EQ(r.deploymentDetectedTime, (97 - 1) / 16.0f);

    state.flight.stages = 2;  // the first coast is ignored
    Run();
    EXPECT_EQ(r.deploymentDetectedTime, (297 - 1) / 16.0f);

    for (int stages : {0, -5}) {
        state.flight.stages = stages;  // no coast ever ends, nothing is detected
        Run();
        EXPECT_EQ(r.deploymentDetectedTime, -1.0f) << stages;
    }
}

TEST_F(SummaryPass, ZeroOrDamagedSlopeGivesZeroesNotInfinities) {
    for (int s = 1; s <= 30; ++s)
        image.SetAccel(FrameOf(s), 140);
    image.SetAccel(FrameOf(40), 60);
    for (float dodg : {0.0f, NAN, INFINITY}) {
        state.calibration.dodg = dodg;
        state.imageFilePath = image.Write(dir.path() / "FLIGHT.DAT");
        ProcessImage(state, prompts, true, true);
        EXPECT_EQ(r.maxSpeed, 0.0f);
        EXPECT_EQ(r.maxInertialHeight, 0.0f);
        EXPECT_EQ(r.maxAccel, 0.0f);
        EXPECT_EQ(r.minAccel, 0.0f);
        for (const std::string& text : state.summaryRows.text) {
            EXPECT_EQ(text.find("nan"), std::string::npos) << text;
            EXPECT_EQ(text.find("inf"), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace orvale
