// Command-line options of make-flight: what they set, and the mistakes they refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "make_flight_command.h"
#include "motor_presets.h"

namespace {

using Args = std::vector<std::string>;

TEST(MakeFlightArgs, OptionsReachTheSpec) {
    const auto parsed = tavix::ParseMakeFlightArgs(
        {"--mode", "main", "--stages=2", "--main-altitude", "2400", "--seed", "4000000000",
         "--site-elevation", "4500.5", "--motor", "large", "--out", "X.DAT"});
    ASSERT_EQ(parsed.error, "");
    const tavix::FlightSpec& spec = parsed.request.spec;
    EXPECT_FALSE(spec.drogueToMain);
    EXPECT_EQ(spec.stages, 2);
    EXPECT_EQ(spec.mainAltitudeFt, 2400);
    EXPECT_EQ(spec.seed, 4000000000u);
    EXPECT_EQ(spec.siteElevationFt, 4500.5);
    EXPECT_EQ(spec.motor.averageThrustLbf, tavix::MotorPreset("LARGE")->averageThrustLbf);
    EXPECT_EQ(spec.sustainer.burnTimeS, tavix::MotorPreset("LARGE")->burnTimeS);
    EXPECT_EQ(parsed.request.outPath, "X.DAT");

    const auto explicitMotor =
        tavix::ParseMakeFlightArgs({"--no-drogue-fire", "--thrust", "30", "--burn", "1.8"});
    ASSERT_EQ(explicitMotor.error, "");
    EXPECT_TRUE(explicitMotor.request.spec.noDrogueFire);
    EXPECT_EQ(explicitMotor.request.spec.motor.averageThrustLbf, 30.0);
    EXPECT_EQ(explicitMotor.request.spec.motor.burnTimeS, 1.8);
    EXPECT_GT(explicitMotor.request.spec.motor.propellantLb, 0.0);
}

TEST(MakeFlightArgs, MistakesGiveOneLineAndStatusTwo) {
    const std::vector<Args> bad = {
        {"--mode", "dual"},
        {"--stages", "3"},
        {"--main-altitude", "1000"},
        {"--seed", "-1"},
        {"--seed", "5000000000"},
        {"--site-elevation", "high"},
        {"--motor", "HUGE"},
        {"--motor", "SMALL", "--thrust", "20"},
        {"--thrust", "20"},
        {"--thrust", "0", "--burn", "1"},
        {"--mode", "main", "--no-drogue-fire"},
        {"--out"},
        {"--colour", "red"},
        {"stray"},
    };
    for (const Args& args : bad) {
        const auto parsed = tavix::ParseMakeFlightArgs(args);
        EXPECT_NE(parsed.error, "") << args[0];
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
        EXPECT_EQ(tavix::RunMakeFlight(args), 2) << args[0];
    }
}

TEST(MakeFlightArgs, TruthLineNamesMissingEventsAndLateLandings) {
    tavix::FlightTruth truth;
    truth.apogeeFt = 1234.5;
    truth.mainFireTime = 20.5;
    truth.landingTime = 300.0;
    const std::string line = tavix::TruthLine(truth);
    EXPECT_NE(line.find("apogee 1234.5 ft"), std::string::npos) << line;
    EXPECT_NE(line.find("drogue none"), std::string::npos) << line;
    EXPECT_NE(line.find("main 20.5000 s"), std::string::npos) << line;
    EXPECT_NE(line.find("after the memory is full"), std::string::npos) << line;
}

}  // namespace
