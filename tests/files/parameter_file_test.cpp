#include "files/parameter_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/file_error.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/temp_folder.h"

namespace orvale {
namespace {

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Number(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

// Everything a parameter file can touch, one value a line, so that a failed comparison shows
// which value went wrong.
std::string Describe(const AppState& state) {
    const FlightParameters& f = state.flight;
    std::ostringstream out;
    out << "note " << f.note << "\nlocation " << f.location << "\nelevation " << f.launchElevation
        << "\nweather " << f.weather << "\nmodel " << f.model << "\nmotor " << f.motor
        << "\nstages " << f.stages << "\nlaunch weight " << f.launchWeight << "\nrecovered "
        << f.recoveredWeight << "\nexpected " << f.expectedAltitude << "\ndate " << f.date
        << "\ntime " << f.time << "\ncalibration " << f.calibrationFile << "\n";
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        const ChannelDef& ch = state.channels[slot];
        out << "ch" << slot + 1 << " selected " << ch.selected << " title " << ch.title
            << " formula " << ch.formula << " min " << Number(ch.minReading) << " max "
            << Number(ch.maxReading) << " filter " << ch.filter << " colour " << ch.colourIndex
            << "\n";
    }
    out << "parameter file " << state.current().parameterFileName << " slot "
        << state.current().channelSlot << "\n";
    return out.str();
}

class ParameterFile : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDefaults(state, 0);
        state.workingDirectory = folder.Path();
        state.current().parameterFileName = "FLT-001.PAR";
        state.flight.launchElevation = 7;
        state.flight.stages = 2;
        state.flight.calibrationFile = "/cal/Vessin.cal";
    }

    std::string Path(const std::string& name) const { return folder.Path() + name; }

    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
};

TEST_F(ParameterFile, WrittenFileHasEveryKeyInOrderAndReadsBackIdentically) {
    FlightParameters& f = state.flight;
    f.note = "Second try, wind 5=10 mph";
    f.location = "Höhenfeld";
    f.date = "12/08/2026";
    f.time = "10:05 AM";
    f.launchElevation = -40;
    f.weather = "Calm";
    f.model = "Big Bertha";
    f.motor = "F50-6T";
    f.stages = 2;
    f.launchWeight = 1234;
    f.recoveredWeight = 1100;
    f.expectedAltitude = 5000;
    f.calibrationFile = "/home/flyer/cal/Site A.cal";
    state.channels[0].minReading = -2.5f;
    state.channels[0].maxReading = 1000.0f;
    state.channels[1].selected = false;
    state.channels[3].selected = true;
    state.channels[3].title = "Battery (V)";
    state.channels[3].formula = "ch4*0.02";
    state.channels[3].minReading = 12.34f;
    state.channels[3].maxReading = 0.05f;
    state.channels[3].filter = 3;
    state.channels[11].filter = -1;
    WriteParameterFile(state);

    const std::string text = Contents(Path("FLT-001.PAR"));
    const std::string head =
        "[Flight Data]\r\n"
        "Note=Second try, wind 5=10 mph\r\n"
        "Location=H\xF6henfeld\r\n"
        "Date=12/08/2026\r\n"
        "Time=10:05 AM\r\n"
        "Launch Elevation=-40\r\n"
        "Weather=Calm\r\n"
        "Model=Big Bertha\r\n"
        "Motor=F50-6T\r\n"
        "Stages=2\r\n"
        "Launch Weight=1234\r\n"
        "Recovered Weight=1100\r\n"
        "Expected Altitude=5000\r\n"
        "Calibation Data File=/home/flyer/cal/Site A.cal\r\n"
        "[Channel 1 Data]\r\n"
        "Selected=1\r\n"
        "Title=Acceleration (g)\r\n"
        "Formula=ch1\r\n"
        "Min Reading=-2.50\r\n"
        "Max Reading=1000.00\r\n"
        "Filter=0\r\n"
        "[Channel 2 Data]\r\n"
        "Selected=0\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(
        text.find("[Channel 4 Data]\r\nSelected=1\r\nTitle=Battery (V)\r\nFormula=ch4*0.02\r\n"
                  "Min Reading=12.34\r\nMax Reading=0.05\r\nFilter=3\r\n[Channel 5 Data]\r\n"),
        std::string::npos);
    const std::string tail =
        "[Channel 12 Data]\r\nSelected=0\r\nTitle=\r\nFormula=\r\n"
        "Min Reading=0.00\r\nMax Reading=4095.00\r\nFilter=-1\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14 + 12 * 7);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 14 + 12 * 7);
    EXPECT_EQ(text.find("[Channel 13 Data]"), std::string::npos);

    // A fresh start-up state reads every value back.
    AppState back;
    SetProgramDefaults(back, 12345);
    back.workingDirectory = folder.Path();
    back.current().parameterFileName = "FLT-001.PAR";
    ReadParameterFile(back, prompts, true);
    EXPECT_EQ(Describe(back), Describe(state));
    EXPECT_TRUE(prompts.warnings.empty());

    // Writing what was read gives the same file.
    WriteParameterFile(back);
    EXPECT_EQ(Contents(Path("FLT-001.PAR")), text);
}

