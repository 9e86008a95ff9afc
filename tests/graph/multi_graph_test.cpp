// Flights laid over one another: each flight's series as its own time graph gives it, moved by
// its offset and launch; the flyer's own flight untouched; zoom, undo and a missing flight.
#include "graph/multi_graph.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/launch_detection.h"
#include "fake_graph_engine.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_data_export.h"
#include "graph/graph_report.h"
#include "test_image.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

fs::path Samples() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? fs::path(env) : fs::path(ORVALE_SOURCE_DIR) / "samples";
}

using Points = std::vector<std::pair<float, float>>;

class MultiGraph : public ::testing::Test {
protected:
    MultiGraph() {
        for (const char* name : {"FLT-001", "FLT-002", "FLT-003"})
            for (const char* ext : {".DAT", ".PAR"})
                fs::copy_file(Samples() / (std::string(name) + ext),
                              dir.path() / (std::string(name) + ext));
    }
    std::string Path(const std::string& name) const { return (dir.path() / name).string(); }

    // Opens a flight as the flyer's own, entry 0.
    void Open(AppState& s, const std::string& name) {
        InitProgramState(s, {0, dir.path().string() + "/", {}}, prompts);
        s.currentEntry = 0;
        s.entries[0].dataFileName = Path(name);
        LoadCurrentFile(s, prompts, false, true, true);
        ASSERT_GT(s.loadedDataSize, 0);
    }

    // The points the time graph of that flight alone draws for channel `channel`, and its
    // launch on the time axis.
    Points Alone(const std::string& name, int channel, double& launch) {
        AppState s;
        Open(s, name);
        for (ChannelDef& c : s.channels)
            c.selected = false;
        s.channels[static_cast<size_t>(channel - 1)].selected = true;
        test::FakeGraphEngine alone;
        GraphView v;
        EXPECT_EQ(BuildGraph(s, prompts, alone, {true, true, {}}, v), BuildResult::Drawn);
        launch = LaunchTime(s).value_or(-1000.0);
        Points p;
        for (const auto& xy : alone.shown.data.at(0))
            if (xy.first != kGraphNullValue)
                p.push_back(xy);
        return p;
    }

    Points Drawn(int subset) const {
        Points p;
        for (const auto& xy : engine.shown.data.at(static_cast<size_t>(subset)))
            if (xy.first != kGraphNullValue)
                p.push_back(xy);
        return p;
    }

    test::TempDir dir;
    test::FakePrompts prompts;
    test::FakeGraphEngine engine;
    AppState state;
    GraphView view;
};

TEST_F(MultiGraph, EachFlightIsItsOwnTimeGraphMovedByOffsetAndLaunch) {
    const int channel1 = AltitudeChannel(FlightChannelTitles(Path("FLT-001.DAT")));
    const int channel2 = AltitudeChannel(FlightChannelTitles(Path("FLT-002.DAT")));
    double launch1 = 0.0;
    double launch2 = 0.0;
    const Points alone1 = Alone("FLT-001.DAT", channel1, launch1);
    const Points alone2 = Alone("FLT-002.DAT", channel2, launch2);
    ASSERT_GT(alone1.size(), 100u);
    ASSERT_GT(launch1, -1000.0);
    ASSERT_GT(launch2, -1000.0);

    Open(state, "FLT-003.DAT");
    state.channels[0].title = "edited, never saved";
    const AppState before = state;

    for (const bool align : {false, true}) {
        SCOPED_TRACE(align ? "aligned at launch" : "on flight time");
        MultiGraphChoice choice{
            {NewMultiGraphRow(Path("FLT-001.DAT"), 0), NewMultiGraphRow(Path("FLT-002.DAT"), 1)},
            align};
        choice.rows[1].offset = 2.5;
        ASSERT_EQ(BuildMultiGraph(state, prompts, engine, choice, view), BuildResult::Drawn);

        const double shift1 = align ? -launch1 : 0.0;
        const double shift2 = 2.5 - (align ? launch2 : 0.0);
        for (const auto& [points, alone, shift] :
             {std::tuple{Drawn(0), alone1, shift1}, std::tuple{Drawn(1), alone2, shift2}}) {
            ASSERT_EQ(points.size(), alone.size());
            for (size_t j = 0; j < points.size(); ++j) {
                ASSERT_FLOAT_EQ(points[j].first, static_cast<float>(alone[j].first + shift))
                    << "point " << j;
                ASSERT_EQ(points[j].second, alone[j].second) << "point " << j;
            }
        }
        EXPECT_EQ(engine.shown.xLabel, align ? kLaunchTimeLabel : kFlightTimeLabel);
        EXPECT_EQ(engine.shown.colours[0], ChannelColour(DefaultMultiGraphColour(0)));
        EXPECT_EQ(engine.shown.colours[1], ChannelColour(DefaultMultiGraphColour(1)));
        // One shared scale for two altitudes; every marker thin, in its flight's colour.
        if (FlightChannelTitles(Path("FLT-001.DAT"))[channel1 - 1] ==
            FlightChannelTitles(Path("FLT-002.DAT"))[channel2 - 1]) {
            ASSERT_EQ(engine.shown.axes.size(), 1u);
            EXPECT_EQ(engine.shown.axes[0].subsets, 2);
        }
        ASSERT_GE(engine.shown.lines.size(), 2u);
        for (const VerticalLine& line : engine.shown.lines) {
            EXPECT_EQ(line.width, kFlightMarkerWidth);
            EXPECT_TRUE(line.colour == engine.shown.colours[0] ||
                        line.colour == engine.shown.colours[1]);
        }
        EXPECT_EQ(engine.shown.xRange.min,
                  std::min(alone1.front().first + shift1, alone2.front().first + shift2));

        // The flyer's flight, its unsaved edits and its summary are as they were.
        EXPECT_EQ(state.entries[0].dataFileName, before.entries[0].dataFileName);
        EXPECT_EQ(state.channels[0].title, "edited, never saved");
        EXPECT_EQ(state.flight.note, before.flight.note);
        EXPECT_EQ(state.results.apogeePressureHeight, before.results.apogeePressureHeight);
        EXPECT_EQ(state.image, before.image);
        EXPECT_EQ(state.workingDirectory, before.workingDirectory);
        EXPECT_EQ(state.currentEntry, 0);

        // The export writes the flights on the graph's time, named by file and channel.
        std::ostringstream csv;
        ASSERT_TRUE(WriteGraphData(csv, state, view));
        const std::string first = csv.str().substr(0, csv.str().find('\n'));
        EXPECT_NE(first.find("FLT-001.DAT"), std::string::npos) << first;
        EXPECT_NE(first.find("FLT-002.DAT"), std::string::npos) << first;
        EXPECT_NE(first.find("+2.50 s"), std::string::npos) << first;
    }
}

