#include "graph/simulation_overlay.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "core/launch_detection.h"
#include "core/units.h"
#include "graph/graph_bands.h"

namespace orvale {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

struct UnitScale {
    const char* unit;
    SimulatedQuantity quantity;
    double scale;  // from the track's unit to this one
};

// Units as flyers write them in channel titles, lower case, blanks removed.
constexpr std::array kUnits{
    UnitScale{"ft", SimulatedQuantity::Altitude, 1.0},
    UnitScale{"feet", SimulatedQuantity::Altitude, 1.0},
    UnitScale{"m", SimulatedQuantity::Altitude, kMetresPerFoot},
    UnitScale{"ft/sec", SimulatedQuantity::Velocity, 1.0},
    UnitScale{"ft/s", SimulatedQuantity::Velocity, 1.0},
    UnitScale{"fps", SimulatedQuantity::Velocity, 1.0},
    UnitScale{"m/s", SimulatedQuantity::Velocity, kMetresPerFoot},
    UnitScale{"m/sec", SimulatedQuantity::Velocity, kMetresPerFoot},
    UnitScale{"g", SimulatedQuantity::Acceleration, 1.0 / kFeetPerSecond2PerG},
    UnitScale{"g's", SimulatedQuantity::Acceleration, 1.0 / kFeetPerSecond2PerG},
    UnitScale{"gs", SimulatedQuantity::Acceleration, 1.0 / kFeetPerSecond2PerG},
    UnitScale{"ft/sec\u00b2", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"ft/sec^2", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"ft/sec2", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"ft/sec/sec", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"ft/s\u00b2", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"ft/s^2", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"ft/s2", SimulatedQuantity::Acceleration, 1.0},
    UnitScale{"m/s\u00b2", SimulatedQuantity::Acceleration, kMetresPerFoot},
    UnitScale{"m/s^2", SimulatedQuantity::Acceleration, kMetresPerFoot},
    UnitScale{"m/s2", SimulatedQuantity::Acceleration, kMetresPerFoot},
};

bool NamesQuantity(const std::string& words, SimulatedQuantity quantity) {
    const auto has = [&](const char* word) { return words.find(word) != std::string::npos; };
    switch (quantity) {
        case SimulatedQuantity::Altitude:
            return has("altitude") || has("height");
        case SimulatedQuantity::Velocity:
            return has("speed") || has("velocity");
        case SimulatedQuantity::Acceleration:
            return has("accel");
    }
    return false;
}

const std::vector<double>& Column(const SimulationTrack& track, SimulatedQuantity quantity) {
    switch (quantity) {
        case SimulatedQuantity::Velocity:
            return track.velocity;
        case SimulatedQuantity::Acceleration:
            return track.acceleration;
        case SimulatedQuantity::Altitude:
            break;
    }
    return track.altitude;
}

}  // namespace

std::optional<SimulatedChannel> MatchSimulatedChannel(const std::string& title) {
    const size_t open = title.rfind('(');
    const size_t close = title.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    const std::string unit = Lower(WithoutBlanks(title.substr(open + 1, close - open - 1)));
    const std::string words = Lower(title.substr(0, open));
    for (const UnitScale& u : kUnits)
        if (unit == u.unit && NamesQuantity(words, u.quantity))
            return SimulatedChannel{u.quantity, u.scale};
    return std::nullopt;
}

ShownSimulation LoadSimulation(const AppState& state, const std::string& path) {
    ShownSimulation shown;
    shown.path = path;
    shown.track = ReadSimulationFile(path);
    AlignAtLaunch(shown.track);
    shown.flightFile = state.entries[0].dataFileName;
    shown.launch = LaunchTime(state).value_or(0.0);
    shown.rows = CompareFigures(RecordedFigures(state), SimulationFigures(shown.track));
    return shown;
}

bool ShowsSimulatedFlight(const AppState& state, const ShownSimulation& simulation) {
    return state.entries[0].dataFileName == simulation.flightFile;
}

std::vector<OverlayCurve> SimulationOverlays(const AppState& state,
                                             const ShownSimulation& simulation, int count) {
    std::vector<OverlayCurve> curves;
    const SimulationTrack& track = simulation.track;
    count = std::min(count, static_cast<int>(state.series.size()) - 1);
    for (int k = 1; k <= count; ++k) {
        const ChannelSamples& series = state.series[static_cast<size_t>(k)];
        if (DrawnInBand(series) ||
            state.entries[static_cast<size_t>(k)].dataFileName != simulation.flightFile)
            continue;
        const std::optional<SimulatedChannel> match = MatchSimulatedChannel(series.title);
        if (!match)
            continue;
        const std::vector<double>& values = Column(track, match->quantity);
        const size_t n = std::min(values.size(), track.time.size());
        if (n == 0)
            continue;  // the file has no such column
        OverlayCurve curve;
        curve.subset = TimeSubset(state, k);
        curve.name = "Simulated " + series.title;
        curve.x.reserve(n);
        curve.y.reserve(n);
        for (size_t i = 0; i < n; ++i) {
            curve.x.push_back(static_cast<float>(track.time[i] + simulation.launch));
            curve.y.push_back(std::isnan(values[i]) ? kGraphNullValue
                                                    : static_cast<float>(values[i] * match->scale));
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

}  // namespace orvale
