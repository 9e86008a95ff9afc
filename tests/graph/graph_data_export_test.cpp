// The plotted series written as CSV: their union of times, empty cells, the zoomed span only.
#include "graph/graph_data_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/time_window.h"
#include "fake_graph_engine.h"
#include "fake_prompts.h"
#include "files/loading.h"
#include "files/startup_files.h"
#include "graph/graph_zoom.h"
#include "test_image.h"

namespace orvale {
namespace {

std::vector<std::vector<std::string>> Rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                cells.emplace_back();
            else
                cells.back() += c;
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string Csv(const AppState& state, const GraphView& view) {
    std::ostringstream out;
    EXPECT_TRUE(WriteGraphData(out, state, view));
    return out.str();
}

// Two series made by hand, with times that only partly meet.
TEST(GraphDataExport, RowsAreTheUnionOfTimesWithEmptyCellsAndPlottedValues) {
    AppState state;
    GraphView view;
    view.channelSlots = {0, 2};
    view.shown = {1.0, 3.0};
    ChannelSamples& a = state.series[1];
    a.title = "Altitude, ft";
    a.x = {0.0f, 1.5f, 2.0f, 3.0f, 9.0f};  // point 0 is at the entry's start; 9 is past the last
    a.y = {5.0f, 6.0f, 500.0f, NAN, 1.0f};
    a.pointCount = 3;
    a.minReading = 0.0;
    a.maxReading = 100.0;
    state.entries[1].graphStart = 1.0;
    ChannelSamples& b = state.series[2];
    b.title = "Speed";
    b.x = {0.0f, 2.0f, 2.0f, 2.5f};
    b.y = {-1.0f, 0.1f, 0.2f, 0.3f};
    b.pointCount = 3;
    b.minReading = -0.5;
    b.maxReading = 1.0;
    state.entries[2].graphStart = 1.25;

    const auto rows = Rows(Csv(state, view));
    const std::vector<std::vector<std::string>> expected = {
        {"Flight Time (sec)", "Altitude, ft", "Speed"},
        {"1", "5", ""},
        {"1.25", "", "-0.5"},  // below the scale: drawn at its bottom
        {"1.5", "6", ""},
        {"2", "100", "0.100000001"},  // a histogram's two points at one time take two rows
        {"2", "", "0.200000003"},
        {"2.5", "", "0.300000012"},
        {"3", "", ""},  // a gap in the curve
    };
    EXPECT_EQ(rows, expected);

    std::ostringstream none;
    EXPECT_FALSE(WriteGraphData(none, state, GraphView{}));
    test::TempDir dir;
    EXPECT_FALSE(SaveGraphData((dir.path() / "no" / "such.csv").string(), state, view));
}

std::filesystem::path SamplesDir() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? std::filesystem::path(env) : std::filesystem::path(ORVALE_SOURCE_DIR) / "samples";
}

// A sample flight's graph of three channels, written whole and then zoomed.
TEST(GraphDataExport, SampleFlightWholeAndZoomed) {
    test::TempDir dir;
    test::FakePrompts prompts;
    test::FakeGraphEngine engine;
    AppState state;
    GraphView view;
    InitProgramState(state, {0, dir.path().string(), {}}, prompts);
    state.entries[0].dataFileName = (SamplesDir() / "FLT-002.DAT").string();
    LoadCurrentFile(state, prompts, false, true, true);
    ASSERT_GT(state.loadedDataSize, 0);
    SetGraphStart(state, prompts, false, 0.0);
    SetGraphLength(state, prompts, false, 100.0);
    for (size_t i = 0; i < state.channels.size(); ++i)
        state.channels[i].selected = i == 0 || i == 1;
    state.channels[2].selected = true;
    state.channels[2].formula = "int(ch1)*32.17";
    ASSERT_EQ(BuildGraph(state, prompts, engine, {true, true, {}}, view), BuildResult::Drawn);

    auto rows = Rows(Csv(state, view));
    ASSERT_EQ(rows[0].size(), 4u);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(rows[0][static_cast<size_t>(k)], state.series[static_cast<size_t>(k)].title);
    // Every point of every series appears once, at ascending times.
    std::vector<int> filled(4, 0);
    double before = -1e9;
    for (size_t r = 1; r < rows.size(); ++r) {
        const double t = std::stod(rows[r][0]);
        EXPECT_LE(before, t);
        before = t;
        for (size_t c = 1; c < rows[r].size(); ++c)
            filled[c] += !rows[r][c].empty();
    }
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(filled[static_cast<size_t>(k)],
                  state.series[static_cast<size_t>(k)].pointCount + 1);
    char first[32];
    std::snprintf(first, sizeof first, "%.9g",
                  double{static_cast<float>(state.entries[1].graphStart)});
    EXPECT_EQ(rows[1][0], first);

    // Zoomed to 20 s the series are computed again over that span; at 60 s only the scale
    // changes, and the rows outside the span are left out.
    for (const XRange zoom : {XRange{20.0, 40.0}, XRange{30.0, 90.0}}) {
        ASSERT_NE(BuildGraph(state, prompts, engine, {true, true, {}}, view),
                  BuildResult::SeriesFailed);
        engine.zoomed = zoom;
        ZoomIn(state, prompts, engine, view);
        rows = Rows(Csv(state, view));
        ASSERT_GT(rows.size(), 10u);
        EXPECT_NEAR(std::stod(rows[1][0]), zoom.min, 0.3);  // within a point step
        EXPECT_NEAR(std::stod(rows.back()[0]), zoom.max, 0.3);
        for (size_t r = 1; r < rows.size(); ++r) {
            const float t = std::stof(rows[r][0]);
            EXPECT_GE(t, static_cast<float>(zoom.min));
            EXPECT_LE(t, static_cast<float>(zoom.max));
        }
    }
}

// A spectrum keeps its window's samples on the time table and has its spectrum on a table of its
// own; a histogram leaves the time table for a table of its bins.
TEST(GraphDataExport, SpectrumWritesSamplesAndSpectrumHistogramItsBins) {
    AppState state;
    GraphView view;
    view.channelSlots = {0, 1, 2};
    view.shown = {0.0, 1.0};
    ChannelSamples& time = state.series[1];
    time.title = "Altitude";
    time.x = {0.0f, 0.25f};
    time.y = {1.0f, 2.0f};
    time.pointCount = 1;
    time.maxReading = 100.0;
    ChannelSamples& fft = state.series[2];
    fft.title = "Acceleration";
    fft.seriesMode = kSeriesPowerOfTwo;
    for (int i = 0; i < 8; ++i) {  // a sine of amplitude 1 at 4 Hz
        fft.x.push_back(static_cast<float>(i) / 16);
        fft.y.push_back(i % 4 == 1 ? 1.0f : i % 4 == 3 ? -1.0f : 0.0f);
    }
    fft.pointCount = 7;
    fft.minReading = -10.0;
    fft.maxReading = 100.0;
    state.entries[2].sampleInterval = 1.0 / 16;
    ChannelSamples& hst = state.series[3];
    hst.title = "Speed, ft/s";
    hst.seriesMode = kSeriesHistogram;
    hst.x = {0.0f, 10.0f, 20.0f};
    hst.y = {0.5f, 0.0f, 1.25f};
    hst.pointCount = 2;

    const auto rows = Rows(Csv(state, view));
    const std::vector<std::vector<std::string>> expected = {
        {"Flight Time (sec)", "Altitude", "Acceleration"},
        {"0", "1", "0"},  // point 0 at the entry's start (0), then the window's samples
        {"0.0625", "", "1"},
        {"0.125", "", "0"},
        {"0.1875", "", "-1"},
        {"0.25", "2", "0"},
        {"0.3125", "", "1"},
        {"0.375", "", "0"},
        {"0.4375", "", "-1"},
        {""},
        {"Frequency (Hz)", "Amplitude: Acceleration"},
        {"0", "0"},
        {"2", "0.5"},  // the window spreads the sine over its neighbours at half its height
        {"4", "1"},
        {"6", "0.5"},
        {"8", "0"},
        {""},
        {"Speed, ft/s", "Time Spent (sec)"},
        {"0", "0.5"},
        {"10", "0"},
        {"20", "1.25"},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), expected[r].size()) << r;
        for (size_t c = 0; c < rows[r].size(); ++c) {
            // Spectrum values are a transform's: near, not exact.
            if (r > 10 && r < 16 && c == 1)
                EXPECT_NEAR(std::stod(rows[r][c]), std::stod(expected[r][c]), 1e-6) << r;
            else
                EXPECT_EQ(rows[r][c], expected[r][c]) << r;
        }
    }
}

}  // namespace
}  // namespace orvale
