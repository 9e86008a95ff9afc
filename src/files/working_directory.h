#pragma once

#include <string>

namespace orvale {

// The sample flights installed with a program in executableDirectory ("<prefix>/bin/"):
// "<prefix>/share/orvale/samples/" when that folder exists, else empty (a program run from its
// build folder).
std::string InstalledSamplesDirectory(const std::string& executableDirectory);

// The folder that holds the settings file: the program's own folder when the user can write
// there, otherwise the per-user application data folder (~/.local/share/Orvale/). An installed
// program (one with installed samples) always takes the per-user folder, even where it could
// write beside itself (root in /usr/bin), so that no user's files land among the programs.
std::string ChooseProgramDirectory(const std::string& executableDirectory);

// A newcomer's first start: creates a missing working directory and copies the bundled sample
// flights (.DAT with their .PAR, and the calibration .cal) into it so the first "Load Data file"
// finds flights. An existing directory is left alone; failures are silent (start-up goes on
// without samples). True when the directory was created.
bool SeedWorkingDirectory(const std::string& workingDirectory, const std::string& samplesDirectory);

}  // namespace orvale
