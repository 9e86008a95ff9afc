#include "graph/simulation_comparison.h"

#include "core/launch_detection.h"
#include "core/text_format.h"
#include "core/units.h"

namespace orvale {

FlightFigures RecordedFigures(const AppState& state) {
    const FlightResults& r = state.results;
    const double launch = LaunchTime(state).value_or(0.0);
    FlightFigures figures;
    figures.apogee = r.apogeePressureHeight;
    figures.apogeeTime = r.apogeeTime - launch;
    figures.maxSpeed = r.maxSpeed;
    figures.maxAccel = r.maxAccel * kFeetPerSecond2PerG;  // as the summary shows it
    return figures;
}

std::vector<ComparisonRow> CompareFigures(const FlightFigures& flown,
                                          const FlightFigures& simulated) {
    const auto row = [](const char* label, std::optional<double> a, std::optional<double> b) {
        ComparisonRow r{label, a, b, std::nullopt};
        if (a && b)
            r.percent = PercentDifference(*a, *b);
        return r;
    };
    return {row("Apogee (ft)", flown.apogee, simulated.apogee),
            row("Time to apogee (sec)", flown.apogeeTime, simulated.apogeeTime),
            row("Maximum speed (ft/sec)", flown.maxSpeed, simulated.maxSpeed),
            row("Maximum acceleration (ft/sec\u00b2)", flown.maxAccel, simulated.maxAccel)};
}

std::vector<std::vector<std::string>> ComparisonCells(const std::vector<ComparisonRow>& rows) {
    const auto number = [](const std::optional<double>& v, int decimals) {
        return v ? Fixed(*v, 1, decimals) : std::string("\u2014");
    };
    std::vector<std::vector<std::string>> table{{"", "Flight", "Simulation", "Difference"}};
    for (const ComparisonRow& r : rows) {
        const std::string percent =
            r.percent ? (*r.percent >= 0 ? "+" : "") + Fixed(*r.percent, 1, 1) + " %"
                      : std::string("\u2014");
        table.push_back({r.label, number(r.flown, 2), number(r.simulated, 2), percent});
    }
    return table;
}

}  // namespace orvale
