#include "files/calibration_file.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

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

std::array<float, 17> Values(const CalibrationData& c) {
    return {c.actalt,     c.actbp,      c.avgbp, c.stdbp, c.offbp, c.gainbp,
            c.avgMinus1g, c.stdMinus1g, c.fid0,  c.avg0g, c.std0g, c.fid1,
            c.avgPlus1g,  c.stdPlus1g,  c.dodg,  c.y0,    c.ccoff};
}

class CalibrationFile : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDefaults(state, 0);
        state.workingDirectory = folder.Path();
        state.calibrationFilePath = folder.Path() + "Vessin.cal";
        state.flight.calibrationFile = state.calibrationFilePath;
    }

    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
};

TEST_F(CalibrationFile, WrittenTextIsTheTwentyFixedLines) {
    state.calibration.actalt = -12.5f;
    state.calibration.ccoff = 0.99996f;  // rounds up to the fourth decimal
    EXPECT_EQ(CalibrationFileText(state.calibration),
              "#\r\n"
              "# Tavix Calibration Data Compiled by Orvale\r\n"
              "#\r\n"
              "actalt    -12.5000  # Actual Altitude\r\n"
              "actbp       0.0000  # Actual Barometric Pressure\r\n"
              "avgbp     210.0000  # Tavix Pressure Avg\r\n"
              "stdbp       0.0000  # Tavix Pressure Std Dev\r\n"
              "offbp      23.3000  # Barometric Pressure Offset\r\n"
              "gainbp      1.0000  # Barometric Pressure Gain Factor\r\n"
              "avg-1g      0.0000  # Minus One Gee Avg\r\n"
              "std-1g      0.0000  # Minus One Gee Std Dev\r\n"
              "fid(0)      0.0000  # Finite Difference on [ -1, 0 ]\r\n"
              "avg0g       0.0000  # Zero Gee Avg\r\n"
              "std0g       0.0000  # Zero Gee Std Dev\r\n"
              "fid(1)      0.0000  # Finite Difference on [ 0, 1 ]\r\n"
              "avg+1g      0.0000  # Plus One Gee Avg\r\n"
              "std+1g      0.0000  # Plus One Gee Std Dev\r\n"
              "do/dg       3.4588  # Slope of Tavix Output per G\r\n"
              "y[0]        0.0000  # Y-Intercept of Tavix Output\r\n"
              "ccoff       1.0000  # Correlation Coefficient\r\n");
}

