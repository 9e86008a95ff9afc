// One channel against another on the sample flights: the pairs are the time graph's own series
// point by point, the marks sit at the flight's events, and the CSV holds the pairs.
#include "graph/xy_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>

#include "core/time_window.h"
#include "fake_graph_engine.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "test_image.h"

namespace orvale {
namespace {

std::filesystem::path SamplesDir() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? std::filesystem::path(env) : std::filesystem::path(ORVALE_SOURCE_DIR) / "samples";
}

class XyPlotTest : public ::testing::Test {
protected:
    // A sample flight with its own parameter file: slot 1 the pressure altitude, slot 2 the speed.
    void Open(const std::string& name) {
        InitProgramState(state, {0, dir.path().string(), {}}, prompts);
        state.currentEntry = 0;
        state.entries[0].dataFileName = (SamplesDir() / name).string();
        LoadCurrentFile(state, prompts, false, true, true);
        ASSERT_GT(state.loadedDataSize, 0);
    }
    XyResult Build(int x, std::vector<int> ys) {
        const DataFileEntry& flight = state.entries[0];
        return BuildXyPlot(state, prompts,
                           {x, std::move(ys), flight.graphStart, flight.graphLength}, plot);
    }

    test::TempDir dir;
    test::FakePrompts prompts;
    AppState state;
    XyPlot plot;
};

TEST_F(XyPlotTest, PairsAreTheTimeGraphsSeriesPointByPointAndTheStateIsGivenBack) {
    Open("FLT-001.DAT");
    ASSERT_EQ(state.channels[1].title, "Pressure Altitude (ft)");
    ASSERT_EQ(state.channels[2].formula, "int(ch1)*32.17");
    // The time graph of the same two channels, as the graph window draws it.
    for (ChannelDef& c : state.channels)
        c.selected = false;
    state.channels[1].selected = state.channels[2].selected = true;
    test::FakeGraphEngine engine;
    GraphView view;
    ASSERT_EQ(BuildGraph(state, prompts, engine, {true, true, {}}, view), BuildResult::Drawn);
    const ChannelSamples altitude = state.series[1];
    const ChannelSamples speed = state.series[2];
    const auto lines = engine.now.lines;
    state.currentEntry = 0;  // as the graph window leaves it

    const AppState before = state;
    ASSERT_EQ(Build(1, {2}), XyResult::Drawn);
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_EQ(plot.fileName, "FLT-001.DAT");
    EXPECT_EQ(plot.x.title, "Pressure Altitude (ft)");
    ASSERT_EQ(plot.y.size(), 1u);
    EXPECT_EQ(plot.y[0].title, "Speed (ft/sec)");
    EXPECT_EQ(plot.y[0].colour, ChannelColour(state.channels[2].colourIndex));
    ASSERT_EQ(static_cast<int>(plot.time.size()), altitude.pointCount + 1);
    ASSERT_EQ(plot.x.values.size(), plot.time.size());
    ASSERT_EQ(plot.y[0].values.size(), plot.time.size());
    EXPECT_EQ(plot.time[0], static_cast<float>(state.entries[0].graphStart));
    for (size_t j = 0; j < plot.time.size(); ++j) {
        SCOPED_TRACE(j);
        if (j > 0) {
            EXPECT_EQ(plot.time[j], altitude.x[j]);
            EXPECT_EQ(plot.time[j], speed.x[j]);
            EXPECT_GT(plot.time[j], plot.time[j - 1]);
        }
        EXPECT_EQ(plot.x.values[j], altitude.y[j]);
        EXPECT_EQ(plot.y[0].values[j], speed.y[j]);
    }

    // Apogee at the summary's time, which this flight's drogue marks as well: both on the pair
    // nearest the time graph's drogue line, where the altitude is at its top and the speed
    // near zero.
    ASSERT_EQ(plot.marks.size(), 4u);
    const XyMark& apogee = plot.marks[0];
    EXPECT_EQ(apogee.label, "Apogee");
    EXPECT_EQ(apogee.time, state.results.apogeeTime);
    EXPECT_EQ(plot.marks[2].label, "Drogue Fired");
    EXPECT_EQ(plot.marks[2].time, lines.at(1).x);
    EXPECT_EQ(plot.marks[2].point, apogee.point);
    EXPECT_EQ(plot.marks[1].label, "Main Fired");
    EXPECT_EQ(plot.marks[3].label, "Deploy Detected");
    const double step = plot.time[2] - plot.time[1];
    for (const XyMark& mark : plot.marks)
        EXPECT_LE(std::abs(plot.time[static_cast<size_t>(mark.point)] - mark.time), step / 2 + 1e-6)
            << mark.label;
    const float top = *std::max_element(plot.x.values.begin(), plot.x.values.end());
    EXPECT_GE(plot.x.values[static_cast<size_t>(apogee.point)], top - 150.0f);
    const float fastest = *std::max_element(plot.y[0].values.begin(), plot.y[0].values.end());
    EXPECT_LT(std::abs(plot.y[0].values[static_cast<size_t>(apogee.point)]), fastest / 5);

    // What was borrowed is as the time graph left it.
    EXPECT_EQ(state.currentEntry, 0);
    for (size_t k = 0; k < state.entries.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(state.entries[k].graphStart, before.entries[k].graphStart);
        EXPECT_EQ(state.entries[k].graphLength, before.entries[k].graphLength);
        EXPECT_EQ(state.entries[k].entryNumber, before.entries[k].entryNumber);
        EXPECT_EQ(state.entries[k].inUse, before.entries[k].inUse);
    }
    for (size_t k = 0; k < state.series.size(); ++k) {
        EXPECT_EQ(state.series[k].y, before.series[k].y) << k;
        EXPECT_EQ(state.series[k].pointCount, before.series[k].pointCount) << k;
    }
    EXPECT_EQ(state.formula.displayMinimum, before.formula.displayMinimum);
    EXPECT_EQ(state.formula.displayMaximum, before.formula.displayMaximum);

    // A window of its own: the pairs cover it, the flight's own window stays.
    ASSERT_EQ(BuildXyPlot(state, prompts, {1, {2, 0}, 2.0, 4.0}, plot), XyResult::Drawn);
    EXPECT_EQ(plot.time.front(), 2.0f);
    EXPECT_NEAR(plot.time.back(), 6.0f, 0.07);
    EXPECT_EQ(plot.y.size(), 2u);
    EXPECT_EQ(plot.y[1].title, "Acceleration (g)");
    EXPECT_TRUE(plot.marks.empty());  // no event between 2 and 6 s
    EXPECT_EQ(state.entries[0].graphStart, before.entries[0].graphStart);
    EXPECT_EQ(state.entries[0].graphLength, before.entries[0].graphLength);
}

TEST_F(XyPlotTest, WhatCannotBeDrawnIsToldAndLeavesTheStateAsItWas) {
    AppState empty;
    InitProgramState(empty, {0, dir.path().string(), {}}, prompts);
    EXPECT_EQ(BuildXyPlot(empty, prompts, {1, {2}, 0.0, 5.0}, plot), XyResult::NothingToDraw);
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{kXyNoFlight});

