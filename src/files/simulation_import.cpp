#include "files/simulation_import.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "core/units.h"

namespace orvale {

namespace {

constexpr double kFeetPerMetre = 1.0 / kMetresPerFoot;
constexpr double kStandardGravity = 32.17405;  // ft/sec² per g
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class Quantity { Time, Altitude, Velocity, Acceleration, Other };

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t from = 0;
    while (true) {
        const size_t comma = line.find(',', from);
        fields.push_back(Trim(line.substr(from, comma - from)));
        if (comma == std::string_view::npos)
            return fields;
        from = comma + 1;
    }
}

Quantity QuantityOf(const std::string& name) {
    if (name.rfind("time", 0) == 0)
        return Quantity::Time;
    // Heights above sea level would put the simulation thousands of feet above the flight.
    if (name.find("altitude") != std::string::npos && name.find("sea level") == std::string::npos &&
        name.find("asl") == std::string::npos)
        return Quantity::Altitude;
    if (name.find("vertical velocity") != std::string::npos ||
        name.find("vertical speed") != std::string::npos || name.rfind("vz", 0) == 0)
        return Quantity::Velocity;
    if (name.find("vertical acceleration") != std::string::npos || name.rfind("az", 0) == 0)
        return Quantity::Acceleration;
    return Quantity::Other;
}

// The unit between the last brackets of a column name, "(m/s²)" or "[ft]".
std::string UnitOf(const std::string& name) {
    const size_t close = name.find_last_of(")]");
    if (close == std::string::npos)
        return {};
    const size_t open = name.find_last_of("([", close);
    if (open == std::string::npos)
        return {};
    std::string unit(Trim(std::string_view(name).substr(open + 1, close - open - 1)));
    for (const char* square : {"\u00b2", "^2"}) {
        if (const size_t at = unit.find(square); at != std::string::npos)
            unit.replace(at, std::string_view(square).size(), "2");
    }
    return unit;
}

// The factor to the recorder's units, or none for a unit this quantity is never given in.
std::optional<double> Factor(Quantity quantity, const std::string& unit) {
    switch (quantity) {
        case Quantity::Time:
            if (unit == "s" || unit == "sec" || unit.empty())
                return 1.0;
            break;
        case Quantity::Altitude:
            if (unit == "m")
                return kFeetPerMetre;
            if (unit == "ft")
                return 1.0;
            break;
        case Quantity::Velocity:
            if (unit == "m/s")
                return kFeetPerMetre;
            if (unit == "ft/s" || unit == "ft/sec")
                return 1.0;
            break;
        case Quantity::Acceleration:
            if (unit == "m/s2")
                return kFeetPerMetre;
            if (unit == "ft/s2" || unit == "ft/sec2")
                return 1.0;
            if (unit == "g")
                return kStandardGravity;
            break;
        case Quantity::Other:
            break;
    }
    return std::nullopt;
}

std::optional<double> Number(std::string_view text) {
    if (text.empty() || Lower(text) == "nan")
        return kNaN;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "# Event APOGEE occurred at t=12.3 seconds"
std::optional<SimulationEvent> EventOf(std::string_view comment) {
    const std::string lower = Lower(comment);
    const size_t event = lower.find("event ");
    const size_t at = lower.find("t=");
    if (event == std::string::npos || at == std::string::npos || at < event)
        return std::nullopt;
    std::string_view rest = comment.substr(event + 6);
    const std::string_view name = rest.substr(0, rest.find(' '));
    std::string_view time = comment.substr(at + 2);
    time = time.substr(0, time.find_first_of(" \t"));
    const std::optional<double> t = Number(time);
    if (name.empty() || !t || std::isnan(*t))
        return std::nullopt;
    return SimulationEvent{std::string(name), *t};
}

bool LooksLikeHeader(std::string_view line) {
    return Lower(line).find("time") != std::string::npos && line.find(',') != std::string::npos;
}

}  // namespace

SimulationTrack ParseSimulationCsv(std::string_view text) {
    SimulationTrack track;
    struct Column {
        size_t index;
        Quantity quantity;
        double factor;
    };
    std::vector<Column> columns;
    bool haveHeader = false;
    size_t lineNumber = 0;
    std::string_view lastCommentHeader;

    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        line = Trim(line);
        if (line.empty())
            continue;
        if (line.front() == '#') {
            const std::string_view comment = Trim(line.substr(1));
            if (auto event = EventOf(comment))
                track.events.push_back(*event);
            else if (!haveHeader && LooksLikeHeader(comment))
                lastCommentHeader = comment;
            continue;
        }
        const std::vector<std::string_view> fields = Fields(line);
        if (!haveHeader) {
            // The header is the first line that is not a comment, unless it holds numbers: then
            // it was the last comment that named a time column.
            std::string_view header = line;
            const bool headerIsComment = Number(fields[0]).has_value();
            if (headerIsComment) {
                if (lastCommentHeader.empty())
                    throw SimulationError(
                        "the file names no columns: a line such as "
                        "\"Time (s),Altitude (m)\" must head them");
                header = lastCommentHeader;
            }
            const std::vector<std::string_view> names = Fields(header);
            bool time = false, altitude = false, velocity = false, acceleration = false;
            for (size_t i = 0; i < names.size(); ++i) {
                const std::string name = Lower(names[i]);
                const Quantity quantity = QuantityOf(name);
                // The first column of each kind counts ("Altitude (m)" before "Altitude (ft)").
                if (quantity == Quantity::Other || (quantity == Quantity::Time && time) ||
                    (quantity == Quantity::Altitude && altitude) ||
                    (quantity == Quantity::Velocity && velocity) ||
                    (quantity == Quantity::Acceleration && acceleration))
                    continue;
                const std::optional<double> factor = Factor(quantity, UnitOf(name));
                if (!factor)
                    throw SimulationError("the column \"" + std::string(names[i]) +
                                          "\" gives no unit Orvale knows (m, ft, m/s, ft/s, "
                                          "m/s\u00b2, ft/s\u00b2 or G)");
                time = time || quantity == Quantity::Time;
                altitude = altitude || quantity == Quantity::Altitude;
                velocity = velocity || quantity == Quantity::Velocity;
                acceleration = acceleration || quantity == Quantity::Acceleration;
                columns.push_back({i, quantity, *factor});
            }
            if (!time)
                throw SimulationError("the file has no time column (\"Time (s)\")");
            if (!altitude)
                throw SimulationError(
                    "the file has no altitude column (\"Altitude (m)\" or "
                    "\"Altitude (ft)\")");
            haveHeader = true;
            if (!headerIsComment)
                continue;
        }
        double t = kNaN, h = kNaN, v = kNaN, a = kNaN;
        bool hasV = false, hasA = false;
        for (const Column& c : columns) {
            const std::optional<double> value =
                c.index < fields.size() ? Number(fields[c.index]) : kNaN;
            if (!value)
                throw SimulationError("line " + std::to_string(lineNumber) + ": \"" +
                                      std::string(fields[c.index]) + "\" is not a number");
            const double converted = *value * c.factor;
            switch (c.quantity) {
                case Quantity::Time:
                    t = converted;
                    break;
                case Quantity::Altitude:
                    h = converted;
                    break;
                case Quantity::Velocity:
                    v = converted;
                    hasV = true;
                    break;
                case Quantity::Acceleration:
                    a = converted;
                    hasA = true;
                    break;
                case Quantity::Other:
                    break;
            }
        }
        if (std::isnan(t))
            throw SimulationError("line " + std::to_string(lineNumber) + " has no time");
        track.time.push_back(t);
        track.altitude.push_back(h);
        if (hasV)
            track.velocity.push_back(v);
        if (hasA)
            track.acceleration.push_back(a);
    }
    if (track.time.empty())
        throw SimulationError("the file holds no rows of numbers");
    return track;
}