TEST_F(ParameterFile, WritingKeepsForeignKeysSectionsAndOrder) {
    Put(Path("FLT-001.PAR"),
        "; kept by the flyer\r\n"
        "[flight data]\r\n"
        "note=old note\r\n"
        "Rocket Colour=red\r\n"
        "Stages=5\r\n"
        "[Club]\r\n"
        "Member=42\r\n"
        "[Channel 1 Data]\r\n"
        "Title=old title\r\n"
        "Comment=a hand-written key\r\n");
    state.flight.note = "new note";
    WriteParameterFile(state);
    const std::string text = Contents(Path("FLT-001.PAR"));

    // Lines in the order they must appear: existing lines where they stood, new keys at the end
    // of their section, the channel sections that were missing at the end of the file.
    const char* inOrder[] = {"; kept by the flyer\r\n",
                             "[flight data]\r\n",
                             "note=new note\r\n",
                             "Rocket Colour=red\r\n",
                             "Stages=2\r\n",
                             "Location=Unknown\r\n",
                             "Calibation Data File=/cal/Vessin.cal\r\n",
                             "[Club]\r\n",
                             "Member=42\r\n",
                             "[Channel 1 Data]\r\n",
                             "Title=Acceleration (g)\r\n",
                             "Comment=a hand-written key\r\n",
                             "Selected=1\r\n",
                             "Filter=0\r\n",
                             "[Channel 2 Data]\r\n",
                             "[Channel 12 Data]\r\n"};
    size_t at = 0;
    for (const char* line : inOrder) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << text;
        at = found + 1;
    }
    EXPECT_EQ(text.find("old"), std::string::npos) << text;
    EXPECT_EQ(text.find("[Flight Data]"), std::string::npos) << "section duplicated";
}

TEST_F(ParameterFile, HandEditedFilesChangeOnlyWhatTheyHold) {
    state.channels[4].minReading = 3.0f;
    state.channels[4].maxReading = 9.0f;
    const std::string title100(100, 'T');
    const std::string formula130 = "ch1+" + std::string(126, '1');
    struct Case {
        const char* what;
        std::string text;
        std::function<void(AppState&)> expect;
    };
    const Case cases[] = {
        {"only a note", "[Flight Data]\r\nNote=Windy\r\n",
         [](AppState& s) { s.flight.note = "Windy"; }},
        // Cut at its 12 characters, the date would end in a blank that the next reading drops.
        {"a long date", "[Flight Data]\r\nDate=12/08/2026L (sample)\r\n",
         [](AppState& s) { s.flight.date = "12/08/2026L"; }},
        {"selected 2, 0 and yes",
         "[Channel 1 Data]\r\nSelected=0\r\n[Channel 2 Data]\r\nSelected=yes\r\n"
         "[Channel 4 Data]\r\nSelected=2\r\n[Channel 5 Data]\r\nSelected=yes\r\n"
         "[Channel 6 Data]\r\nSelected=-1\r\n",
         [](AppState& s) {
             s.channels[0].selected = false;
             s.channels[3].selected = true;
             s.channels[5].selected = true;
         }},
        {"readings",
         "[Channel 1 Data]\nMin Reading=1.5E2\nMax Reading=.5\n"
         "[Channel 2 Data]\nMin Reading=\nMax Reading=  7.25  \n"
         "[Channel 3 Data]\nMin Reading=5.\nMax Reading=-1e-1\n"
         "[Channel 5 Data]\nMin Reading=abc\nMax Reading=1.5E\n"
         "[Channel 6 Data]\nMin Reading=.\nMax Reading=1,5\n",
         [](AppState& s) {
             s.channels[0].minReading = 150.0f;
             s.channels[0].maxReading = 0.5f;
             s.channels[1].minReading = 0.0f;
             s.channels[1].maxReading = 7.25f;
             s.channels[2].minReading = 5.0f;
             s.channels[2].maxReading = -0.1f;
         }},
        {"hexadecimal and malformed integers",
         "[Flight Data]\r\nLaunch Elevation=0x1F\r\nStages=12.5\r\nLaunch Weight=$10\r\n"
         "Recovered Weight=-3\r\nExpected Altitude=lots\r\n[Channel 2 Data]\r\nFilter=0X3\r\n",
         [](AppState& s) {
             s.flight.launchElevation = 31;
             s.flight.launchWeight = 16;
             s.flight.recoveredWeight = -3;
             s.channels[1].filter = 3;
         }},
        {"a fraction keeps the elevation", "[Flight Data]\r\nLaunch Elevation=12.5\r\n",
         [](AppState&) {}},
        {"texts cut to their limits",
         "[Flight Data]\r\nNote=" + std::string(81, 'n') + "\r\nDate=" + std::string(20, '1') +
             "\r\n[Channel 2 Data]\r\nTitle=" + title100 + "\r\nFormula=" + formula130 + "\r\n",
         [&](AppState& s) {
             s.flight.note = std::string(80, 'n');
             s.flight.date = std::string(12, '1');
             s.channels[1].title = title100.substr(0, 80);
             s.channels[1].formula = formula130.substr(0, 128);
         }},
        {"keys without values",
         "[Flight Data]\r\nNote=\r\nStages=\r\nLocation\r\n[Channel 1 Data]\r\nTitle=\r\n",
         [](AppState& s) {
             s.flight.note = "";
             s.channels[0].title = "";
         }},
        {"names in any letter case",
         "[FLIGHT DATA]\r\nmodel=Big Bertha\r\n[channel 3 data]\r\nTITLE=Speed\r\n",
         [](AppState& s) {
             s.flight.model = "Big Bertha";
             s.channels[2].title = "Speed";
         }},
        {"only the misspelt calibration key counts",
         "[Flight Data]\r\nCalibration Data File=right.cal\r\n", [](AppState&) {}},
        {"misspelt calibration key", "[Flight Data]\r\nCalibation Data File=site.cal\r\n",
         [](AppState& s) { s.flight.calibrationFile = "site.cal"; }},
        {"channels 13 and 0 are no channels",
         "[Channel 13 Data]\r\nTitle=thirteen\r\n[Channel 0 Data]\r\nTitle=zero\r\n",
         [](AppState&) {}},
    };
    const AppState before = state;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state = before;
        Put(Path("FLT-001.PAR"), c.text);
        ReadParameterFile(state, prompts, true);
        AppState expected = before;
        c.expect(expected);
        EXPECT_EQ(Describe(state), Describe(expected));
    }
    EXPECT_TRUE(prompts.warnings.empty());
}

