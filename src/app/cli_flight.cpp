#include "app/cli_flight.h"

#include <filesystem>

#include "core/file_error.h"
#include "core/image_decode.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "files/calibration_file.h"
#include "files/ini_file.h"
#include "files/loading.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"

namespace orvale {

void ReadCliFlightFiles(AppState& state, Prompts& prompts, const std::string& file,
                        const FlightFileOptions& options) {
    namespace fs = std::filesystem;
    if (file.empty())
        throw FileError("an empty name names no flight file");
    const std::string path = fs::absolute(file).lexically_normal().string();
    state.currentEntry = 0;
    DataFileEntry& entry = state.current();
    state.workingDirectory = DirectoryPart(path);
    entry.dataFileName = CutText(path, kPathLimit);
    state.imageFilePath = path;
    WarnIfDamaged(path, prompts);
    // The same steps as opening the flight in Orvale, so both show the same numbers.
    StartFlightDescription(state, path);
    if (options.parFile) {
        if (!PathExists(*options.parFile))
            throw FileError(*options.parFile + ": no such parameter file");
        ReadParameters(IniFile::Load(*options.parFile), state);
    } else {
        entry.parameterFileName = BaseName(path) + ".PAR";
        ReadParameterFile(state, prompts, false);
    }
    if (!options.calFile) {
        ApplyFlightCalibration(state, prompts);
        return;
    }
    const std::string cal = ResolvePath(*options.calFile);
    if (!PathExists(cal))
        throw FileError(cal + ": no such calibration file");
    state.calibrationFilePath = CutText(cal, kPathLimit);
    state.flight.calibrationFile = state.calibrationFilePath;
    ReadCalibrationFile(state, prompts);
}

void OpenCliFlight(AppState& state, Prompts& prompts, const std::string& file,
                   const FlightFileOptions& options) {
    ReadCliFlightFiles(state, prompts, file, options);
    ProcessImage(state, prompts, true, false);
    DataFileEntry& entry = state.current();
    SetGraphStart(state, prompts, false, entry.startTime);
    SetGraphLength(state, prompts, true, state.endOfFlightTime);
}

}  // namespace orvale
