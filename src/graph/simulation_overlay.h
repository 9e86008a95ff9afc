// A flight simulation shown beside the graph of the flight it simulates: its altitude, velocity
// and acceleration drawn beside the series of the same quantity, its clock moved so that its
// launch falls on the flight's, and the figures of both side by side.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "files/simulation_import.h"
#include "graph/graph_engine.h"
#include "graph/simulation_comparison.h"

namespace orvale {

enum class SimulatedQuantity { Altitude, Velocity, Acceleration };

// Which column of a simulation a series of this title is drawn beside, and the factor from the
// track's units (feet, ft/sec, ft/sec²) to the series' unit. The unit in the title's last
// parentheses names the kind (a length, a speed, an acceleration) and the words before it must
// name that quantity: "Pressure Altitude (ft)", "Height (m)", "Speed (ft/sec)", "Vertical velocity
// (m/s)", "Acceleration (g)", "Accel (ft/sec²)". Any other title, or a unit of another kind, has
// none.
struct SimulatedChannel {
    SimulatedQuantity quantity = SimulatedQuantity::Altitude;
    double scale = 1.0;
    friend bool operator==(const SimulatedChannel&, const SimulatedChannel&) = default;
};
std::optional<SimulatedChannel> MatchSimulatedChannel(const std::string& title);

struct ShownSimulation {
    std::string path;        // the file it was read from
    std::string flightFile;  // the data file of the flight it was added to
    double launch = 0.0;     // that flight's launch on the graph's time axis
    SimulationTrack track;   // aligned at its own launch
    std::vector<ComparisonRow> rows;
};

// Reads the file at path beside the flight loaded in state (entry 0's). Throws SimulationError
// when it cannot be read. A flight whose launch cannot be found is taken to leave at 0 s.
ShownSimulation LoadSimulation(const AppState& state, const std::string& path);

// Whether the graph in state still shows the flight the simulation was added to.
bool ShowsSimulatedFlight(const AppState& state, const ShownSimulation& simulation);

// One curve per series 1..count drawn against time whose title matches a column the track has,
// on that series' subset, and only for series of the simulated flight.
std::vector<OverlayCurve> SimulationOverlays(const AppState& state,
                                             const ShownSimulation& simulation, int count);

}  // namespace orvale
