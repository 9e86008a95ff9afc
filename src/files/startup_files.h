// Start-up of the program state: every default, then the files that start-up reads.
#pragma once

#include <ctime>
#include <string>

#include "core/program_state.h"

namespace orvale {

struct StartupEnvironment {
    std::time_t now = 0;
    // Folder of the settings file, ending in '/'.
    std::string programDirectory;
    // Sample flights copied into a working directory that does not exist yet; empty: none, and
    // the working directory is not created.
    std::string bundledSamplesDirectory;
};

class Prompts;

// Puts every default in place (the start-up steps up to the program-wide formats), then reads
// the settings, the default parameter file and the calibration file.
void InitProgramState(AppState& state, const StartupEnvironment& env, Prompts& prompts);

// The part of start-up that reads files: program and working directories, settings, default
// parameter file, calibration file.
void ReadStartupFiles(AppState& state, const StartupEnvironment& env, Prompts& prompts);

}  // namespace orvale
