// The graph built and zoomed on the sample flights, as the recording engine sees it.
#include "graph/graph_build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/time_window.h"
#include "fake_graph_engine.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_zoom.h"
#include "test_image.h"

namespace orvale {
namespace {

std::filesystem::path SamplesDir() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? std::filesystem::path(env) : std::filesystem::path(ORVALE_SOURCE_DIR) / "samples";
}

class GraphBuild : public ::testing::Test {
protected:
    // Opens a sample flight as entry 0 with no channel selected; a window is set when given.
    void Open(const std::string& name, double start = 0.0, double length = 0.0) {
        InitProgramState(state, {0, dir.path().string(), {}}, prompts);
        state.currentEntry = 0;
        state.entries[0].dataFileName = (SamplesDir() / name).string();
        LoadCurrentFile(state, prompts, false, true, true);
        ASSERT_GT(state.loadedDataSize, 0);
        if (length > 0.0) {
            SetGraphStart(state, prompts, false, start);
            SetGraphLength(state, prompts, false, length);
        }
        for (ChannelDef& c : state.channels)
            c.selected = false;
    }
    void Select(int channel, const std::string& formula = "ch1") {
        ChannelDef& c = state.channels[static_cast<size_t>(channel - 1)];
        c.selected = true;
        c.formula = formula;
        c.title = "Channel " + std::to_string(channel);
        c.colourIndex = channel;
        c.minReading = 0.0f;
        c.maxReading = 4095.0f;
    }
    BuildResult Build(bool overlap = true) {
        const GraphWindowState window{overlap, state.summaryRows.drogueRowVisible,
                                      [this](bool busy) { cursor.push_back(busy); }};
        return BuildGraph(state, prompts, engine, window, view);
    }
    ZoomResult Zoom(double from, double to) {
        engine.zoomed = {from, to};
        return ZoomIn(state, prompts, engine, view);
    }
    ZoomResult Undo() { return UndoZoom(state, prompts, engine, view); }
    int32_t Last(int k) const { return state.series[static_cast<size_t>(k)].pointCount; }
    SeriesWindow Window(int k) const {
        const DataFileEntry& e = state.entries[static_cast<size_t>(k)];
        return {e.graphStart, e.graphLength};
    }

