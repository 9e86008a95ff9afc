// The file commands that name, save and open flights: a data file (.DAT, the recorder's image)
// and its parameter file (.PAR) side by side in the working directory.
#pragma once

#include <string>

#include "core/app_state.h"

namespace orvale {

class Prompts;
class FileLayer;

inline const char kDataFilters[] = "Data files|*.dat|Parameter files|*.par";

// The name a capture counter moves on to: Flt-009 → Flt-010, Run7 → Run8; a name whose next
// number would need another digit (Run9, Flt-999), or that has no number, stays as it is.
std::string NextDefaultName(const std::string& name);

// The save dialog shared by the save commands: returns base name + "." + extension, in the
// working directory whatever folder was chosen, or "None" when cancelled or empty.
std::string AskSaveName(AppState& state, Prompts& prompts, const std::string& name,
                        const std::string& extension, const std::string& title, int filterIndex);

// Save Data file: copies the flight's image under a new name and writes its parameter file.
// A copy that comes up short (disk full) removes the incomplete file, leaves the flight where
// it was and throws FileError; the parameter file is then not written.
void SaveDataFile(AppState& state, Prompts& prompts, FileLayer& files);

// "Save Par File": the parameter file under a new name.
void SaveParameterFileAs(AppState& state, Prompts& prompts);

// Asks the name of the flight about to be downloaded; false when the user cancelled.
bool AskCaptureFileName(AppState& state, Prompts& prompts);

enum class OpenCommand { DataFile, ParameterFile };

// Load Data file / Load Parameter file.
void OpenChild(AppState& state, Prompts& prompts, OpenCommand command);

}  // namespace orvale
