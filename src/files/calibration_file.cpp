#include "files/calibration_file.h"

#include <array>

#include "core/calibration_check.h"
#include "core/file_error.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "files/number_text.h"
#include "files/path_lookup.h"
#include "files/safe_file.h"
#include "files/small_file.h"
#include "files/windows1252.h"

namespace orvale {

namespace {

struct CalField {
    const char* key;
    const char* comment;
    float CalibrationData::*value;
};

const std::array<CalField, 17> kFields{{
    {"actalt", "Actual Altitude", &CalibrationData::actalt},
    {"actbp", "Actual Barometric Pressure", &CalibrationData::actbp},
    {"avgbp", "Tavix Pressure Avg", &CalibrationData::avgbp},
    {"stdbp", "Tavix Pressure Std Dev", &CalibrationData::stdbp},
    {"offbp", "Barometric Pressure Offset", &CalibrationData::offbp},
    {"gainbp", "Barometric Pressure Gain Factor", &CalibrationData::gainbp},
    {"avg-1g", "Minus One Gee Avg", &CalibrationData::avgMinus1g},
    {"std-1g", "Minus One Gee Std Dev", &CalibrationData::stdMinus1g},
    {"fid(0)", "Finite Difference on [ -1, 0 ]", &CalibrationData::fid0},
    {"avg0g", "Zero Gee Avg", &CalibrationData::avg0g},
    {"std0g", "Zero Gee Std Dev", &CalibrationData::std0g},
    {"fid(1)", "Finite Difference on [ 0, 1 ]", &CalibrationData::fid1},
    {"avg+1g", "Plus One Gee Avg", &CalibrationData::avgPlus1g},
    {"std+1g", "Plus One Gee Std Dev", &CalibrationData::stdPlus1g},
    {"do/dg", "Slope of Tavix Output per G", &CalibrationData::dodg},
    {"y[0]", "Y-Intercept of Tavix Output", &CalibrationData::y0},
    {"ccoff", "Correlation Coefficient", &CalibrationData::ccoff},
}};

constexpr size_t kLineLimit = 255;

void ApplyLine(std::string_view line, CalibrationData& cal) {
    if (line.size() > kLineLimit)
        line = line.substr(0, kLineLimit);
    if ((!line.empty() && line[0] == '#') || (line.size() > 1 && line[1] == '#'))
        return;
    const char* blanks = " \t\r\n";
    size_t start = line.find_first_not_of(blanks);
    if (start == std::string_view::npos)
        return;
    size_t end = line.find_first_of(blanks, start);
    const std::string_view key = line.substr(start, end - start);
    std::string_view value;
    if (end != std::string_view::npos) {
        size_t vstart = line.find_first_not_of(blanks, end);
        if (vstart != std::string_view::npos) {
            size_t vend = line.find_first_of(blanks, vstart);
            value = line.substr(vstart, vend - vstart);
        }
    }
    for (const CalField& field : kFields) {
        if (key != field.key)
            continue;
        if (value.empty()) {
            cal.*field.value = 0.0f;
        } else if (auto number = ParseWellFormedNumber(value, false)) {
            cal.*field.value = *number;
        }  // a value that is not a number keeps the one in memory
        return;
    }
}

FileDialogRequest CalibrationDialog(const AppState& state, const char* title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = "Calibration file|*.cal";
    request.defaultExtension = "cal";
    request.initialDirectory = DirectoryPart(state.calibrationFilePath);
    request.proposedName = state.calibrationFilePath;
    return request;
}

}  // namespace

std::string CalibrationFileText(const CalibrationData& cal) {
    std::string text = "#\r\n# Tavix Calibration Data Compiled by Orvale\r\n#\r\n";
    for (const CalField& field : kFields) {
        std::string key = field.key;
        key.resize(std::max<size_t>(key.size(), 6), ' ');
        std::string value = FormatCalValue(cal.*field.value);
        // A value that fills its whole field would run into a six-letter key and could not be
        // read back; keep one blank between them.
        if (key.back() != ' ' && value.front() != ' ')
            value.insert(value.begin(), ' ');
        text += key + value + "  # " + field.comment + "\r\n";
    }
    return text;
}

void ApplyCalibrationText(std::string_view text, CalibrationData& cal) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        ApplyLine(text.substr(pos, end - pos), cal);
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
}

void ReadCalibrationFile(AppState& state, Prompts& prompts) {
    const std::string path = ResolvePath(state.calibrationFilePath);
    // A name that is a folder (an empty "Calibration_Filename" names the working directory) is
    // no calibration file: ignored like a missing one, not reported as damaged at every start.
    if (!FileExists(path))
        return;
    // Read through a bound: a device or FIFO named as the calibration would never end.
    SmallFile file = ReadSmallFile(path);
    if (file.status == SmallFile::Missing)
        return;
    if (file.status == SmallFile::Refused)
        throw FileError(file.failure);
    // Read errors are told apart from the end of the file: the lines read before one count.
    std::string text = DecodeWindows1252(file.bytes);
    const bool damaged = file.status == SmallFile::ReadError;
    if (damaged) {
        // The lines read in full before the error keep their values.
        const size_t lineEnd = text.find_last_of("\r\n");
        text.resize(lineEnd == std::string::npos ? 0 : lineEnd + 1);
    }
    ApplyCalibrationText(text, state.calibration);
    if (auto problem = CalibrationProblem(state.calibration))
        prompts.ShowWarning(state.calibrationFilePath + ": " + *problem);
    if (damaged) {
        state.errorMessages.Set(state.calibrationFilePath + " file damaged");
        ShowError(state, prompts, kErrorSlot);
    }
}

void LoadCalibrationFile(AppState& state, Prompts& prompts) {
    auto chosen = prompts.AskOpenFileName(CalibrationDialog(state, "Load Calibration file"));
    if (!chosen)
        return;
    state.calibrationFilePath = CutText(*chosen, kPathLimit);
    if (PathExists(ResolvePath(state.calibrationFilePath))) {
        state.flight.calibrationFile = state.calibrationFilePath;
        ReadCalibrationFile(state, prompts);
    } else {
        state.errorMessages.Set(state.calibrationFilePath + " file not found");
        ShowError(state, prompts, kErrorSlot);
    }
}

bool SaveCalibrationFile(AppState& state, Prompts& prompts) {
    auto chosen = prompts.AskSaveFileName(CalibrationDialog(state, "Save Calibration file"));
    if (!chosen)
        return false;
    state.calibrationFilePath = CutText(*chosen, kPathLimit);
    state.flight.calibrationFile = state.calibrationFilePath;
    // The text is ASCII: no character needs the 8-bit set.
    WriteFileAtomically(state.calibrationFilePath, CalibrationFileText(state.calibration));
    return true;
}

}  // namespace orvale
