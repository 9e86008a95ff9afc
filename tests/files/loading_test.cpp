#include "files/loading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/file_error.h"
#include "core/image_decode.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/calibration_file.h"
#include "files/temp_folder.h"
#include "test_image.h"

namespace orvale {
namespace {

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Frame k of the image is summary sample k - 3.
constexpr int FrameOf(int s) {
    return s + 3;
}

class Loading : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDefaults(state, 0);
        state.workingDirectory = folder.Path();
    }

    // A main-only flight (deployment limit 160) back at the ground pressure at summary sample
    // `landing`, or never when it is negative.
    std::string Flight(const std::string& path, int landing = -1) {
        test::TestImage image(100, 200);
        image.SetMain(10, 0, 190);
        for (int k = 0; k < 4088; ++k)
            image.SetPressure(k, landing >= 0 && k >= FrameOf(landing) ? 201 : 190);
        return image.Write(path);
    }

    void Par(const std::string& name, const std::string& flightData) {
        Put(folder.Path() + name, "[Flight Data]\r\n" + flightData);
    }

    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
};

TEST_F(Loading, TheParameterFileIsNamedAfterTheDataFile) {
    std::filesystem::create_directory(folder.Path() + "sub.dir");
    const std::pair<const char*, const char*> cases[] = {
        {"FLT-007.DAT", "FLT-007.PAR"}, {"A.B.DAT", "A.PAR"},   {"FLT.1.DAT", "FLT.PAR"},
        {"sub.dir/X.DAT", "X.PAR"},     {"NODOT", "NODOT.PAR"},
    };
    for (const auto& [data, par] : cases)
        Par(par, std::string("Note=") + par + "\r\n");
    for (bool readParameters : {true, false}) {
        for (const auto& [data, par] : cases) {
            SCOPED_TRACE(testing::Message() << data << (readParameters ? "" : " not reading"));
            state.current().dataFileName = Flight(folder.Path() + data);
            state.current().parameterFileName = "KEEP.PAR";
            state.flight.note = "before";
            LoadCurrentFile(state, prompts, false, true, readParameters);
            EXPECT_EQ(state.loadedDataSize, 8);
            EXPECT_EQ(state.imageFilePath, folder.Path() + data);
            EXPECT_EQ(state.current().parameterFileName, readParameters ? par : "KEEP.PAR");
            EXPECT_EQ(state.flight.note, readParameters ? par : "before");
        }
    }
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_EQ(prompts.summariesShown, 0);
}

