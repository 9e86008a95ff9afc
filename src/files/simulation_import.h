// A flight simulation's export read as a track beside a recorded flight: a CSV file with a time
// column and altitude, vertical velocity or vertical acceleration columns whose units are in the
// header ("Altitude (m)", "Vertical velocity (ft/s)"), as rocket simulators write them, with "#"
// comment lines and event comments ("# Event APOGEE occurred at t=12.3 seconds"). Everything is
// converted to the units the recorder's channels use: feet, ft/sec and ft/sec².
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvale {

// Why a file cannot be read as a simulation, in words for the flyer.
class SimulationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SimulationEvent {
    std::string name;  // as the file spells it: "LAUNCH", "BURNOUT", "APOGEE", ...
    double time = 0.0;
    friend bool operator==(const SimulationEvent&, const SimulationEvent&) = default;
};

// Columns a file does not have are empty; a value a row leaves out ("NaN", "") is NaN.
struct SimulationTrack {
    std::vector<double> time;          // seconds, from launch (see AlignAtLaunch)
    std::vector<double> altitude;      // feet
    std::vector<double> velocity;      // ft/sec, up
    std::vector<double> acceleration;  // ft/sec², up
    std::vector<SimulationEvent> events;
};

// Throws SimulationError when there is no time column, no altitude column, a recognised column
// whose unit is not one of m, ft, m/s, ft/s, m/s², ft/s² (also written m/s^2, m/s2) or G, or a
// row whose time is not a number. Unknown columns are ignored.
SimulationTrack ParseSimulationCsv(std::string_view text);

// Reads and parses a file; a file that cannot be read is a SimulationError naming it.
SimulationTrack ReadSimulationFile(const std::string& path);

// Moves the track's clock so that launch is at 0 s: the "LAUNCH" event when the file has one,
// else the first time the altitude rises above its first value (or the first row).
void AlignAtLaunch(SimulationTrack& track);

// What the comparison table under the graph shows of a flight or a simulation.
struct FlightFigures {
    double apogee = 0.0;             // feet
    double apogeeTime = 0.0;         // seconds from launch
    std::optional<double> maxSpeed;  // ft/sec
    std::optional<double> maxAccel;  // ft/sec²
};

// The figures of an aligned track. The maximum speed comes from the velocity column, or from the
// altitude's steps when there is none; the acceleration only from its own column.
FlightFigures SimulationFigures(const SimulationTrack& track);

// (simulated - flown) / flown in percent; none when flown is 0.
std::optional<double> PercentDifference(double flown, double simulated);

}  // namespace orvale
