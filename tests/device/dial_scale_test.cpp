// The Live Data gauges' needle geometry: value to angle, the ends of a pinned scale, the
// altimeter's hands going round, the labelled ticks and the g meter's range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "device/dial_scale.h"

namespace orvale {
namespace {

TEST(DialScaleTest, PinnedScaleMapsLinearlyAndStopsAtItsEnds) {
    const DialScale g{-10.0f, 20.0f, -135.0f, 270.0f, false};
    EXPECT_FLOAT_EQ(NeedleAngle(g, -10.0f), -135.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, 20.0f), 135.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, 5.0f), 0.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, 0.0f), -45.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, -11.0f), -135.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, 1e30f), 135.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, -std::numeric_limits<float>::infinity()), -135.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(g, std::numeric_limits<float>::quiet_NaN()), -135.0f);
    EXPECT_TRUE(OffScale(g, 20.5f));
    EXPECT_TRUE(OffScale(g, -10.5f));
    EXPECT_FALSE(OffScale(g, 20.0f));
    EXPECT_FALSE(OffScale(g, std::numeric_limits<float>::quiet_NaN()));
    // A scale without width points at its start rather than dividing by zero.
    EXPECT_FLOAT_EQ(NeedleAngle({3.0f, 3.0f, -135.0f, 270.0f, false}, 3.0f), -135.0f);
}

TEST(DialScaleTest, WrappingHandsGoRoundLikeAnAltimeters) {
    const DialScale hundreds{0.0f, 10.0f, 0.0f, 360.0f, true};
    const DialScale thousands{0.0f, 100.0f, 0.0f, 360.0f, true};
    // 1234 ft: the long hand at 2.34 of 10, the short hand at 12.34 of 100.
    EXPECT_NEAR(NeedleAngle(hundreds, 2.34f), 84.24f, 1e-3f);
    EXPECT_NEAR(NeedleAngle(thousands, 12.34f), 44.424f, 1e-3f);
    EXPECT_FLOAT_EQ(NeedleAngle(hundreds, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(NeedleAngle(hundreds, 10.0f), 0.0f);  // 1000 ft: the long hand at the top
    // Below the ground the hands turn back from twelve o'clock: -50 ft reads 9.5.
    EXPECT_NEAR(NeedleAngle(hundreds, -0.5f), 342.0f, 1e-3f);
    EXPECT_FALSE(OffScale(hundreds, -0.5f));
    EXPECT_FALSE(OffScale(thousands, 250.0f));
}

TEST(DialScaleTest, TicksFallOnRoundSteps) {
    EXPECT_EQ(ScaleTicks(0.0f, 10.0f, 10), (std::vector<float>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ScaleTicks(-20.0f, 54.0f, 8), (std::vector<float>{-20, -10, 0, 10, 20, 30, 40, 50}));
    EXPECT_EQ(ScaleTicks(-1.0f, 1.0f, 4), (std::vector<float>{-1.0f, -0.5f, 0.0f, 0.5f, 1.0f}));
    EXPECT_TRUE(ScaleTicks(1.0f, 1.0f, 5).empty());
    EXPECT_TRUE(ScaleTicks(0.0f, std::numeric_limits<float>::infinity(), 5).empty());
}

TEST(DialScaleTest, GMeterCoversEveryReadingOfTheCalibratedAccelerometer) {
    CalibrationData c;
    c.avg0g = 68.5412f;
    c.dodg = 3.4588f;
    DialScale s = GMeterScale(c);
    EXPECT_EQ(s.low, -20.0f);  // reading 0 is -19.8 g
    EXPECT_EQ(s.high, 54.0f);  // reading 255 is 53.9 g
    EXPECT_FALSE(s.wraps);
    c.dodg = -3.4588f;  // an accelerometer mounted the other way round
    s = GMeterScale(c);
    EXPECT_EQ(s.low, -54.0f);
    EXPECT_EQ(s.high, 20.0f);
    c.dodg = 0.0f;  // three equal averages: the slope means nothing
    s = GMeterScale(c);
    EXPECT_EQ(s.low, -10.0f);
    EXPECT_EQ(s.high, 10.0f);
}

}  // namespace
}  // namespace orvale
