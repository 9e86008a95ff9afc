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

// Reads the current entry's parameter file; a missing one falls back to "DEFAULT.PAR". When
// opening a flight (opening set), a missing DEFAULT.PAR is written afresh from the defaults and
// read; otherwise, or when it cannot be written, the name becomes "None" (with opening set, the
// defaults are still taken, so nothing of the flight before stays). A file that cannot be read
// raises FileError.
void ReadParameterFile(AppState& state, Prompts& prompts, bool opening);

// The default description and channel definitions, as DEFAULT.PAR holds them when the program
// writes it: without a launch date and time (they would be wrong for every other flight) and
// naming the current calibration file, by its bare name when it is in the working directory.
IniFile DefaultParameters(const AppState& state);

// Writes DEFAULT.PAR into the working directory from the defaults. Throws FileError.
void WriteDefaultParameterFile(const AppState& state);

// Writes every key into the current entry's parameter file, keeping whatever else the file
// holds. Throws FileError("Unable to write to <path>") and leaves the old file whole.
void WriteParameterFile(const AppState& state);

}  // namespace orvale