TEST_F(Loading, SummaryCancelDiscardsTheFlightExceptACapture) {
    const std::string data = Flight(folder.Path() + "F.DAT");
    Par("F.PAR", "Note=F\r\n");
    Par("KEEP.PAR", "Note=kept\r\n");
    struct Case {
        const char* what;
        uint16_t entry;
        const char* dataFileName;  // nullptr: the flight's own path
        const char* scratchName;   // the captured image, when there is one
        uint16_t answer;
        bool kept;
        std::vector<bool> commands;
    };
    const Case cases[] = {
        {"opened, OK", 0, nullptr, nullptr, 1, true, {true}},
        {"opened, Cancel", 0, nullptr, nullptr, 2, false, {false}},
        {"captured, Cancel", 0, "Capture", "RAMFILE.TMP", 2, true, {true}},
        {"captured under another case, OK", 0, "Capture", "ramfile.tmp", 1, true, {true}},
        {"series entry, OK", 3, nullptr, nullptr, 1, true, {}},
        {"series entry, Cancel", 3, nullptr, nullptr, 2, false, {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder.Path() + "RAMFILE.TMP");
        std::filesystem::remove(folder.Path() + "ramfile.tmp");
        if (c.scratchName)
            std::filesystem::copy_file(data, folder.Path() + c.scratchName);
        state.currentEntry = c.entry;
        DataFileEntry& entry = state.current();
        entry.dataFileName = c.dataFileName ? c.dataFileName : data;
        entry.parameterFileName = "KEEP.PAR";
        state.summaryDialogResult = 0;
        test::FakePrompts dialog;
        dialog.summaryAnswer = c.answer;
        LoadCurrentFile(state, dialog, true, true, true);

        EXPECT_EQ(dialog.summariesShown, 1);
        EXPECT_EQ(dialog.commandsEnabled, c.commands);
        EXPECT_TRUE(dialog.warnings.empty());
        if (c.scratchName) {
            EXPECT_EQ(state.imageFilePath, folder.Path() + c.scratchName);
        }
        if (c.kept) {
            EXPECT_EQ(state.loadedDataSize, 8);
            EXPECT_EQ(entry.dataFileName, c.dataFileName ? c.dataFileName : data);
            EXPECT_EQ(entry.parameterFileName, c.scratchName ? "KEEP.PAR" : "F.PAR");
        } else {
            EXPECT_EQ(state.loadedDataSize, 0);
            EXPECT_EQ(entry.dataFileName, "None");
            EXPECT_EQ(entry.parameterFileName, "None");
        }
    }
}

TEST_F(Loading, MissingAndDamagedFiles) {
    DataFileEntry& entry = state.current();
    state.loadedDataSize = 8;  // an earlier flight

    // Gone: silently marked so.
    for (const char* name : {"Capture", "/no/such/F.DAT"}) {
        SCOPED_TRACE(name);
        entry.dataFileName = name;
        LoadCurrentFile(state, prompts, true, true, true);
        EXPECT_EQ(entry.dataFileName, "None");
        EXPECT_EQ(state.loadedDataSize, 0);
    }
    EXPECT_EQ(prompts.summariesShown, 0);
    EXPECT_TRUE(prompts.commandsEnabled.empty());
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(prompts.warnings.empty());

    // Too short to be a flight: the read error goes up, the entry keeps its name.
    const std::string shortFile = folder.Path() + "SHORT.DAT";
    Put(shortFile, "not a flight");
    entry.dataFileName = shortFile;
    EXPECT_THROW(LoadCurrentFile(state, prompts, true, true, true), FileError);
    EXPECT_EQ(entry.dataFileName, shortFile);

    // Neither its own parameter file nor DEFAULT.PAR: DEFAULT.PAR is written from the defaults
    // and the flight loads with them, without a warning.
    entry.dataFileName = Flight(folder.Path() + "F.DAT");
    LoadCurrentFile(state, prompts, true, true, true);
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_EQ(state.loadedDataSize, 8);
    EXPECT_EQ(entry.parameterFileName, "DEFAULT.PAR");
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "DEFAULT.PAR"));
    EXPECT_EQ(state.channels[0].title, "Acceleration (g)");
}

TEST_F(Loading, TheSummaryUsesTheParameterFileJustRead) {
    // Two burns, coasts and a deployment jolt (see the summary pass): with one stage the
    // second burn is taken for the deployment, with two the jolt at sample 297, with none
    // nothing is detected.
    test::TestImage image(100, 200);
    image.SetMain(200, 0, 190);
    for (int k = 8; k < 4088; ++k) {
        uint8_t a = 100;
        if (k < 40 || (k >= 100 && k < 132))
            a = 130;
        else if (k < 300)
            a = 95;
        else if (k == 300)
            a = 110;
        image.SetAccel(k, a);
    }
    const std::string data = image.Write(folder.Path() + "TWO.DAT");
    const std::pair<const char*, float> cases[] = {
        {"Stages=2\r\n", (297 - 1) / 16.0f},
        {"Stages=0\r\n", -1.0f},
        {"", (97 - 1) / 16.0f},
    };
    for (const auto& [stages, detected] : cases) {
        SCOPED_TRACE(stages);
        SetProgramDefaults(state, 0);
        state.workingDirectory = folder.Path();
        state.channels[0].filter = 3;
        Put(folder.Path() + "TWO.PAR",
            std::string("[Flight Data]\r\n") + stages + "[Channel 1 Data]\r\nFilter=0\r\n");
        state.current().dataFileName = data;
        LoadCurrentFile(state, prompts, true, true, true);
        EXPECT_EQ(state.results.deploymentDetectedTime, detected);
        EXPECT_EQ(prompts.shownRows.size(), 1u);
        prompts.shownRows.clear();
    }
}