SimulationTrack ReadSimulationFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SimulationError(path + ": cannot be opened");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw SimulationError(path + ": cannot be read");
    try {
        return ParseSimulationCsv(text);
    } catch (const SimulationError& e) {
        throw SimulationError(path + ": " + e.what());
    }
}

void AlignAtLaunch(SimulationTrack& track) {
    if (track.time.empty())
        return;
    double launch = track.time.front();
    const auto event = std::find_if(track.events.begin(), track.events.end(),
                                    [](const auto& e) { return Lower(e.name) == "launch"; });
    if (event != track.events.end()) {
        launch = event->time;
    } else {
        for (size_t i = 1; i < track.altitude.size(); ++i) {
            if (track.altitude[i] > track.altitude.front()) {
                launch = track.time[i - 1];
                break;
            }
        }
    }
    for (double& t : track.time)
        t -= launch;
    for (SimulationEvent& e : track.events)
        e.time -= launch;
}

FlightFigures SimulationFigures(const SimulationTrack& track) {
    FlightFigures figures;
    size_t top = 0;
    for (size_t i = 0; i < track.altitude.size(); ++i) {
        if (!std::isnan(track.altitude[i]) &&
            (std::isnan(track.altitude[top]) || track.altitude[i] > track.altitude[top]))
            top = i;
    }
    figures.apogee = track.altitude.empty() ? 0.0 : track.altitude[top];
    figures.apogeeTime = track.time.empty() ? 0.0 : track.time[top];
    const auto highest = [](const std::vector<double>& values) -> std::optional<double> {
        std::optional<double> best;
        for (double v : values)
            if (!std::isnan(v) && (!best || v > *best))
                best = v;
        return best;
    };
    if (!track.velocity.empty()) {
        figures.maxSpeed = highest(track.velocity);
    } else {
        std::vector<double> steps;
        for (size_t i = 1; i < track.time.size(); ++i) {
            const double dt = track.time[i] - track.time[i - 1];
            if (dt > 0.0)
                steps.push_back((track.altitude[i] - track.altitude[i - 1]) / dt);
        }
        figures.maxSpeed = highest(steps);
    }
    figures.maxAccel = highest(track.acceleration);
    return figures;
}

std::optional<double> PercentDifference(double flown, double simulated) {
    if (flown == 0.0 || !std::isfinite(flown) || !std::isfinite(simulated))
        return std::nullopt;
    return (simulated - flown) / flown * 100.0;
}

}  // namespace orvale