TEST_F(ParameterFile, MissingFilesFallBackToDefaultThenToNone) {
    struct Case {
        const char* name;
        std::vector<std::string> files;  // each holds Note=<its own name>
        bool warn;
        const char* expectedName;
        const char* expectedNote;  // nullptr: memory unchanged
        int expectedSlot;
        size_t warnings;
    };
    const Case cases[] = {
        {"FLT-001.PAR", {"FLT-001.PAR", "DEFAULT.PAR"}, true, "FLT-001.PAR", "FLT-001.PAR", 5, 0},
        {"FLT-001.PAR", {"flt-001.par"}, true, "FLT-001.PAR", "flt-001.par", 5, 0},
        {"FLT-001.PAR", {"DEFAULT.PAR"}, true, "DEFAULT.PAR", "DEFAULT.PAR", 0, 0},
        {"FLT-001.PAR", {"default.par"}, false, "DEFAULT.PAR", "default.par", 0, 0},
        {"FLT-001.PAR", {"OTHER.PAR"}, true, "DEFAULT.PAR", "", 0, 0},
        {"FLT-001.PAR", {}, false, "None", nullptr, 0, 0},
        {"default.par", {}, true, "DEFAULT.PAR", "", 0, 0},
        {"DEFAULT.PAR", {}, true, "DEFAULT.PAR", "", 0, 0},
        {"None", {}, true, "DEFAULT.PAR", "", 0, 0},
    };
    const AppState before = state;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " with " << c.files.size() << " files");
        TempFolder dir;
        for (const std::string& file : c.files)
            Put(dir.Path() + file, "[Flight Data]\r\nNote=" + file + "\r\n");
        state = before;
        state.workingDirectory = dir.Path();
        state.current().parameterFileName = c.name;
        state.current().channelSlot = 5;
        test::FakePrompts box;
        ReadParameterFile(state, box, c.warn);

        // Opening a flight when DEFAULT.PAR is missing writes it afresh from the defaults and
        // takes them: nothing of the description in memory stays.
        const bool recreated = c.warn && c.expectedNote && std::string(c.expectedNote).empty();
        EXPECT_EQ(dir.Names().size(), c.files.size() + (recreated ? 1 : 0));
        AppState expected = before;
        expected.workingDirectory = dir.Path();
        if (recreated) {
            SetProgramDefaults(expected, 0);
            expected.workingDirectory = dir.Path();
            expected.flight.date.clear();
            expected.flight.time.clear();
            expected.flight.calibrationFile = before.calibrationFilePath;
            EXPECT_TRUE(dir.Names().count("DEFAULT.PAR"));
            AppState reread = before;
            reread.workingDirectory = dir.Path();
            ReadParameterFile(reread, box, false);
            EXPECT_EQ(Describe(reread), Describe(state)) << "the file holds what was taken";
        }
        expected.current().parameterFileName = c.expectedName;
        expected.current().channelSlot = c.expectedSlot;
        if (c.expectedNote)
            expected.flight.note = c.expectedNote;
        EXPECT_EQ(Describe(state), Describe(expected));
        ASSERT_EQ(box.warnings.size(), c.warnings);
        EXPECT_TRUE(box.errors.empty());
    }
}

TEST_F(ParameterFile, AFileThatCannotBeWrittenIsReportedWithItsPath) {
    state.workingDirectory = folder.Path() + "gone/";
    try {
        WriteParameterFile(state);
        FAIL() << "no error";
    } catch (const FileError& e) {
        const std::string expected = "Unable to write to " + folder.Path() + "gone/FLT-001.PAR";
        EXPECT_EQ(std::string(e.what()).substr(0, expected.size()), expected) << e.what();
    }
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace orvale
