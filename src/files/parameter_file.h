// The parameter file (.PAR): a flight's description and the twelve channel definitions, kept
// in a hand-editable private-profile file beside the data file.
#pragma once

#include <string>

#include "core/app_state.h"

namespace orvale {

class IniFile;
class Prompts;

inline const char kFlightSection[] = "Flight Data";
inline const char kCalibrationKey[] = "Calibation Data File";  // spelled so in every file

std::string ChannelSection(int channelNumber);

// The working directory followed by the current entry's parameter-file name, matched without
// regard to letter case when the exact name does not exist.
std::string ParameterFilePath(const AppState& state);

// Every key read with the value in memory as its default, so absent or malformed keys change
// nothing.
void ReadParameters(const IniFile& ini, AppState& state);
void WriteParameters(IniFile& ini, const AppState& state);

// Reads the current entry's parameter file; a missing one falls back to "DEFAULT.PAR", then to
// no file at all (name "None"), with one warning when warn is set.
void ReadParameterFile(AppState& state, Prompts& prompts, bool warn);

// Writes every key into the current entry's parameter file, keeping whatever else the file
// holds. Throws FileError("Unable to write to <path>") and leaves the old file whole.
void WriteParameterFile(const AppState& state);

}  // namespace orvale