TEST_F(CalibrationFile, SavedValuesReadBackIncludingOnesThatFillTheField) {
    // Distinct values, among them some whose text needs all 12 characters of the field (a
    // million or more, minus a hundred thousand or less) next to six-letter keys.
    const std::array<float, 17> values = {
        1e6f,   -1e5f,   212.25f, 0.5f,    -23.0625f,  -123456.5f, 100.0f,   1.25f,  -2.5f,
        126.0f, 0.0625f, 33.5f,   152.75f, 9999999.0f, 25.5f,      -0.0001f, 0.9987f};
    CalibrationData& c = state.calibration;
    float* fields[] = {&c.actalt,     &c.actbp,      &c.avgbp, &c.stdbp, &c.offbp, &c.gainbp,
                       &c.avgMinus1g, &c.stdMinus1g, &c.fid0,  &c.avg0g, &c.std0g, &c.fid1,
                       &c.avgPlus1g,  &c.stdPlus1g,  &c.dodg,  &c.y0,    &c.ccoff};
    for (size_t i = 0; i < values.size(); ++i)
        *fields[i] = values[i];

    const std::string chosen = folder.Path() + "sub/Site B.cal";
    std::filesystem::create_directory(folder.Path() + "sub");
    prompts.fileAnswers = {chosen};
    ASSERT_TRUE(SaveCalibrationFile(state, prompts));
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileDialogRequest& request = prompts.fileRequests[0];
    EXPECT_EQ(request.filter, "Calibration file|*.cal");
    EXPECT_EQ(request.defaultExtension, "cal");
    EXPECT_EQ(request.initialDirectory, folder.Path());
    EXPECT_EQ(request.proposedName, folder.Path() + "Vessin.cal");
    EXPECT_EQ(state.calibrationFilePath, chosen);
    EXPECT_EQ(state.flight.calibrationFile, chosen);
    EXPECT_EQ(state.workingDirectory, folder.Path());

    const std::string text = Contents(chosen);
    EXPECT_NE(text.find("\r\nactalt 1000000.0000  # Actual Altitude\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\nactbp -100000.0000  # Actual Barometric Pressure\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\nstd+1g 9999999.0000  # "), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);

    state.calibration = CalibrationData{};
    ReadCalibrationFile(state, prompts);
    EXPECT_EQ(Values(state.calibration), values);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(CalibrationFile, CancellingTheSaveWritesNothing) {
    state.calibration.gainbp = 1.5f;
    EXPECT_FALSE(SaveCalibrationFile(state, prompts));
    EXPECT_EQ(state.calibration.gainbp, 1.5f);
    EXPECT_EQ(state.calibrationFilePath, folder.Path() + "Vessin.cal");
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(CalibrationFile, ReadingIsFreeForm) {
    struct Case {
        const char* what;
        std::string text;
        std::function<void(CalibrationData&)> expect;
    };
    const Case cases[] = {
        {"one key", "gainbp 1.02\r\n", [](CalibrationData& c) { c.gainbp = 1.02f; }},
        {"keys match in their own case only", "GAINBP 1.02\r\nGainbp 2\r\n",
         [](CalibrationData&) {}},
        {"comment lines", "#gainbp 5\r\n #gainbp 5\r\n\t# gainbp 5\r\n", [](CalibrationData&) {}},
        {"a word that is no key", "a#\r\na# 5\r\nx gainbp 5\r\n", [](CalibrationData&) {}},
        {"a key without a value", "actalt\r\nstdbp   \r\n",
         [](CalibrationData& c) {
             c.actalt = 0.0f;
             c.stdbp = 0.0f;
         }},
        {"blanks, tabs and trailing words",
         "  offbp\t \t-1.5 trailing words\n\tdo/dg 1.5E1 # slope\n",
         [](CalibrationData& c) {
             c.offbp = -1.5f;
             c.dodg = 15.0f;
         }},
        {"number forms", "y[0] -.5\nstdbp +3.\nccoff 2e-1\nfid(0) 0.25E+2\n",
         [](CalibrationData& c) {
             c.y0 = -0.5f;
             c.stdbp = 3.0f;
             c.ccoff = 0.2f;
             c.fid0 = 25.0f;
         }},
        {"any order, the last of a key wins", "avg+1g 1\r\navg-1g 2\r\navg+1g 3\r\n",
         [](CalibrationData& c) {
             c.avgPlus1g = 3.0f;
             c.avgMinus1g = 2.0f;
         }},
        {"values that are no numbers keep memory", "avgbp abc\r\ngainbp 1.5E\r\noffbp 1,5\r\n",
         [](CalibrationData&) {}},
        {"only 255 characters of a line count", "gainbp" + std::string(249, ' ') + "2\r\n",
         [](CalibrationData& c) { c.gainbp = 0.0f; }},
        {"lines ended by CR alone", "gainbp 2\ractalt 3\r",
         [](CalibrationData& c) {
             c.gainbp = 2.0f;
             c.actalt = 3.0f;
         }},
    };
    state.calibration.actalt = 5.0f;
    const CalibrationData before = state.calibration;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state.calibration = before;
        Put(state.calibrationFilePath, c.text);
        ReadCalibrationFile(state, prompts);
        CalibrationData expected = before;
        c.expect(expected);
        EXPECT_EQ(Values(state.calibration), Values(expected));
    }
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(CalibrationFile, MissingAndDamagedFiles) {
    // Start-up with no file: nothing changes, nothing is said.
    const CalibrationData before = state.calibration;
    ReadCalibrationFile(state, prompts);
    EXPECT_EQ(Values(state.calibration), Values(before));
    EXPECT_TRUE(prompts.errors.empty());

    // A name that is a folder is no calibration file either (an empty name in the settings
    // names the working directory): ignored, not reported as damaged at every start.
    std::filesystem::create_directory(state.calibrationFilePath);
    ReadCalibrationFile(state, prompts);
    state.calibrationFilePath = folder.Path();
    ReadCalibrationFile(state, prompts);
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(Values(state.calibration), Values(before));

    // A file whose reading fails: this process's own memory answers a read at 0 with EIO.
    state.calibrationFilePath = "/proc/self/mem";
    ReadCalibrationFile(state, prompts);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0], "/proc/self/mem file damaged");
    EXPECT_EQ(Values(state.calibration), Values(before));
}

TEST_F(CalibrationFile, LoadCommand) {
    Put(folder.Path() + "site.cal", "gainbp 1.25\r\n");
    const std::string workingDirectory = "/flights/";
    state.workingDirectory = workingDirectory;

    // Cancelled: nothing changes.
    LoadCalibrationFile(state, prompts);
    EXPECT_EQ(state.calibrationFilePath, folder.Path() + "Vessin.cal");

    // A file that is gone by the time it is read.
    prompts.fileAnswers = {std::nullopt, folder.Path() + "gone.cal", folder.Path() + "site.cal"};
    LoadCalibrationFile(state, prompts);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0], folder.Path() + "gone.cal file not found");
    EXPECT_EQ(state.calibrationFilePath, folder.Path() + "gone.cal");
    EXPECT_EQ(state.flight.calibrationFile, folder.Path() + "Vessin.cal");
    EXPECT_EQ(state.calibration.gainbp, 1.0f);

    LoadCalibrationFile(state, prompts);
    EXPECT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(state.calibrationFilePath, folder.Path() + "site.cal");
    EXPECT_EQ(state.flight.calibrationFile, folder.Path() + "site.cal");
    EXPECT_EQ(state.calibration.gainbp, 1.25f);
    EXPECT_EQ(state.workingDirectory, workingDirectory);

    ASSERT_EQ(prompts.fileRequests.size(), 3u);
    const FileDialogRequest& last = prompts.fileRequests[2];
    EXPECT_EQ(last.filter, "Calibration file|*.cal");
    EXPECT_EQ(last.defaultExtension, "cal");
    EXPECT_EQ(last.initialDirectory, folder.Path());
    EXPECT_EQ(last.proposedName, folder.Path() + "gone.cal");
}

}  // namespace
}  // namespace orvale
