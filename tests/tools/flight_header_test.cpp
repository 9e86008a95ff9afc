// The image layout and the recorder's header findings against what really happened.
#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>
#include <string>

#include "flight_bytes.h"
#include "flight_spec.h"
#include "motor_presets.h"

namespace {

using namespace tavix_test;

tavix::FlightSpec Spec(bool drogueToMain, bool noDrogueFire, int mainAltitudeFt) {
    tavix::FlightSpec spec;
    spec.seed = 7;
    spec.drogueToMain = drogueToMain;
    spec.noDrogueFire = noDrogueFire;
    spec.mainAltitudeFt = mainAltitudeFt;
    return spec;
}

TEST(FlightHeader, TrailerHoldsTheByteSumAndUnusedBytesAreZero) {
    // The image opens with the recorder's identification: a download skips leading bytes below
    // 25, so the first byte must not be one.
    for (const auto& spec : {Spec(true, false, 1200), Spec(false, false, 600)}) {
        const auto file = tavix::MakeFlight(spec).file;
        ASSERT_EQ(file.size(), 8196u);
        const unsigned sum = std::accumulate(file.begin(), file.begin() + 8192, 0u);
        EXPECT_EQ(file[8192] | file[8193] << 8, static_cast<int>(sum % 65536));
        EXPECT_EQ(file[8194], 0);
        EXPECT_EQ(file[8195], 0);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "TVX1");
        for (int at : {6, 10, 15, 25, 26, 27, 28, 29, 30, 31}) {
            EXPECT_EQ(file[at], 0) << "byte " << at;
        }
    }
}

TEST(FlightHeader, DrogueToMainEventsMatchTheFlight) {
    const auto flight = tavix::MakeFlight(Spec(true, false, 1200));
    const auto& file = flight.file;
    const auto& truth = flight.truth;
    EXPECT_EQ(file[12] & 1, 1);
    EXPECT_EQ(HeaderTime(file, 4), truth.drogueFireTime);
    EXPECT_EQ(HeaderTime(file, 8), truth.mainFireTime);
    // The recorder calls apogee from pressure, a little after the real top.
    EXPECT_GE(truth.drogueFireTime, truth.apogeeTime);
    EXPECT_LE(truth.drogueFireTime, truth.apogeeTime + 1.0);
    // Event pressures are the readings stored in the frames where the charges fired.
    EXPECT_EQ(file[7], Pressure(file, FrameAt(truth.drogueFireTime)));
    EXPECT_EQ(file[11], Pressure(file, FrameAt(truth.mainFireTime)));
    EXPECT_NEAR(HeightOf(file[7], file[13]), truth.apogeeFt, 130.0);
    EXPECT_NEAR(HeightOf(file[11], file[13]), 1200.0, 130.0);
    EXPECT_LT(truth.mainFireTime, truth.landingTime);
}

TEST(FlightHeader, MainOnlyFiresTheMainAtApogee) {
    const auto flight = tavix::MakeFlight(Spec(false, false, 600));
    const auto& file = flight.file;
    EXPECT_EQ(file[12] & 1, 0);
    EXPECT_EQ(file[4], 255);
    EXPECT_EQ(file[5], 255);
    EXPECT_EQ(flight.truth.drogueFireTime, -1.0);
    EXPECT_EQ(HeaderTime(file, 8), flight.truth.mainFireTime);
    EXPECT_GE(flight.truth.mainFireTime, flight.truth.apogeeTime);
    EXPECT_LE(flight.truth.mainFireTime, flight.truth.apogeeTime + 1.0);
    EXPECT_NEAR(HeightOf(file[11], file[13]), flight.truth.apogeeFt, 130.0);
}

TEST(FlightHeader, MissingDrogueKeepsTheModeFlagAndFallsFast) {
    const auto flight = tavix::MakeFlight(Spec(true, true, 600));
    const auto withDrogue = tavix::MakeFlight(Spec(true, false, 600));
    const auto& file = flight.file;
    EXPECT_EQ(file[12] & 1, 1);
    EXPECT_EQ(file[4] & file[5], 255);
    EXPECT_NEAR(HeightOf(file[11], file[13]), 600.0, 130.0);
    // Tumbling down reaches the main's height well before a drogue would.
    EXPECT_LT(flight.truth.mainFireTime, withDrogue.truth.mainFireTime - 10.0);
}

TEST(FlightHeader, MainFollowsTheDrogueWhenApogeeIsBelowItsHeight) {
    auto spec = Spec(true, false, 2400);
    spec.motor = tavix::MotorFromThrust(18.0, 1.0);
    const auto truth = tavix::MakeFlight(spec).truth;
    ASSERT_LT(truth.apogeeFt, 2400.0);
    EXPECT_EQ(truth.mainFireTime, truth.drogueFireTime + 1.0 / 16.0);
}

TEST(FlightHeader, SitePressureFallsWithElevation) {
    auto spec = Spec(true, false, 1200);
    EXPECT_EQ(tavix::MakeFlight(spec).file[13], 210);
    spec.siteElevationFt = 5000.0;
    const auto file = tavix::MakeFlight(spec).file;
    // 5000 ft of the same atmosphere above a 210 reading at sea level.
    EXPECT_NEAR(HeightOf(file[13], 210.0), 5000.0, 130.0);
}

TEST(FlightHeader, RejectsSettingsTheRecorderDoesNotHave) {
    auto bad = Spec(true, false, 1200);
    bad.stages = 3;
    EXPECT_THROW(tavix::MakeFlight(bad), std::invalid_argument);
    bad = Spec(true, false, 1000);
    EXPECT_THROW(tavix::MakeFlight(bad), std::invalid_argument);
    bad = Spec(false, true, 1200);
    EXPECT_THROW(tavix::MakeFlight(bad), std::invalid_argument);
    bad = Spec(true, false, 1200);
    bad.motor = tavix::MotorFromThrust(2.0, 1.0);  // less than the rocket's weight
    EXPECT_THROW(tavix::MakeFlight(bad), std::invalid_argument);
    bad = Spec(true, false, 1200);
    bad.drogueDescentFtS = 5.0;  // the main would fire long after the memory is full
    EXPECT_THROW(tavix::MakeFlight(bad), std::invalid_argument);
}

}  // namespace
