// Making a data file the current flight: find it, decode it, pair it with its parameter file,
// summarise it and turn on the commands that need a flight.
#pragma once

#include "core/app_state.h"

namespace orvale {

class Prompts;

// The image file of the "Capture" entry: RAMFILE.TMP in the working directory.
std::string CaptureImagePath(const AppState& state);

void LoadCurrentFile(AppState& state, Prompts& prompts, bool showSummary, bool resetWindow,
                     bool readParameters);

// After a download: decodes entry 0's data file again for the current entry.
void ReloadFirstEntry(AppState& state, Prompts& prompts);

}  // namespace orvale