    test::TempDir dir;
    test::FakePrompts prompts;
    test::FakeGraphEngine engine;
    AppState state;
    GraphView view;
    std::vector<bool> cursor;
};

TEST_F(GraphBuild, ChannelsArePairedOnAxesStackedOrOverlapped) {
    for (int n = 1; n <= 4; ++n) {
        for (bool overlap : {true, false}) {
            SCOPED_TRACE(testing::Message() << n << " channels, overlap " << overlap);
            Open("FLT-001.DAT");
            for (int c = 1; c <= n; ++c)
                Select(c);
            ASSERT_EQ(Build(overlap), BuildResult::Drawn);
            const int axes = (n + 1) / 2;
            ASSERT_EQ(engine.Subsets(), n);
            ASSERT_EQ(engine.now.axes.size(), static_cast<size_t>(axes));
            for (int u = 0; u < axes; ++u) {
                const GraphAxis& axis = engine.now.axes[static_cast<size_t>(u)];
                const bool pair = 2 * u + 2 <= n;
                EXPECT_EQ(axis.subsets, pair ? 2 : 1);
                EXPECT_EQ(axis.rightSubsets, pair ? 1 : 0);
                EXPECT_EQ(axis.left.label, "Channel " + std::to_string(2 * u + 1));
                EXPECT_EQ(axis.right.label, pair ? "Channel " + std::to_string(2 * u + 2) : "");
                EXPECT_FLOAT_EQ(axis.heightShare, overlap ? 1.0f : 1.0f / static_cast<float>(axes));
            }
            EXPECT_EQ(engine.now.overlap, overlap ? std::vector<int>{axes} : std::vector<int>{});
            EXPECT_EQ(engine.applies, 1);
            engine.applies = 0;
        }
    }
}

TEST_F(GraphBuild, SeriesTakeTheirOwnChannelsColourTitleAndRange) {
    Open("FLT-001.DAT");
    Select(1);
    Select(3, "int(ch1)*32.17");
    state.channels[2].title = "Speed (ft/sec)";
    state.channels[2].colourIndex = 10;
    state.channels[2].minReading = -100.0f;
    state.channels[2].maxReading = 700.0f;
    engine.blueBits = 1;  // the engine holds FF 00 00 as FF 00 01
    ASSERT_EQ(Build(), BuildResult::Drawn);

    EXPECT_EQ(state.entries[2].entryNumber, 2);
    const GraphAxis& axis = engine.now.axes.at(0);
    EXPECT_EQ(axis.right, (AxisScale{"Speed (ft/sec)", {0xFF, 0x00, 0x01}, -100.0, 700.0}));
    EXPECT_EQ(engine.SubsetColour(1), (RgbColour{0xFF, 0x00, 0x01}));
    EXPECT_EQ(axis.left.colour, (RgbColour{0x00, 0xC0, 0x01}));
    EXPECT_EQ(engine.now.mainTitle, "File: FLT-001.DAT");
    EXPECT_EQ(engine.now.subTitle, "Vantrel Orvale");
    EXPECT_EQ(engine.now.xLabel, "Flight Time (sec)");
    EXPECT_EQ(engine.now.xRange, (XRange{-0.25, -0.25 + state.entries[1].graphLength}));
    EXPECT_EQ(state.currentEntry, 2);
    EXPECT_TRUE(state.entries[2].inUse);
    EXPECT_FALSE(state.entries[3].inUse);
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
}

TEST_F(GraphBuild, PointsAreClippedToTheReadingsAndPaddedWithNulls) {
    Open("FLT-001.DAT", 0.0, 10.0);
    Select(1);
    state.channels[0].minReading = -1.0f;
    state.channels[0].maxReading = 5.0f;
    ASSERT_EQ(Build(), BuildResult::Drawn);
    const ChannelSamples& s = state.series[1];
    ASSERT_EQ(s.pointCount, 160);
    ASSERT_EQ(engine.Points(), 512);
    const auto& points = engine.now.data.at(0);
    EXPECT_EQ(points[0].first, 0.0f);  // point 0 at the graph start
    int atTop = 0;
    int atBottom = 0;
    for (int j = 1; j <= 160; ++j) {
        const float y = points[static_cast<size_t>(j)].second;
        EXPECT_EQ(points[static_cast<size_t>(j)].first, s.x[static_cast<size_t>(j)]);
        EXPECT_EQ(y, std::clamp(s.y[static_cast<size_t>(j)], -1.0f, 5.0f)) << j;
        atTop += s.y[static_cast<size_t>(j)] > 5.0f && y == 5.0f;
        atBottom += s.y[static_cast<size_t>(j)] < -1.0f && y == -1.0f;
    }
    EXPECT_GT(atTop, 0);     // the boost reads above 5 g
    EXPECT_GT(atBottom, 0);  // the coast below -1 g
    for (int j = 161; j < 512; ++j)
        EXPECT_EQ(points[static_cast<size_t>(j)], std::make_pair(kGraphNullValue, kGraphNullValue));

    // A series of 513 points (0..512) sizes the engine to hold all of them.
    Open("FLT-002.DAT", 0.0, 100.0);
    Select(1);
    ASSERT_EQ(Build(), BuildResult::Drawn);
    EXPECT_EQ(Last(1), 512);
    EXPECT_EQ(engine.Points(), 513);
    EXPECT_EQ(engine.DrawnPoints(0), 513);
}

TEST_F(GraphBuild, EventLinesMarkTheFlightAndHideAnUnshownDrogue) {
    Open("FLT-001.DAT");
    Select(1);
    ASSERT_EQ(Build(), BuildResult::Drawn);
    const FlightResults& r = state.results;
    EXPECT_EQ(engine.now.lines,
              (std::vector<VerticalLine>{{r.mainFireTime, {0x00, 0xFF, 0x00}, "|H Main Fired"},
                                         {10.875, {0x00, 0x80, 0x00}, "|h Drogue Fired"},
                                         {10.9375, {0xFF, 0x00, 0x00}, "|t Deploy Detected"}}));

    Open("FLT-002.DAT");  // main only: the summary hides its drogue row
    Select(1);
    ASSERT_FALSE(state.summaryRows.drogueRowVisible);
    ASSERT_EQ(Build(), BuildResult::Drawn);
    EXPECT_EQ(engine.now.lines.at(1).x, kMarkerOffAxis);
    EXPECT_EQ(engine.now.lines.at(0).x, 14.4375);
}

// A 100 s window is 1600 samples averaged down to 512 points. A 20 s rectangle (under half of
// it) computes every series again over 320 samples, one point each: points 1..320 plus point 0
// at the window's start, 321 drawn points. A 60 s rectangle only moves the X scale.
TEST_F(GraphBuild, ANarrowZoomComputesTheSeriesAgainAndItsUndoReturns) {
    Open("FLT-002.DAT", 0.0, 100.0);
    Select(1);
    Select(2, "ch2");
    Select(3, "int(ch1)*32.17");
    ASSERT_EQ(Build(), BuildResult::Drawn);

    EXPECT_EQ(Zoom(40.0, 100.0), ZoomResult::Rescaled);
    EXPECT_EQ(engine.shown.xRange, (XRange{40.0, 100.0}));
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(Last(k), 512);
    EXPECT_EQ(Undo(), ZoomResult::Rescaled);
    EXPECT_EQ(engine.shown.xRange, (XRange{0.0, 100.0}));

    EXPECT_EQ(Zoom(20.0, 40.0), ZoomResult::Recomputed);
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Last(k), 320);
        EXPECT_EQ(engine.DrawnPoints(k - 1), 321);
        EXPECT_NEAR(Window(k).start, 20.0, 1e-5);
        EXPECT_NEAR(Window(k).length, 20.0, 1e-5);
        const auto& points = engine.shown.data.at(static_cast<size_t>(k - 1));
        EXPECT_FLOAT_EQ(points[0].first, 20.0f);
        EXPECT_FLOAT_EQ(points[320].first, 40.0f);
    }
    EXPECT_EQ(engine.shown.xRange, (XRange{20.0, 40.0}));

    EXPECT_EQ(Undo(), ZoomResult::Recomputed);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(Last(k), 512);
        EXPECT_EQ(Window(k), (SeriesWindow{0.0, 100.0}));
    }
    EXPECT_EQ(engine.shown.xRange, (XRange{0.0, 100.0}));
    EXPECT_EQ(Undo(), ZoomResult::NotDrawn);
}

