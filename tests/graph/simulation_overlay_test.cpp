// A simulation export drawn beside the graph of the sample flight it simulates: which series get
// a curve, in which unit, and where its launch falls on the flight's time axis.
#include "graph/simulation_overlay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/launch_detection.h"
#include "fake_graph_engine.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "test_image.h"

namespace orvale {
namespace {

// One flight exported twice, in metres and in feet, with the simulator's comment lines, its
// header written as a comment and its events.
const char kMetres[] =
    "# Time (s),Altitude (m),Vertical velocity (m/s),Vertical acceleration (m/s²),Mass (g)\n"
    "# Event IGNITION occurred at t=0.5 seconds\n"
    "0.0,0,0,0,500\n"
    "# Event LAUNCH occurred at t=0.5 seconds\n"
    "0.5,0,0,0,500\n"
    "1.0,10,40,100,480\n"
    "2.0,60,60,-9.81,470\n"
    "# Event APOGEE occurred at t=5.5 seconds\n"
    "5.5,200,0,-9.81,470\n";
const char kFeet[] =
    "# Time (s),Altitude (ft),Vertical velocity (ft/s),Vertical acceleration (ft/s²)\n"
    "0.0,0,0,0\n"
    "# Event LAUNCH occurred at t=0.5 seconds\n"
    "0.5,0,0,0\n"
    "1.0,32.8083989501,131.233595801,328.083989501\n"
    "2.0,196.850393701,196.850393701,-32.1850393701\n"
    "# Event APOGEE occurred at t=5.5 seconds\n"
    "5.5,656.167979003,0,-32.1850393701\n";

class SimulationOverlay : public ::testing::Test {
protected:
    // FLT-001 graphed with its own channels 1..3: "Acceleration (g)", "Pressure Altitude (ft)"
    // and "Speed (ft/sec)".
    void SetUp() override {
        const char* env = std::getenv("ORVALE_SAMPLES");
        const std::filesystem::path samples =
            env ? env : std::filesystem::path(ORVALE_SOURCE_DIR) / "samples";
        InitProgramState(state, {0, dir.path().string(), {}}, prompts);
        state.entries[0].dataFileName = (samples / "FLT-001.DAT").string();
        LoadCurrentFile(state, prompts, false, true, true);
        for (size_t i = 0; i < state.channels.size(); ++i)
            state.channels[i].selected = i < 3;
        ASSERT_EQ(BuildGraph(state, prompts, engine, {true, true, {}}, view), BuildResult::Drawn);
    }

    ShownSimulation Load(const std::string& name, const std::string& text) {
        const std::string path = (dir.path() / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return LoadSimulation(state, path);
    }

    test::TempDir dir;
    test::FakePrompts prompts;
    AppState state;
    test::FakeGraphEngine engine;
    GraphView view;
};

TEST_F(SimulationOverlay, MetresAndFeetGiveTheSameCurvesInEachSeriesUnitAtTheFlightsLaunch) {
    const std::vector<OverlayCurve> a = SimulationOverlays(state, Load("m.csv", kMetres), 3);
    const std::vector<OverlayCurve> b = SimulationOverlays(state, Load("ft.csv", kFeet), 3);
    ASSERT_EQ(a.size(), 3u);
    ASSERT_EQ(b.size(), 3u);
    for (size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(a[c].subset, static_cast<int>(c));
        ASSERT_EQ(a[c].x.size(), 5u);
        EXPECT_EQ(a[c].x, b[c].x);
        for (size_t i = 0; i < 5; ++i)
            EXPECT_NEAR(a[c].y[i], b[c].y[i], 1e-3) << c << " " << i;
    }
    // The file's launch (0.5 s) sits on the flight's; g, feet and ft/sec as the series are.
    const double launch = LaunchTime(state).value();
    EXPECT_FLOAT_EQ(a[1].x[1], static_cast<float>(launch));
    EXPECT_FLOAT_EQ(a[1].x[4], static_cast<float>(launch + 5.0));
    EXPECT_NEAR(a[0].y[2], 100.0 / 0.3048 / 32.17, 1e-3);
    EXPECT_NEAR(a[1].y[4], 656.168, 1e-3);
    EXPECT_NEAR(a[2].y[3], 196.850, 1e-3);
}

TEST_F(SimulationOverlay, OnlySeriesOfTheSimulatedFlightAndQuantityGetACurve) {
    using Q = SimulatedQuantity;
    const std::vector<std::pair<const char*, std::optional<SimulatedChannel>>> cases = {
        {"Pressure Altitude (FT)", SimulatedChannel{Q::Altitude, 1.0}},
        {"Height (m)", SimulatedChannel{Q::Altitude, 0.3048}},
        {"Vertical velocity (m / s)", SimulatedChannel{Q::Velocity, 0.3048}},
        {"Accel (ft/sec²)", SimulatedChannel{Q::Acceleration, 1.0}},
        {"Acceleration (ft)", std::nullopt},  // a length is not an acceleration
        {"Pressure (ft)", std::nullopt},      // a length, but not named an altitude
        {"Speed (mph)", std::nullopt},
        {"Altitude", std::nullopt},
    };
    for (const auto& [title, match] : cases)
        EXPECT_EQ(MatchSimulatedChannel(title), match) << title;

    // Without a velocity column the speed series gets none; a series of another flight none.
    const ShownSimulation heights = Load("h.csv", "Time (s),Altitude (ft)\n0,0\n1,100\n3,150\n");
    const std::vector<OverlayCurve> curves = SimulationOverlays(state, heights, 3);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0].subset, 1);
    state.entries[2].dataFileName = "FLT-002.DAT";
    EXPECT_TRUE(SimulationOverlays(state, heights, 3).empty());
    EXPECT_TRUE(ShowsSimulatedFlight(state, heights));
    state.entries[0].dataFileName = "FLT-002.DAT";
    EXPECT_FALSE(ShowsSimulatedFlight(state, heights));
}

}  // namespace
}  // namespace orvale