TEST_F(Loading, TheWindowIsResetOrKeptInsideTheFlight) {
    struct Case {
        int landing;
        bool resetWindow;
        double start, length;                  // stored before loading
        double expectedStart, expectedLength;  // after
        const char* message;
    };
    const Case cases[] = {
        {1200, true, 100, 3, -0.25, (1200 + 80) / 16.0, nullptr},
        {-1, true, 100, 3, -0.25, 255.5, nullptr},
        {-1, false, 300, 400, -0.25, 255.5, nullptr},
        {-1, false, 10, 50, 10, 50, nullptr},
        {-1, false, 300, 100, -0.25, 100, nullptr},
        {-1, false, 100, 300, 100, 155.25, "155.250 is the remaining length of the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "landing " << c.landing << " reset " << c.resetWindow
                                        << " start " << c.start << " length " << c.length);
        DataFileEntry& entry = state.current();
        entry.dataFileName = Flight(folder.Path() + "F.DAT", c.landing);
        entry.graphStart = c.start;
        entry.graphLength = c.length;
        test::FakePrompts box;
        LoadCurrentFile(state, box, false, c.resetWindow, false);
        EXPECT_EQ(entry.graphStart, c.expectedStart);
        EXPECT_DOUBLE_EQ(entry.graphLength, c.expectedLength);
        if (c.message)
            EXPECT_EQ(box.errors, std::vector<std::string>{c.message});
        else
            EXPECT_TRUE(box.errors.empty()) << box.errors[0];
    }
}

TEST_F(Loading, ReloadFirstEntry) {
    // Nothing to reload.
    state.imageFilePath = "TEMPFILE.TMP";
    ReloadFirstEntry(state, prompts);
    EXPECT_EQ(state.imageFilePath, "TEMPFILE.TMP");
    EXPECT_EQ(state.loadedDataSize, 0);

    // A series entry decodes entry 0's flight with its own parameter file.
    const std::string data = Flight(folder.Path() + "F.DAT");
    state.entries[0].dataFileName = data;
    state.currentEntry = 2;
    state.entries[2].parameterFileName = "SERIES.PAR";
    Par("SERIES.PAR", "Stages=3\r\n");
    ReloadFirstEntry(state, prompts);
    EXPECT_EQ(state.imageFilePath, data);
    EXPECT_EQ(state.loadedDataSize, 8);
    EXPECT_EQ(state.flight.stages, 3);
    EXPECT_EQ(state.entries[2].duration, 255.5);
    EXPECT_EQ(prompts.summariesShown, 0);
    EXPECT_TRUE(prompts.commandsEnabled.empty());

    // Its existence is not tested first: a vanished file is a read error.
    std::filesystem::remove(data);
    EXPECT_THROW(ReloadFirstEntry(state, prompts), FileError);
}