TEST_F(GraphBuild, ZoomsUndoOneByOne) {
    Open("FLT-002.DAT", 0.0, 100.0);
    Select(1);
    ASSERT_EQ(Build(), BuildResult::Drawn);
    EXPECT_EQ(Zoom(30.0, 90.0), ZoomResult::Rescaled);
    EXPECT_EQ(Zoom(40.0, 60.0), ZoomResult::Recomputed);  // under half of the 100 s computed
    EXPECT_EQ(Zoom(45.0, 50.0), ZoomResult::Recomputed);  // under half of the 20 s computed
    EXPECT_EQ(Last(1), 80);

    EXPECT_EQ(Undo(), ZoomResult::Recomputed);
    EXPECT_EQ(engine.shown.xRange, (XRange{40.0, 60.0}));
    EXPECT_NEAR(Window(1).length, 20.0, 1e-5);
    EXPECT_EQ(Last(1), 320);
    EXPECT_EQ(Undo(), ZoomResult::Recomputed);
    EXPECT_EQ(engine.shown.xRange, (XRange{30.0, 90.0}));
    EXPECT_EQ(Window(1), (SeriesWindow{0.0, 100.0}));
    EXPECT_EQ(Undo(), ZoomResult::Rescaled);
    EXPECT_EQ(engine.shown.xRange, (XRange{0.0, 100.0}));
    EXPECT_EQ(Undo(), ZoomResult::NotDrawn);
}

TEST_F(GraphBuild, NoFlightNoChannelOrABadFormulaStopTheBuild) {
    Open("FLT-001.DAT");
    ASSERT_EQ(Build(), BuildResult::NothingToDraw);
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{"Nothing to draw"});
    EXPECT_EQ(engine.applies, 0);

    Select(1);
    Select(2, "qq");
    cursor.clear();
    EXPECT_EQ(Build(), BuildResult::SeriesFailed);
    EXPECT_EQ(prompts.errors.size(), 1u);   // the formula's own report
    EXPECT_EQ(engine.DrawnPoints(0), 513);  // sent, but never applied
    EXPECT_EQ(engine.applies, 0);
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(Zoom(10.0, 20.0), ZoomResult::NotDrawn);

    state.entries[0].dataFileName = kNoFile;
    state.channels[1].formula = "ch1";
    prompts.errors.clear();
    cursor.clear();
    EXPECT_EQ(Build(), BuildResult::NoFlight);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{kNoFlightDataText});
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));  // not left busy
    EXPECT_EQ(engine.applies, 0);
}

// The graph on screen stays, with the entries and series it was drawn from, so the next zoom
// computes from what is drawn.
TEST_F(GraphBuild, AZoomThatCannotPrepareASeriesKeepsTheGraphOnScreen) {
    Open("FLT-002.DAT", 0.0, 100.0);
    Select(1);
    Select(2, "ch2");
    ASSERT_EQ(Build(), BuildResult::Drawn);
    const test::EngineContent drawn = engine.shown;
    const std::vector<float> firstSeries = state.series[1].y;

    state.channels[1].formula = "qq";  // series 1 is computed again before series 2 fails
    EXPECT_EQ(Zoom(20.0, 40.0), ZoomResult::Failed);
    EXPECT_EQ(engine.shown.data, drawn.data);
    EXPECT_EQ(engine.shown.xRange, drawn.xRange);
    EXPECT_EQ(Window(1), (SeriesWindow{0.0, 100.0}));
    EXPECT_EQ(Window(2), (SeriesWindow{0.0, 100.0}));
    EXPECT_EQ(state.series[1].y, firstSeries);
    EXPECT_EQ(Last(1), 512);
    EXPECT_TRUE(view.undo.empty());

    state.channels[1].formula = "ch2";
    EXPECT_EQ(Zoom(20.0, 40.0), ZoomResult::Recomputed);
    EXPECT_NEAR(Window(2).start, 20.0, 1e-5);
    EXPECT_NEAR(Window(2).length, 20.0, 1e-5);
    state.channels[1].formula = "qq";
    EXPECT_EQ(Undo(), ZoomResult::Failed);
    EXPECT_EQ(engine.shown.xRange, (XRange{20.0, 40.0}));
    EXPECT_EQ(view.undo.size(), 1u);
    EXPECT_EQ(Last(1), 320);
}

}  // namespace
}  // namespace orvale

