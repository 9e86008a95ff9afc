#include "files/loading.h"

#include <sys/stat.h>

#include "core/date_format.h"
#include "core/image_decode.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "files/calibration_file.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"

namespace orvale {

std::string CaptureImagePath(const AppState& state) {
    return CutText(ResolveCaseInsensitive(state.workingDirectory, kScratchImageFile), kPathLimit);
}

void StartFlightDescription(AppState& state, const std::string& dataPath) {
    state.flight = FlightParameters{};
    // Without a date of its own the flight is dated by its data file, never by the flight
    // opened before it.
    struct stat info {};
    if (::stat(dataPath.c_str(), &info) == 0) {
        state.flight.date = CutText(FormatProgramDate(info.st_mtime), kDateTimeLimit);
        state.flight.time = CutText(FormatProgramTime(info.st_mtime), kDateTimeLimit);
    }
    // A parameter file that names no calibration keeps the current one.
    state.flight.calibrationFile = state.calibrationFilePath;
}

void ApplyFlightCalibration(AppState& state, Prompts& prompts) {
    const std::string& name = state.flight.calibrationFile;
    if (name.empty())
        return;
    // A bare name sits in the working directory, beside the flight.
    const std::string path = name.find('/') == std::string::npos
                                 ? ResolveCaseInsensitive(state.workingDirectory, name)
                                 : ResolvePath(name);
    // The current calibration's own file is not read again: values entered since stay.
    if (!FileExists(path) || path == ResolvePath(state.calibrationFilePath))
        return;
    state.calibrationFilePath = CutText(path, kPathLimit);
    ReadCalibrationFile(state, prompts);
}

void WarnIfDamaged(const std::string& dataPath, Prompts& prompts) {
    if (TrailerChecksumDiffers(dataPath))
        prompts.ShowWarning(kDamagedFlightWarning);
}

void LoadCurrentFile(AppState& state, Prompts& prompts, bool showSummary, bool resetWindow,
                     bool readParameters) {
    DataFileEntry& entry = state.current();
    const bool capture = entry.dataFileName == kCaptureName;
    if (capture) {
        state.imageFilePath = CaptureImagePath(state);
    } else {
        state.imageFilePath = ResolvePath(entry.dataFileName);
        if (readParameters)
            entry.parameterFileName = CutText(BaseName(entry.dataFileName) + ".PAR", kPathLimit);
    }
    if (!PathExists(state.imageFilePath)) {
        state.loadedDataSize = 0;
        entry.dataFileName = kNoFile;
        return;
    }

    ProcessImage(state, prompts, true, false);
    if (state.loadedDataSize <= 1) {
        entry.dataFileName = kNoFile;
        return;
    }
    WarnIfDamaged(state.imageFilePath, prompts);
    if (readParameters) {
        StartFlightDescription(state, state.imageFilePath);
        ReadParameterFile(state, prompts, true);
        ApplyFlightCalibration(state, prompts);
    }
    // Decoded again: the stages and channel 1's filter level just read change the summary.
    ProcessImage(state, prompts, true, showSummary);

    if (showSummary && state.summaryDialogResult == 2 && !capture) {
        entry.dataFileName = kNoFile;
        entry.parameterFileName = kNoFile;
        state.loadedDataSize = 0;
        prompts.SetFlightCommandsEnabled(false);
        return;
    }
    if (state.currentEntry == 0)
        prompts.SetFlightCommandsEnabled(true);

    if (resetWindow) {
        SetGraphStart(state, prompts, false, entry.startTime);
        SetGraphLength(state, prompts, true, state.endOfFlightTime);
    } else {
        if (entry.duration + entry.startTime < entry.graphStart)
            SetGraphStart(state, prompts, false, entry.startTime);
        if (entry.graphLength > entry.duration)
            SetGraphLength(state, prompts, true, entry.duration);
    }
}

void ReloadFirstEntry(AppState& state, Prompts& prompts) {
    const DataFileEntry& first = state.entries[0];
    if (first.dataFileName == kNoFile)
        return;
    state.imageFilePath = CutText(first.dataFileName, kPathLimit);
    if (first.dataFileName == kCaptureName)
        state.imageFilePath = CaptureImagePath(state);
    ReadParameterFile(state, prompts, true);
    ProcessImage(state, prompts, true, false);
}

}  // namespace orvale