TEST_F(Loading, ATrailerThatDoesNotMatchWarnsButTheFlightOpens) {
    const std::string good = Flight(folder.Path() + "GOOD.DAT");
    std::ifstream in(good, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string damaged = bytes;
    damaged[8000] = static_cast<char>(damaged[8000] + 1);  // the image changed, not its trailer
    Put(folder.Path() + "BAD.DAT", damaged);
    Put(folder.Path() + "BARE.DAT", bytes.substr(0, 8192));  // another tool's file: no trailer
    Par("DEFAULT.PAR", "");
    const std::pair<const char*, bool> cases[] = {
        {"GOOD.DAT", false}, {"BAD.DAT", true}, {"BARE.DAT", false}};
    for (const auto& [name, warned] : cases) {
        SCOPED_TRACE(name);
        test::FakePrompts dialog;
        state.current().dataFileName = folder.Path() + name;
        LoadCurrentFile(state, dialog, true, true, true);
        EXPECT_EQ(state.loadedDataSize, 8);
        EXPECT_EQ(dialog.summariesShown, 1);
        EXPECT_EQ(dialog.warnings, warned ? std::vector<std::string>{kDamagedFlightWarning}
                                          : std::vector<std::string>{});
    }
}

TEST_F(Loading, TheRowsDescribeThisFlightAndTheCalibrationItUsed) {
    // The current calibration (loaded earlier) and two files a parameter file may name.
    Put(folder.Path() + "loaded.cal", "do/dg 4.0\r\n");
    Put(folder.Path() + "named.cal", "do/dg 2.0\r\n");
    state.calibrationFilePath = folder.Path() + "loaded.cal";
    state.calibration.dodg = 4.0f;
    Flight(folder.Path() + "A.DAT");
    Flight(folder.Path() + "B.DAT");
    Flight(folder.Path() + "C.DAT");
    Par("A.PAR",
        "Note=flight A\r\nDate=01/02/2003\r\nStages=0\r\n"
        "Calibation Data File=named.cal\r\n");
    Par("B.PAR", "Note=flight B\r\nCalibation Data File=missing.cal\r\n");
    // C has no parameter file, and there is no DEFAULT.PAR either.
    struct Case {
        const char* data;
        std::string calFile;  // the row and the calibration whose values are used
        float dodg;
        const char* note;
        int32_t stages;
    };
    const Case cases[] = {
        {"B.DAT", folder.Path() + "loaded.cal", 4.0f, "flight B", 1},
        {"A.DAT", folder.Path() + "named.cal", 2.0f, "flight A", 0},
        {"C.DAT", folder.Path() + "named.cal", 2.0f, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        test::FakePrompts dialog;
        state.current().dataFileName = folder.Path() + c.data;
        state.current().parameterFileName = "KEEP.PAR";
        LoadCurrentFile(state, dialog, true, true, true);
        ASSERT_EQ(dialog.shownRows.size(), 1u);
        const SummaryRows& rows = dialog.shownRows[0];
        EXPECT_EQ(rows[SummaryRow::CalFile], c.calFile);
        EXPECT_EQ(state.calibration.dodg, c.dodg);
        EXPECT_EQ(state.flight.note, c.note);
        EXPECT_EQ(state.flight.stages, c.stages);
        if (std::string(c.data) == "A.DAT")
            EXPECT_EQ(rows[SummaryRow::FileDate], "01/02/2003");
        else
            EXPECT_NE(rows[SummaryRow::FileDate], "01/02/2003");  // never the flight before
    }
    // A parameter file naming the current calibration's own file keeps values entered since.
    state.calibration.dodg = 7.0f;
    Par("A.PAR", "Calibation Data File=named.cal\r\n");
    state.current().dataFileName = folder.Path() + "A.DAT";
    LoadCurrentFile(state, prompts, false, true, true);
    EXPECT_EQ(state.calibration.dodg, 7.0f);
}

TEST_F(Loading, ACalibrationThatMakesTheConversionMeaninglessIsNamedWhenRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"do/dg 0\r\n", "do/dg 0 "},
        {"do/dg 1e-45\r\n", "do/dg 1.4013e-45 "},
        {"do/dg 1e-33\r\n", "do/dg 1e-33 "},  // finite, but a flight's heights overflow
        {"do/dg 3.4588\r\n", nullptr},
    };
    for (const auto& [text, named] : cases) {
        SCOPED_TRACE(text);
        Put(folder.Path() + "x.cal", text);
        state.calibrationFilePath = folder.Path() + "x.cal";
        test::FakePrompts dialog;
        ReadCalibrationFile(state, dialog);
        if (!named) {
            EXPECT_TRUE(dialog.warnings.empty());
            continue;
        }
        ASSERT_EQ(dialog.warnings.size(), 1u);
        EXPECT_NE(dialog.warnings[0].find(named), std::string::npos) << dialog.warnings[0];
        EXPECT_NE(dialog.warnings[0].find("x.cal"), std::string::npos) << dialog.warnings[0];
    }
}

}  // namespace
}  // namespace orvale
