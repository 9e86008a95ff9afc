#include "sensor_script.h"

#include <charconv>
#include <sstream>

namespace tavix {

namespace {

std::optional<double> Number(const std::string& word) {
    double value = 0.0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (word.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// The accelerometer reads about 3.5 per g around 72, so the byte holds roughly -20 to +50 g.
constexpr double kGeeLimit = 20.0;

}  // namespace

SensorScene SceneAt(const std::vector<SensorChange>& script, SensorScene start, double seconds,
                    int block) {
    for (const SensorChange& c : script) {
        const bool due = c.when == SensorChange::When::Seconds ? c.at <= seconds : c.at <= block;
        if (!due)
            continue;
        if (c.gee)
            start.gee = *c.gee;
        if (c.pressure)
            start.pressure = *c.pressure;
    }
    return start;
}

SensorScript ParseSensorScript(std::string_view text) {
    SensorScript script;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    const auto fail = [&](const std::string& why) {
        script.error = "line " + std::to_string(number) + ": " + why;
    };
    while (script.error.empty() && std::getline(in, line)) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word))
            continue;
        SensorChange change;
        if (word == "at")
            change.when = SensorChange::When::Seconds;
        else if (word == "block")
            change.when = SensorChange::When::Block;
        else {
            fail("expected 'at SECONDS' or 'block N', found '" + word + "'");
            break;
        }
        std::string value;
        words >> value;
        const std::optional<double> at = Number(value);
        if (!at || *at < 0.0 ||
            (change.when == SensorChange::When::Block &&
             (*at < 1.0 || *at != static_cast<int>(*at)))) {
            fail("bad " + word + " '" + value + "'");
            break;
        }
        change.at = *at;
        while (script.error.empty() && words >> word) {
            if (!(words >> value)) {
                fail("missing value for " + word);
                break;
            }
            const std::optional<double> v = Number(value);
            if (word == "gee" && v && *v >= -kGeeLimit && *v <= kGeeLimit)
                change.gee = v;
            else if (word == "pressure" && v && *v >= 0.0 && *v <= 255.0)
                change.pressure = v;
            else if (word == "gee" || word == "pressure")
                fail("bad " + word + " '" + value + "'");
            else
                fail("unknown setting '" + word + "' (gee or pressure)");
        }
        if (script.error.empty() && !change.gee && !change.pressure)
            fail("nothing to change (gee G or pressure P)");
        if (script.error.empty())
            script.changes.push_back(change);
    }
    if (!script.error.empty())
        script.changes.clear();
    return script;
}

}  // namespace tavix