    Open("FLT-001.DAT");
    prompts.warnings.clear();
    EXPECT_EQ(Build(1, {}), XyResult::NothingToDraw);
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{kXyNoYChannel});

    // A histogram has no value per instant; the channels already computed are given back.
    state.series[1].title = "kept";
    state.channels[3].title = "Time in altitude bins";
    state.channels[3].formula = "HST 150,ch2";
    prompts.warnings.clear();
    EXPECT_EQ(Build(1, {2, 3}), XyResult::Failed);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("channel 4 (Time in altitude bins) makes a histogram"),
              std::string::npos)
        << prompts.warnings[0];
    EXPECT_TRUE(plot.time.empty());
    EXPECT_EQ(state.series[1].title, "kept");
    EXPECT_EQ(state.currentEntry, 0);

    // A formula that does not compile is reported where formulas are, and nothing is drawn.
    state.channels[4].formula = "ch1 $ 2";
    prompts.warnings.clear();
    const size_t errors = prompts.errors.size();
    EXPECT_EQ(Build(4, {2}), XyResult::Failed);
    EXPECT_GT(prompts.errors.size() + prompts.warnings.size(), errors);
    EXPECT_TRUE(plot.y.empty());
    EXPECT_EQ(state.series[1].title, "kept");
}

TEST_F(XyPlotTest, ThePagesWindowIsCorrectedAsTheFlightsIsWithoutChangingIt) {
    Open("FLT-001.DAT");
    const DataFileEntry flight = state.entries[0];
    const double end = flight.startTime + flight.duration;
    state.currentEntry = 3;

    // A start in the flight is taken; the length is cut to the end of the data silently.
    EXPECT_EQ(FitXyStart(state, prompts, {0.0, 1e6}, 2.5f), (XyWindow{2.5, end - 2.5}));
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(FitXyLength(state, prompts, {2.0, 5.0}, 7.25f), (XyWindow{2.0, 7.25}));
    EXPECT_EQ(FitXyLength(state, prompts, {2.0, 5.0}, 1e6f), (XyWindow{2.0, end - 2.0}));
    EXPECT_TRUE(prompts.errors.empty());
    // A start beyond the data is reported and goes back to the start of the recording.
    EXPECT_EQ(FitXyStart(state, prompts, {1.0, 3.0}, 1e6f).start, flight.startTime);
    EXPECT_EQ(prompts.errors.size(), 1u);

    EXPECT_EQ(state.entries[0].graphStart, flight.graphStart);
    EXPECT_EQ(state.entries[0].graphLength, flight.graphLength);
    EXPECT_EQ(state.currentEntry, 3);
}

