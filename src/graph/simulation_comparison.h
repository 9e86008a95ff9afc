// The table that sets a recorded flight beside its simulation: apogee, time to apogee, maximum
// speed and maximum acceleration, each with the difference in percent. The graph window shows it
// under a flight with a simulation added; `orvale-cli compare` prints it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "files/simulation_import.h"

namespace orvale {

// The recorded flight's figures as its summary gives them, times counted from launch.
FlightFigures RecordedFigures(const AppState& state);

struct ComparisonRow {
    std::string label;  // "Apogee (ft)", ...
    std::optional<double> flown;
    std::optional<double> simulated;
    std::optional<double> percent;  // (simulated - flown) / flown
};

std::vector<ComparisonRow> CompareFigures(const FlightFigures& flown,
                                          const FlightFigures& simulated);

// The table as text cells, its header first: what, flight, simulation, difference ("+9.4 %");
// "—" where a value is missing. The window's table and the command line show the same cells.
std::vector<std::vector<std::string>> ComparisonCells(const std::vector<ComparisonRow>& rows);

}  // namespace orvale
