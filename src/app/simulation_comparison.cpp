#include "app/simulation_comparison.h"

#include <algorithm>

#include "core/launch_detection.h"
#include "core/text_format.h"

namespace orvale {

FlightFigures RecordedFigures(const AppState& state) {
    const FlightResults& r = state.results;
    const double launch = LaunchTime(state).value_or(0.0);
    FlightFigures figures;
    figures.apogee = r.apogeePressureHeight;
    figures.apogeeTime = r.apogeeTime - launch;
    figures.maxSpeed = r.maxSpeed;
    figures.maxAccel = r.maxAccel * 32.17f;  // as the summary shows it
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

std::string ComparisonText(const std::vector<ComparisonRow>& rows) {
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
    // Widths in characters: "²" and "—" take one column each.
    const auto columns = [](const std::string& s) {
        return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    };
    std::vector<size_t> width(4, 0);
    for (const auto& cells : table)
        for (size_t i = 0; i < cells.size(); ++i)
            width[i] = std::max(width[i], columns(cells[i]));
    std::string text;
    for (const auto& cells : table) {
        text += cells[0] + std::string(width[0] - columns(cells[0]), ' ');
        for (size_t i = 1; i < cells.size(); ++i)
            text += std::string(width[i] - columns(cells[i]) + 2, ' ') + cells[i];
        text += "\n";
    }
    return text;
}

}  // namespace orvale
