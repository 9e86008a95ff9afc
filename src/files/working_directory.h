#pragma once

#include <string>

namespace orvale {

// The folder that holds the settings file: the program's own folder when the user can write
// there, otherwise the per-user application data folder (~/.local/share/Orvale/).
std::string ChooseProgramDirectory(const std::string& executableDirectory);

// A newcomer's first start: creates a missing working directory and copies the bundled sample
// flights (.DAT with their .PAR, and the calibration .cal) into it so the first "Load Data file"
// finds flights. An existing directory is left alone; failures are silent (start-up goes on
// without samples). True when the directory was created.
bool SeedWorkingDirectory(const std::string& workingDirectory, const std::string& samplesDirectory);

}  // namespace orvale
