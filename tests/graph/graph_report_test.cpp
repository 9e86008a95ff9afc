// The printed report's text, built from sample flights whose parameter files the tests edit.
#include "graph/graph_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/time_window.h"
#include "fake_graph_engine.h"
#include "fake_prompts.h"
#include "files/ini_file.h"
#include "files/loading.h"
#include "files/parameter_file.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "test_image.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

fs::path SamplesDir() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? fs::path(env) : fs::path(ORVALE_SOURCE_DIR) / "samples";
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& with) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.rfind(with, 0) == 0)
            found.push_back(line);
    return found;
}

class GraphReport : public ::testing::Test {
protected:
    // A sample flight copied into the working directory under name (its .PAR beside it).
    std::string Copy(const std::string& sample, const std::string& name) {
        const fs::path dat = dir.path() / (name + ".DAT");
        fs::copy_file(SamplesDir() / (sample + ".DAT"), dat);
        fs::copy_file(SamplesDir() / (sample + ".PAR"), dir.path() / (name + ".PAR"));
        return dat.string();
    }
    void SetKey(const std::string& name, const std::string& section, const std::string& key,
                const std::string& value) {
        const std::string path = (dir.path() / (name + ".PAR")).string();
        IniFile ini = IniFile::LoadForUpdate(path);
        ini.WriteString(section, key, value);
        ini.Save(path);
    }
    // Opens the flight as entry 0 and graphs its selected channels from start for length.
    void Graph(const std::string& dat, double start, double length) {
        InitProgramState(state, {0, dir.path().string() + "/", {}}, prompts);
        state.workingDirectory = dir.path().string() + "/";
        state.currentEntry = 0;
        state.entries[0].dataFileName = dat;
        LoadCurrentFile(state, prompts, false, true, true);
        ASSERT_GT(state.loadedDataSize, 0);
        SetGraphStart(state, prompts, false, start);
        SetGraphLength(state, prompts, false, length);
        ASSERT_EQ(BuildGraph(state, prompts, engine, {true, true, {}}, view), BuildResult::Drawn);
    }
    std::vector<std::string> Report() { return BuildReportLines(state, prompts, 0); }

    test::TempDir dir;
    test::FakePrompts prompts;
    test::FakeGraphEngine engine;
    AppState state;
    GraphView view;
};

TEST_F(GraphReport, OneFlightPrintsItsLinesOnceAndAFourLineBlockPerChannel) {
    const std::string dat = Copy("FLT-001", "ONE");
    SetKey("ONE", "Channel 2 Data", "Min Reading", "-2.5");
    SetKey("ONE", "Channel 2 Data", "Max Reading", "10");
    SetKey("ONE", "Channel 2 Data", "Filter", "3");
    SetKey("ONE", "Channel 3 Data", "Filter", "7");  // hand-edited: filtered as Heavy
    Graph(dat, 2.0, 5.0);
    // Edited in memory and never saved: the report prints, and then holds, what the file says.
    state.channels[0].title = "Unsaved title";

    const std::vector<std::string> lines = Report();
    ASSERT_EQ(lines.size(), 2u + 4u + 3u * 5u);
    EXPECT_EQ(lines[0].rfind("Orvaleo v1.04( by the Orvale developers for Vantrel --- ", 0), 0u);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "File: " + dat + " gathered on 12/08/2026  at 10:05 AM");
    EXPECT_EQ(lines[3], "File Note: Small single-stage flight, drogue at apogee, main at 600 ft");
    EXPECT_EQ(lines[4], "Location: Simulated field (tavix-sim)");
    EXPECT_EQ(lines[5], "Model Name: Sample 2.6 in, 3 lb dry,     Motor(s) used: SMALL (sample)");
    const std::vector<std::string> block2(lines.begin() + 11, lines.begin() + 16);
    EXPECT_EQ(block2, (std::vector<std::string>{
                          "",
                          "Graph 2 Channel:2 \"Pressure Altitude (ft)\" 0 to 100%",
                          "Vertical scale (Y axis): from -2.50 to 10.00",
                          "Time: 2.00 for 5.00 to 7.00",
                          "Filter Factor: Heavy, Formula: ch2",
                      }));
    EXPECT_EQ(lines[20], "Filter Factor: Heavy, Formula: int(ch1)*32.17");
    EXPECT_EQ(state.channels[0].title, "Acceleration (g)");
    EXPECT_EQ(state.currentEntry, 3);
}

TEST_F(GraphReport, LongTextsAreCutWhereTheReportCutsThem) {
    const std::string longName(120, 'N');
    fs::create_directories(dir.path() / longName);
    const std::string dat = (dir.path() / longName / "LONG.DAT").string();
    fs::copy_file(SamplesDir() / "FLT-001.DAT", dat);
    fs::copy_file(SamplesDir() / "FLT-001.PAR", dir.path() / "LONG.PAR");
    const std::string text(100, 'x');
    for (const char* key : {"Note", "Location", "Model", "Motor", "Date", "Time"})
        SetKey("LONG", "Flight Data", key, text);
    std::string formula = "ch1";
    while (formula.size() < 125)
        formula += "+1";
    formula += "+10";  // 128 characters, as long as a formula is kept
    Graph(dat, 0.0, 5.0);
    // Changed in the file after the graph was drawn: the report prints what the file holds.
    SetKey("LONG", "Channel 1 Data", "Formula", formula);
    SetKey("LONG", "Channel 1 Data", "Filter", "2");
    state.channels[0].formula = std::string(200, 'f');  // read again from the file

    const std::vector<std::string> lines = Report();
    const auto only = [&](const std::string& start) {
        const auto found = Starting(lines, start);
        return found.size() == 1u ? found[0] : "";
    };
    const std::string file = only("File: ");
    EXPECT_EQ(file.size(), 128u);
    EXPECT_EQ(file.substr(86, 13), " gathered on ") << "the name fills the line to 86 characters";
    EXPECT_EQ(file.substr(99 + 12, 5), "  at ");
    EXPECT_EQ(only("File Note: ").size(), 91u);
    EXPECT_EQ(only("Location: ").size(), 90u);
    const std::string model = only("Model Name: ");
    EXPECT_EQ(model.size(), 193u);
    EXPECT_EQ(model.substr(92, 21), ",     Motor(s) used: ");
    EXPECT_EQ(Starting(lines, "Filter Factor: ")[0], "Filter Factor: Medium, Formula: " + formula);

    EXPECT_EQ(ReportHeaderLine("1.04", "12/09/2026", "01:30 PM"),
              "Orvaleo v1.04( by the Orvale developers for Vantrel --- 12/09/2026 at 01:30 PM");
    // The version is cut with its prefix to 24 characters, the attribution to 64 in all.
    EXPECT_EQ(
        ReportHeaderLine(std::string(30, '9'), "D", "T"),
        "Orvaleo v" + std::string(15, '9') + "( by the Orvale developers for Vantrel -" + "D at T");
}

TEST(ReportNumber, SevenSignificantDigitsWithTwoDecimals) {
    EXPECT_EQ(ReportNumber(12.5), "12.50");
    EXPECT_EQ(ReportNumber(2.0), "2.00");
    EXPECT_EQ(ReportNumber(-0.25), "-0.25");
    EXPECT_EQ(ReportNumber(0.125), "0.12");  // the exact binary value, rounded to even
    EXPECT_EQ(ReportNumber(-0.001), "0.00");
    EXPECT_EQ(ReportNumber(1234567.891), "1234568.00");
    EXPECT_EQ(ReportNumber(99999999.0), "1.000000E+08");
}

}  // namespace
}  // namespace orvale
