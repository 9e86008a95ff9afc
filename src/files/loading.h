// Making a data file the current flight: find it, decode it, pair it with its parameter file,
// summarise it and turn on the commands that need a flight.
#pragma once

#include "core/app_state.h"

namespace orvale {

class Prompts;

// The image file of the "Capture" entry: RAMFILE.TMP in the working directory.
std::string CaptureImagePath(const AppState& state);

// Before a flight's parameter file is read: the flight's description starts from the defaults,
// dated by the data file and naming the current calibration, so nothing of the flight opened
// before remains in it.
void StartFlightDescription(AppState& state, const std::string& dataPath);

// After it is read: the calibration file the parameter file names is applied when it exists;
// otherwise the current calibration stays. Either way the calibration file path names the
// calibration whose values are in use.
void ApplyFlightCalibration(AppState& state, Prompts& prompts);

// Warns when the data file's trailer holds a checksum that is not its image's.
void WarnIfDamaged(const std::string& dataPath, Prompts& prompts);

// Opens the current entry's data file: decodes it, warns when its checksum does not match, and
// (when readParameters is set) reads its parameter file and the calibration that file names.
void LoadCurrentFile(AppState& state, Prompts& prompts, bool showSummary, bool resetWindow,
                     bool readParameters);

// After a download: decodes entry 0's data file again for the current entry.
void ReloadFirstEntry(AppState& state, Prompts& prompts);

}  // namespace orvale
