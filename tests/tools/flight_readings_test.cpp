// The sensor readings over a flight: what the pressure sensor and the accelerometer must show in
// each phase, and the descent rates that the pressure trace gives away.
#include <gtest/gtest.h>

#include "flight_bytes.h"
#include "flight_spec.h"

namespace {

using namespace tavix_test;

constexpr int kLastFrame = 4087;

tavix::FlightSpec QuietSpec() {
    tavix::FlightSpec spec;
    spec.recorder.noiseSigma = 0.0;
    return spec;
}

// Average descent rate between two times, from the pressure trace alone.
double DescentRate(const std::vector<uint8_t>& file, double from, double to) {
    const double drop = HeightOf(Pressure(file, FrameAt(from)), file[13]) -
                        HeightOf(Pressure(file, FrameAt(to)), file[13]);
    return drop / (to - from);
}

TEST(FlightReadings, PressureFallsOnTheWayUpAndComesBackAfterLanding) {
    const auto flight = tavix::MakeFlight(QuietSpec());
    const auto& file = flight.file;
    const int top = FrameAt(flight.truth.apogeeTime);
    for (int frame = 8; frame < top; ++frame) {
        ASSERT_LE(Pressure(file, frame + 1), Pressure(file, frame)) << "frame " << frame;
    }
    EXPECT_NEAR(HeightOf(Pressure(file, top), file[13]), flight.truth.apogeeFt, 130.0);
    for (int frame = FrameAt(flight.truth.landingTime + 1.0); frame <= kLastFrame; ++frame) {
        ASSERT_EQ(Pressure(file, frame), file[13]) << "frame " << frame;
    }

    // With sensor noise the resting readings scatter by a step at most.
    const auto noisy = tavix::MakeFlight(tavix::FlightSpec{}).file;
    int atSite = 0;
    int resting = 0;
    for (int frame = FrameAt(flight.truth.landingTime + 1.0); frame <= kLastFrame; ++frame) {
        ASSERT_NEAR(Pressure(noisy, frame), noisy[13], 1) << "frame " << frame;
        atSite += Pressure(noisy, frame) == noisy[13];
        ++resting;
    }
    EXPECT_GT(atSite, resting * 3 / 4);
}

TEST(FlightReadings, AccelerometerFeelsBoostCoastParachutesAndRest) {
    const tavix::FlightSpec spec = QuietSpec();
    const auto flight = tavix::MakeFlight(spec);
    const auto& file = flight.file;
    const auto& truth = flight.truth;
    const double zeroG = ZeroG(file);
    EXPECT_EQ(zeroG, spec.recorder.zeroGReading);
    EXPECT_EQ(file[20], zeroG);

    // Frames 4 to 7 sit in the header.
    EXPECT_GT(file[21], zeroG + kReadingsPerG);
    for (int frame = 8; frame < FrameAt(spec.motor.burnTimeS - 0.2); ++frame) {
        ASSERT_GT(Accel(file, frame), zeroG + kReadingsPerG) << "frame " << frame;
    }
    // Coasting, gravity cannot be felt and drag pulls back: at least 1 g below zero.
    for (int frame = FrameAt(spec.motor.burnTimeS + 0.2); frame < FrameAt(truth.apogeeTime - 1.0);
         ++frame) {
        ASSERT_LE(Accel(file, frame), zeroG - kReadingsPerG + 0.5) << "frame " << frame;
    }
    // The drogue charge gives a jolt of several g.
    int jolt = 0;
    for (int i = 1; i <= 4; ++i)
        jolt = std::max(jolt, Accel(file, FrameAt(truth.drogueFireTime) + i));
    EXPECT_GT(jolt, zeroG + 3.0 * kReadingsPerG);
    // Hanging under the main at a steady rate, and resting on the ground, feel like the pad.
    for (int frame = FrameAt(truth.mainFireTime + 5.0); frame <= kLastFrame; ++frame) {
        if (std::abs(frame - FrameAt(truth.landingTime)) < 4)
            continue;  // touchdown
        ASSERT_NEAR(Accel(file, frame), zeroG, 1.0) << "frame " << frame;
    }
}

TEST(FlightReadings, TwoStagesBurnCoastAndBurnAgain) {
    tavix::FlightSpec spec = QuietSpec();
    spec.stages = 2;
    const auto file = tavix::MakeFlight(spec).file;
    const double zeroG = ZeroG(file);
    const double ignition = spec.motor.burnTimeS + spec.stagingCoastS;
    for (int frame = FrameAt(spec.motor.burnTimeS + 0.2); frame < FrameAt(ignition - 0.1);
         ++frame) {
        ASSERT_LT(Accel(file, frame), zeroG - kReadingsPerG + 0.5) << "frame " << frame;
    }
    for (int frame = FrameAt(ignition + 0.1);
         frame < FrameAt(ignition + spec.sustainer.burnTimeS - 0.2); ++frame) {
        ASSERT_GT(Accel(file, frame), zeroG + kReadingsPerG) << "frame " << frame;
    }
}

TEST(FlightReadings, DescentRatesFollowTheRecoverySetup) {
    const auto flight = tavix::MakeFlight(QuietSpec());
    const auto& truth = flight.truth;
    const double drogue = DescentRate(flight.file, truth.drogueFireTime + 4.0, truth.mainFireTime);
    EXPECT_GT(drogue, 50.0);
    EXPECT_LT(drogue, 80.0);
    const double main = DescentRate(flight.file, truth.mainFireTime + 4.0, truth.landingTime - 1.0);
    EXPECT_GT(main, 15.0);
    EXPECT_LT(main, 25.0);

    tavix::FlightSpec spec = QuietSpec();
    spec.noDrogueFire = true;
    spec.mainAltitudeFt = 600;
    const auto tumbling = tavix::MakeFlight(spec);
    const double fall =
        DescentRate(tumbling.file, tumbling.truth.apogeeTime + 6.0, tumbling.truth.mainFireTime);
    EXPECT_GT(fall, 150.0);
    EXPECT_LT(fall, 250.0);
}

TEST(FlightReadings, SeedDecidesTheNoiseAndNothingElse) {
    tavix::FlightSpec spec;
    spec.seed = 11;
    const auto first = tavix::MakeFlight(spec);
    EXPECT_EQ(tavix::MakeFlight(spec).file, first.file);
    spec.seed = 12;
    const auto other = tavix::MakeFlight(spec);
    EXPECT_NE(other.file, first.file);
    EXPECT_EQ(other.truth.apogeeFt, first.truth.apogeeFt);
    EXPECT_EQ(other.truth.landingTime, first.truth.landingTime);
}

}  // namespace