TEST(XyMarks, EventsSitOnTheNearestPairInsideTheWindowOnly) {
    const std::vector<float> time{0.0f, 0.5f, 1.0f, 1.5f, 2.0f};
    EXPECT_EQ(NearestPoint(time, 0.0), 0);
    EXPECT_EQ(NearestPoint(time, 0.74), 1);
    EXPECT_EQ(NearestPoint(time, 0.75), 1);  // halfway: the earlier pair
    EXPECT_EQ(NearestPoint(time, 0.76), 2);
    EXPECT_EQ(NearestPoint(time, 2.0), 4);
    EXPECT_EQ(NearestPoint(time, -0.01), std::nullopt);
    EXPECT_EQ(NearestPoint(time, 2.01), std::nullopt);
    EXPECT_EQ(NearestPoint({}, 0.0), std::nullopt);

    FlightResults r;
    r.apogeeTime = 1.4f;
    r.drogueFireTime = 1.4f;
    r.mainFireTime = 3.0f;  // after the window
    r.deploymentDetectedTime = 0.1f;
    EXPECT_EQ(XyMarks(r, true, time),
              (std::vector<XyMark>{{"Apogee", {0, 0, 0}, r.apogeeTime, 3},
                                   {"Drogue Fired", {0x00, 0x80, 0x00}, r.drogueFireTime, 3},
                                   {"Deploy Detected", {0xFF, 0x00, 0x00}, 0.1f, 0}}));
    // A drogue the summary does not show, and no deployment detected (-1), are not marked even
    // when the window starts before launch.
    r.deploymentDetectedTime = -1.0f;
    const std::vector<float> early{-2.0f, -1.0f, 0.0f, 1.0f, 2.0f};
    EXPECT_EQ(XyMarks(r, false, early),
              (std::vector<XyMark>{{"Apogee", {0, 0, 0}, r.apogeeTime, 3}}));
}

TEST(XyPlotData, CsvHoldsTimeXAndEachYWithGapsEmptyAndTheScalesHoldEveryPoint) {
    XyPlot plot;
    plot.time = {0.0f, 0.0625f, 0.125f};
    plot.x = {1, "Altitude, ft", {}, 0.0, 100.0, {10.0f, 20.0f, 30.0f}};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    plot.y = {{2, "Speed", {}, 0.0, 4095.0, {-5.5f, nan, 40.0f}},
              {3, "Say \"g\"", {}, 2.0, 2.0, {2.0f, 2.0f, 2.0f}}};
    std::ostringstream csv;
    ASSERT_TRUE(WriteXyData(csv, plot));
    EXPECT_EQ(csv.str(),
              "Flight Time (sec),\"Altitude, ft\",Speed,\"Say \"\"g\"\"\"\n"
              "0,10,-5.5,2\n"
              "0.0625,20,,2\n"
              "0.125,30,40,2\n");
    EXPECT_FALSE(
        SaveXyData((std::filesystem::path("/nonexistent-folder") / "a.csv").string(), plot));

    // The values' own span with a twentieth to spare; a flat channel one unit either side; the
    // channel's scale when the formula gave no value at all.
    EXPECT_EQ(ChannelSpan(plot.x), (AxisSpan{9.0, 31.0}));
    EXPECT_EQ(ChannelSpan(plot.y[1]), (AxisSpan{1.0, 3.0}));
    EXPECT_EQ(ChannelSpan({0, "", {}, 50.0, -5.0, {nan, nan}}), (AxisSpan{-5.0, 50.0}));
    plot.x.values[2] = 130.0f;
    // The circle runs through the farthest pair of any curve, a gap left out.
    EXPECT_DOUBLE_EQ(ReferenceRadius(plot), std::hypot(130.0, 40.0));
    EXPECT_EQ(ReferenceRadius(XyPlot{}), 0.0);
}

}  // namespace
}  // namespace orvale
