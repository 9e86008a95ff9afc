// The make-flight subcommand: command-line options to a flight, the flight to a data file.
#pragma once

#include <string>
#include <vector>

#include "flight_spec.h"

namespace tavix {

struct MakeFlightRequest {
    FlightSpec spec;
    std::string outPath = "FLIGHT.DAT";
};

struct MakeFlightArgs {
    MakeFlightRequest request;
    bool help = false;
    std::string error;  // empty when the options are good
};

extern const char kMakeFlightOptionsHelp[];

MakeFlightArgs ParseMakeFlightArgs(const std::vector<std::string>& args);

// One line of what really happened, for the flyer to compare with what the program works out.
std::string TruthLine(const FlightTruth& truth);

// Returns the process exit status: 0 done, 1 the file could not be written, 2 bad options.
int RunMakeFlight(const std::vector<std::string>& args);

}  // namespace tavix
