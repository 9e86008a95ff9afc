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

// Whether path names a folder (an empty path, the current one, does).
bool IsFolder(const std::string& path);

// The working directory of a first start: "DATA/" in the program directory.
std::string DefaultWorkingDirectory(const AppState& state);

// Reads every setting into the state (start-up), then completes the calibration file path.
void ReadSettings(AppState& state);

// The main window's last position and size, with their defaults.
WindowBounds ReadMainWindowBounds(const AppState& state);

// Writes every setting in the documented order; writing twice gives the same file. Throws
// FileError("Unable to write to <path>") and leaves the old file whole, also when a value holds
// a character the file's 8-bit set cannot hold (the message names its key). A working directory
// that was missing at start stays in the file while the program works in the default one.
void SaveSettings(const AppState& state);

}  // namespace orvale