namespace orvale {
namespace {

float Sum(const std::vector<float>& v) {
    float s = 0.0f;
    for (float x : v)
        s += x;
    return s;
}

// A histogram and a spectrum among time series: each in a band of its own below the time axes,
// in its channel's colour; the time axes pair the others and show their window, not the
// spectrum's shortened one. A narrow zoom computes the bands again over its span.
TEST_F(GraphBuild, HistogramsAndSpectraHaveBandsOfTheirOwnThatFollowTheZoom) {
    Open("FLT-002.DAT", 0.0, 100.0);
    Select(1, "FFT(ch1)");
    Select(2);
    Select(3, "HST 50, ch1");
    Select(4, "ch2");
    ASSERT_EQ(Build(false), BuildResult::Drawn);

    // Series 2 and 4 share the one time axis, as subsets 0 and 1.
    ASSERT_EQ(engine.shown.data.size(), 2u);
    ASSERT_EQ(engine.shown.axes.size(), 1u);
    EXPECT_EQ(engine.shown.axes[0].left.label, "Channel 2");
    EXPECT_EQ(engine.shown.axes[0].right.label, "Channel 4");
    EXPECT_EQ(engine.shown.axes[0].right.colour, ChannelColour(4));
    EXPECT_EQ(engine.shown.data[1][5].first, state.series[4].x[5]);
    EXPECT_EQ(engine.shown.xRange, (XRange{0.0, 100.0}));
    EXPECT_EQ(Window(1).length, 64.0);  // the spectrum's 1024 samples

    auto checkBands = [&](double seconds) {
        ASSERT_EQ(engine.shown.bands.size(), 2u);
        const ValueBand& spectrum = engine.shown.bands[0];
        EXPECT_EQ(spectrum.kind, BandKind::Curve);
        EXPECT_EQ(spectrum.xLabel, "Frequency (Hz)");
        EXPECT_EQ(spectrum.xRange, (XRange{0.0, 8.0}));
        EXPECT_EQ(spectrum.scale.label, "Amplitude: Channel 1");
        EXPECT_EQ(spectrum.scale.colour, ChannelColour(1));
        EXPECT_EQ(spectrum.x.size(), static_cast<size_t>(Last(1) + 1) / 2 + 1);

        const ValueBand& bars = engine.shown.bands[1];
        EXPECT_EQ(bars.kind, BandKind::Bars);
        EXPECT_EQ(bars.xLabel, "Channel 3");
        EXPECT_EQ(bars.scale.label, "Time Spent (sec)");
        EXPECT_EQ(bars.scale.colour, ChannelColour(3));
        EXPECT_EQ(bars.x.size(), static_cast<size_t>(Last(3) + 1));
        EXPECT_EQ(bars.barWidth, bars.x[1] - bars.x[0]);
        EXPECT_EQ(bars.xRange.min, bars.x.front() - bars.barWidth / 2);
        // Every sample of the window is counted once.
        EXPECT_NEAR(Sum(bars.y), seconds, 1e-3);
    };
    checkBands(100.0);

    EXPECT_EQ(Zoom(20.0, 40.0), ZoomResult::Recomputed);
    EXPECT_EQ(engine.shown.xRange, (XRange{20.0, 40.0}));
    EXPECT_NEAR(Window(3).length, 20.0, 1e-5);
    EXPECT_NEAR(Window(1).start, 20.0, 1e-5);
    EXPECT_EQ(Window(1).length, 16.0);  // 256 samples of the 320
    checkBands(20.0);
    EXPECT_EQ(Undo(), ZoomResult::Recomputed);
    checkBands(100.0);

    // With only bands there is no time to zoom.
    Open("FLT-002.DAT", 0.0, 100.0);
    Select(3, "HST 50, ch1");
    ASSERT_EQ(Build(), BuildResult::Drawn);
    EXPECT_EQ(engine.shown.data.size(), 0u);
    EXPECT_TRUE(engine.shown.axes.empty());
    EXPECT_EQ(engine.shown.bands.size(), 1u);
    EXPECT_EQ(Zoom(20.0, 40.0), ZoomResult::NotDrawn);
}

}  // namespace
}  // namespace orvale
