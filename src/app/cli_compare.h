// `orvale-cli compare`: a recorded flight beside its simulation.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "graph/simulation_comparison.h"

namespace orvale {

inline constexpr char kCompareUsage[] =
    "       orvale-cli compare FILE.dat --sim SIMULATION.csv [--par FILE.PAR] [--cal FILE.cal]\n";

// The comparison as aligned columns for a terminal.
std::string ComparisonText(const std::vector<ComparisonRow>& rows);

// Runs `orvale-cli compare ARGS...` (args[0] is "compare"): the comparison table of the flight
// and the simulation, aligned at launch. Returns 0 when printed, 1 when a file cannot be read
// (the simulation's message says why), 2 for bad usage.
int RunCompareCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& programDirectory);

}  // namespace orvale
