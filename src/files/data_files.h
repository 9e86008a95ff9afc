// The file commands that name, save and open flights: a data file (.DAT, the recorder's image)
// and its parameter file (.PAR) side by side in the working directory.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"

namespace orvale {

class Prompts;
class FileLayer;

inline const char kDataFilters[] = "Data files|*.dat|Parameter files|*.par";

// The name a capture counter moves on to: Flt-009 → Flt-010, Run7 → Run8; a name whose next
// number would need another digit (Run9, Flt-999), or that has no number, stays as it is.
std::string NextDefaultName(const std::string& name);

// The names of a flight's pair as they are to be written: an existing file keeps its spelling.
struct FlightNames {
    std::string dataFile;
    std::string parameterFile;
};

// The save dialog shared by the save commands: returns base name + "." + extension, in the
// working directory whatever folder was chosen, or "None" when cancelled or empty. A name or
// path too long to keep whole is refused with a warning naming the limit. Replacing an existing
// file of the flight in any letter case (for "DAT" the data file and its parameter file) is
// asked once; the existing spelling is returned.
std::string AskSaveName(AppState& state, Prompts& prompts, const std::string& name,
                        const std::string& extension, const std::string& title, int filterIndex);

// Save Data file: copies the flight's image under a new name and writes its parameter file.
// A copy that comes up short (disk full) removes the incomplete file, leaves the flight where
// it was and throws FileError; the parameter file is then not written.
void SaveDataFile(AppState& state, Prompts& prompts, FileLayer& files);

// "Save Par File": the parameter file under a new name.
void SaveParameterFileAs(AppState& state, Prompts& prompts);

// Where a capture is to be stored, as the flyer chose and confirmed it.
struct CaptureTarget {
    std::string folder;  // ending with '/'
    std::string dataFileName;
    std::string parameterFileName;
    std::string nextDefaultName;  // the capture counter's next proposal
};

// Asks the name of the flight about to be downloaded, with the checks of AskSaveName (length
// limits, one question before replacing the flight's data or parameter file). Changes nothing
// in state: a capture that does not complete must leave the flight and its names as they were.
// Nothing when the flyer cancelled or the name was refused.
std::optional<CaptureTarget> AskCaptureTarget(const AppState& state, Prompts& prompts);

// After a capture completed: the working directory, the capture counter and the current
// entry's names take the target's.
void AdoptCaptureTarget(AppState& state, const CaptureTarget& target);

// AskCaptureTarget and, unless cancelled, AdoptCaptureTarget.
bool AskCaptureFileName(AppState& state, Prompts& prompts);

enum class OpenCommand { DataFile, ParameterFile };

// Load Data file / Load Parameter file.
void OpenChild(AppState& state, Prompts& prompts, OpenCommand command);

// What Load Data file / Load Parameter file do once the file is chosen: path (a full path) is
// opened as if the flyer had picked it in the dialog.
void OpenChosenFile(AppState& state, Prompts& prompts, OpenCommand command,
                    const std::string& path);

}  // namespace orvale
