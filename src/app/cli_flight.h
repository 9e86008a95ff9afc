// Loading a flight for a command of the command-line tool, the way opening it in Orvale does.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"

namespace orvale {

class Prompts;

// Files given on the command line in place of the ones the flight names.
struct FlightFileOptions {
    std::optional<std::string> parFile;
    std::optional<std::string> calFile;
};

// What opening reads before decoding: entry 0 becomes the flight, the working directory its
// folder; the flight's parameter file is read from there and the calibration is the one the
// parameter file names, else the settings' one. The options replace either. Throws FileError for
// a named file that does not exist.
void ReadCliFlightFiles(AppState& state, Prompts& prompts, const std::string& file,
                        const FlightFileOptions& options);

// ReadCliFlightFiles, then the flight decoded (no summary dialog) and the graph window set to
// the whole flight. Throws FileError when a file cannot be read.
void OpenCliFlight(AppState& state, Prompts& prompts, const std::string& file,
                   const FlightFileOptions& options);

}  // namespace orvale
