#include "core/pressure_altitude.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvale {
namespace {

CalibrationData Cal(float gain, float offset) {
    CalibrationData c;
    c.gainbp = gain;
    c.offbp = offset;
    return c;
}

TEST(PressureAltitude, MatchesTheWorkedHeights) {
    EXPECT_NEAR(PressureAltitude(Cal(1.0f, 0.0f), 200.0f, 210.0f), 1343.1f, 0.05f);
    EXPECT_NEAR(PressureAltitude(Cal(1.0f, 23.3f), 200.0f, 210.0f), 1206.5f, 0.05f);
    // Below the site the height is negative, the same relation run the other way.
    EXPECT_LT(PressureAltitude(Cal(1.0f, 23.3f), 220.0f, 210.0f), 0.0f);
}

TEST(PressureAltitude, ReadingAtTheReferenceIsZeroAndZeroReadingIsTheMarker) {
    const CalibrationData cal = Cal(1.0f, 23.3f);
    for (int r = 1; r < 256; ++r)
        EXPECT_EQ(PressureAltitude(cal, r, r), 0.0f) << r;
    EXPECT_EQ(PressureAltitude(cal, 0.0f, 210.0f), kNoHeight);
    EXPECT_EQ(PressureAltitude(cal, -3.0f, 210.0f), kNoHeight);
}

TEST(PressureAltitude, SingleRoundingOfProductBeforeOffset) {
    // A gain whose product with the reading is not exact in single precision: the product is
    // rounded before the offset is added, so the result equals the one built from that product.
    CalibrationData cal = Cal(1.1f, 23.3f);
    CalibrationData pre = Cal(1.0f, 0.0f);
    const float p = 137.0f * 1.1f + 23.3f;
    const float p0 = 211.0f * 1.1f + 23.3f;
    EXPECT_EQ(PressureAltitude(cal, 137.0f, 211.0f), PressureAltitude(pre, p, p0));
}

TEST(PressureAltitude, CalibrationsWithoutAPositivePressureGiveTheMarker) {
    // Reference pressure zero or negative.
    EXPECT_EQ(PressureAltitude(Cal(1.0f, -210.0f), 200.0f, 210.0f), kNoHeight);
    EXPECT_EQ(PressureAltitude(Cal(1.0f, -300.0f), 200.0f, 210.0f), kNoHeight);
    // Ratio not positive: the reading's pressure negative while the reference is positive.
    EXPECT_EQ(PressureAltitude(Cal(1.0f, -100.0f), 50.0f, 210.0f), kNoHeight);
    // Gain zero makes both pressures the offset alone: same pressure, height 0.
    EXPECT_EQ(PressureAltitude(Cal(0.0f, 23.3f), 50.0f, 210.0f), 0.0f);
    // Nothing anywhere is NaN or infinite.
    for (float off : {-500.0f, -100.0f, -1.0f, 0.0f, 23.3f, 1e30f})
        for (float gain : {-2.0f, 0.0f, 1.0f, 1e-30f, 1e30f})
            for (int r = 0; r < 256; r += 5)
                for (int ref = 0; ref < 256; ref += 15) {
                    float h = PressureAltitude(Cal(gain, off), r, ref);
                    EXPECT_TRUE(std::isfinite(h)) << gain << " " << off << " " << r << " " << ref;
                }
}

}  // namespace
}  // namespace orvale
