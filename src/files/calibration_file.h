// The calibration file (.cal): seventeen values of the recorder's sensors, one commented line
// each, written by the program and read free-form.
#pragma once

#include <string>
#include <string_view>

#include "core/app_state.h"

namespace orvale {

class Prompts;

// The 20 lines the program writes, each ended by CR LF.
std::string CalibrationFileText(const CalibrationData& cal);

// Applies every line that names a key; others are ignored, comments skipped.
void ApplyCalibrationText(std::string_view text, CalibrationData& cal);

// Reads the file at the calibration file path. A missing file changes nothing; a file that
// cannot be read shows "<path> file damaged". One that is not a regular file or is larger than
// the bound of small files raises FileError and changes nothing.
void ReadCalibrationFile(AppState& state, Prompts& prompts);

// The Load Calibration file command.
void LoadCalibrationFile(AppState& state, Prompts& prompts);

// Asks for a name and writes the calibration in memory there; returns false when cancelled.
bool SaveCalibrationFile(AppState& state, Prompts& prompts);

}  // namespace orvale
