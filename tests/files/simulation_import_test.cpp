#include "files/simulation_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvale {
namespace {

// A simulator's export in metres: comments, the header as a comment, events, a column Orvale
// does not use and a value left out.
const char kMetres[] =
    "# Simulation 1\n"
    "# Time (s),Altitude (m),Vertical velocity (m/s),Vertical acceleration (m/s²),Mach number ()\n"
    "0.0,0,0,0,0\n"
    "# Event IGNITION occurred at t=0.5 seconds\n"
    "0.5,0,0,0,0\n"
    "# Event LAUNCH occurred at t=0.6 seconds\n"
    "1.0,10,40,100,0.1\r\n"
    "2.0,60,60,-9.81,NaN\n"
    "# Event APOGEE occurred at t=5.5 seconds\n"
    "5.5,200,0,-9.81,0\n";

// The same flight in feet, as a plain CSV with its header as the first line.
const char kFeet[] =
    "Time (s), Altitude AGL (ft), Altitude ASL (ft), Vertical speed (ft/s), Az (G)\n"
    "0.0, 0, 5000, 0, 0\n"
    "0.5, 0, 5000, 0, 0\n"
    "1.0, 32.8083989501, 5032.8, 131.233595801, 10.1971621\n"
    "2.0, 196.850393701, 5196.9, 196.850393701, -1.00034154\n"
    "5.5, 656.167979003, 5656.2, 0, -1.00034154\n";

TEST(SimulationImport, MetresAndFeetGiveTheSameTrackInFeet) {
    SimulationTrack metres = ParseSimulationCsv(kMetres);
    SimulationTrack feet = ParseSimulationCsv(kFeet);
    ASSERT_EQ(metres.time.size(), 5u);
    ASSERT_EQ(feet.time.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(metres.altitude[i], feet.altitude[i], 1e-6) << i;  // AGL, not ASL
        EXPECT_NEAR(metres.velocity[i], feet.velocity[i], 1e-6) << i;
        EXPECT_NEAR(metres.acceleration[i], feet.acceleration[i], 1e-3) << i;
    }
    EXPECT_NEAR(metres.altitude[4], 656.168, 1e-3);
    EXPECT_EQ(metres.events,
              (std::vector<SimulationEvent>{{"IGNITION", 0.5}, {"LAUNCH", 0.6}, {"APOGEE", 5.5}}));

    // Launch from the event, or where the altitude first rises; the figures follow.
    AlignAtLaunch(metres);
    AlignAtLaunch(feet);
    EXPECT_NEAR(metres.time[4], 4.9, 1e-12);
    EXPECT_NEAR(feet.time[4], 5.0, 1e-12);
    const FlightFigures figures = SimulationFigures(metres);
    EXPECT_NEAR(figures.apogee, 656.168, 1e-3);
    EXPECT_NEAR(figures.apogeeTime, 4.9, 1e-12);
    EXPECT_NEAR(*figures.maxSpeed, 196.850, 1e-3);
    EXPECT_NEAR(*figures.maxAccel, 328.084, 1e-3);
    EXPECT_NEAR(*PercentDifference(600.0, figures.apogee), 9.361, 1e-3);
    EXPECT_EQ(PercentDifference(0.0, 10.0), std::nullopt);

    // Without a velocity column the speed comes from the altitude's steps.
    const SimulationTrack heights =
        ParseSimulationCsv("time (s),altitude (ft)\n0,0\n1,100\n3,150\n");
    EXPECT_DOUBLE_EQ(*SimulationFigures(heights).maxSpeed, 100.0);
    EXPECT_EQ(SimulationFigures(heights).maxAccel, std::nullopt);
}

TEST(SimulationImport, WhatCannotBeReadIsSaidPlainly) {
    const auto message = [](const std::string& text) {
        try {
            ParseSimulationCsv(text);
        } catch (const SimulationError& e) {
            return std::string(e.what());
        }
        return std::string("(read)");
    };
    EXPECT_NE(message("Altitude (m),Mass (g)\n1,2\n").find("no time column"), std::string::npos);
    EXPECT_NE(message("Time (s),Mass (g)\n1,2\n").find("no altitude column"), std::string::npos);
    EXPECT_NE(message("Time (s),Altitude (furlongs)\n1,2\n").find("Altitude (furlongs)"),
              std::string::npos);
    EXPECT_NE(message("Time (s),Altitude (m)\n1,2\nx,3\n").find("line 3"), std::string::npos);
    EXPECT_NE(message("1,2\n3,4\n").find("names no columns"), std::string::npos);
    EXPECT_NE(message("Time (s),Altitude (m)\n").find("no rows"), std::string::npos);
    EXPECT_NE(message("").find("no rows"), std::string::npos);
    try {
        ReadSimulationFile("/nonexistent/sim.csv");
        ADD_FAILURE();
    } catch (const SimulationError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/sim.csv"), std::string::npos);
    }
}

}  // namespace
}  // namespace orvale