TEST_F(MultiGraph, ZoomComputesEachFlightOnItsOwnClockAndAMissingFlightChangesNothing) {
    Open(state, "FLT-003.DAT");
    MultiGraphChoice choice{
        {NewMultiGraphRow(Path("FLT-001.DAT"), 0), NewMultiGraphRow(Path("FLT-002.DAT"), 1)}, true};
    choice.rows[1].offset = 1.0;
    ASSERT_EQ(BuildMultiGraph(state, prompts, engine, choice, view), BuildResult::Drawn);
    const XRange full = engine.shown.xRange;
    const std::vector<float> shifts = view.timeShift;

    engine.zoomed = {1.0, 3.0};
    EXPECT_EQ(MultiGraphZoomIn(state, prompts, engine, choice, view), ZoomResult::Recomputed);
    for (int k = 1; k <= 2; ++k) {
        const DataFileEntry& e = state.entries[static_cast<size_t>(k)];
        EXPECT_NEAR(e.graphStart, 1.0 - shifts[static_cast<size_t>(k - 1)], 1e-6);
        EXPECT_NEAR(e.graphLength, 2.0, 1e-6);
    }
    EXPECT_EQ(engine.shown.xRange, (XRange{1.0, 3.0}));
    engine.zoomed = {1.5, 2.5};
    EXPECT_EQ(MultiGraphZoomIn(state, prompts, engine, choice, view), ZoomResult::Rescaled);
    EXPECT_EQ(MultiGraphUndoZoom(state, prompts, engine, choice, view), ZoomResult::Rescaled);
    EXPECT_EQ(MultiGraphUndoZoom(state, prompts, engine, choice, view), ZoomResult::Recomputed);
    EXPECT_EQ(engine.shown.xRange, full);
    EXPECT_EQ(MultiGraphUndoZoom(state, prompts, engine, choice, view), ZoomResult::NotDrawn);

    // A flight gone from its folder: told, and the graph and the flyer's flight stay.
    const int applies = engine.applies;
    const AppState before = state;
    fs::remove(Path("FLT-002.DAT"));
    prompts.warnings.clear();
    EXPECT_EQ(BuildMultiGraph(state, prompts, engine, choice, view), BuildResult::SeriesFailed);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("FLT-002.DAT"), std::string::npos);
    EXPECT_EQ(engine.applies, applies);
    EXPECT_EQ(state.entries[0].dataFileName, before.entries[0].dataFileName);
    EXPECT_EQ(state.image, before.image);
    EXPECT_EQ(state.entries[2].dataFileName, before.entries[2].dataFileName);

    prompts.warnings.clear();
    EXPECT_EQ(BuildMultiGraph(state, prompts, engine, MultiGraphChoice{}, view),
              BuildResult::NothingToDraw);
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{kNoFlightsToCompare});
}

}  // namespace
}  // namespace orvale

namespace orvale {
namespace {

TEST_F(MultiGraph, TheReportDescribesEachFlightFromTheParameterFileBesideIt) {
    const fs::path other = dir.path() / "other";
    fs::create_directory(other);
    for (const char* ext : {".DAT", ".PAR"}) {
        fs::copy_file(Samples() / (std::string("FLT-007") + ext),
                      other / (std::string("FLT-007") + ext));
    }
    Open(state, "FLT-003.DAT");
    const std::string workingDirectory = state.workingDirectory;
    const MultiGraphChoice choice{{NewMultiGraphRow(Path("FLT-001.DAT"), 0),
                                   NewMultiGraphRow((other / "FLT-007.DAT").string(), 1)},
                                  true};
    ASSERT_EQ(BuildMultiGraph(state, prompts, engine, choice, view), BuildResult::Drawn);
    const std::vector<std::string> lines = BuildReportLines(state, prompts, 0, true);
    const auto has = [&](const std::string& text) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(has("Small single-stage flight")) << "FLT-001's own note";
    EXPECT_TRUE(has("memory full before landing")) << "FLT-007's note, from its own folder";
    EXPECT_EQ(state.workingDirectory, workingDirectory);
}

}  // namespace
}  // namespace orvale
