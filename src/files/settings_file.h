// The settings file "QUENDA.INI" in the program directory: options and window layout kept
// between runs.
#pragma once

#include <string>

#include "core/app_state.h"

namespace orvale {

inline const char kSettingsFileName[] = "QUENDA.INI";
constexpr int kFontNameLimit = 31;

// The settings file of the program directory, whatever the letter case of its name on disk.
std::string SettingsFilePath(const std::string& programDirectory);

// Reads every setting into the state (start-up), then completes the calibration file path.
void ReadSettings(AppState& state);

// The main window's last position and size, with their defaults.
WindowBounds ReadMainWindowBounds(const AppState& state);

// Writes every setting in the documented order; writing twice gives the same file. Throws
// FileError("Unable to write to <path>") and leaves the old file whole.
void SaveSettings(const AppState& state);

}  // namespace orvale
