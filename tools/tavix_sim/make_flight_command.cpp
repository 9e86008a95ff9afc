#include "make_flight_command.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "flight_physics.h"
#include "motor_presets.h"

namespace tavix {

const char kMakeFlightOptionsHelp[] =
    "  --mode main|drogue        main only, or drogue at apogee then main (default drogue)\n"
    "  --no-drogue-fire          drogue mode: the drogue never fires\n"
    "  --stages 1|2              (default 1)\n"
    "  --main-altitude 600|1200|2400\n"
    "                            main deployment height above the site (default 1200)\n"
    "  --seed N                  sensor noise seed (default 1)\n"
    "  --site-elevation FT       launch site above sea level (default 0)\n"
    "  --motor SMALL|MEDIUM|LARGE\n"
    "                            motor of each stage (default MEDIUM)\n"
    "  --thrust LBF --burn S     or a motor by average thrust and burn time\n"
    "  --out FILE                data file to write (default FLIGHT.DAT)\n";

namespace {

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}
    MakeFlightArgs Parse();

private:
    bool Option(std::string_view name, std::string_view value);
    void Fail(std::string message) {
        if (result_.error.empty())
            result_.error = std::move(message);
    }
    void BadValue(std::string_view name, std::string_view value) {
        Fail("bad value '" + std::string(value) + "' for " + std::string(name));
    }

    const std::vector<std::string>& args_;
    MakeFlightArgs result_;
    std::optional<MotorStage> preset_;
    std::optional<double> thrust_;
    std::optional<double> burn_;
};

MakeFlightArgs Parser::Parse() {
    FlightSpec& spec = result_.request.spec;
    for (size_t i = 0; i < args_.size() && result_.error.empty(); ++i) {
        std::string_view arg = args_[i];
        if (arg == "--help" || arg == "-h") {
            result_.help = true;
        } else if (arg == "--no-drogue-fire") {
            spec.noDrogueFire = true;
        } else if (arg.starts_with("--")) {
            std::string_view name = arg;
            std::string_view value;
            if (const size_t eq = arg.find('='); eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            } else if (i + 1 < args_.size()) {
                value = args_[++i];
            } else {
                Fail(std::string(name) + " needs a value");
                break;
            }
            if (!Option(name, value))
                Fail("unknown option '" + std::string(name) + "'");
        } else {
            Fail("unexpected argument '" + std::string(arg) + "'");
        }
    }
    if (!result_.error.empty() || result_.help)
        return result_;

    if (preset_ && (thrust_ || burn_)) {
        Fail("--motor cannot be combined with --thrust or --burn");
    } else if (thrust_.has_value() != burn_.has_value()) {
        Fail("--thrust and --burn go together");
    } else if (spec.noDrogueFire && !spec.drogueToMain) {
        Fail("--no-drogue-fire needs --mode drogue");
    }
    const MotorStage motor =
        thrust_ ? MotorFromThrust(*thrust_, *burn_) : preset_.value_or(*MotorPreset("MEDIUM"));
    spec.motor = motor;
    spec.sustainer = motor;
    return result_;
}

bool Parser::Option(std::string_view name, std::string_view value) {
    FlightSpec& spec = result_.request.spec;
    if (name == "--mode") {
        if (value != "main" && value != "drogue")
            BadValue(name, value);
        spec.drogueToMain = value == "drogue";
    } else if (name == "--stages") {
        const auto stages = ParseNumber<int>(value);
        if (stages != 1 && stages != 2)
            BadValue(name, value);
        spec.stages = stages.value_or(1);
    } else if (name == "--main-altitude") {
        const auto feet = ParseNumber<int>(value);
        if (feet != 600 && feet != 1200 && feet != 2400)
            BadValue(name, value);
        spec.mainAltitudeFt = feet.value_or(1200);
    } else if (name == "--seed") {
        const auto seed = ParseNumber<uint32_t>(value);
        if (!seed)
            BadValue(name, value);
        spec.seed = seed.value_or(1);
    } else if (name == "--site-elevation") {
        const auto feet = ParseNumber<double>(value);
        if (!feet)
            BadValue(name, value);
        spec.siteElevationFt = feet.value_or(0.0);
    } else if (name == "--motor") {
        preset_ = MotorPreset(value);
        if (!preset_)
            BadValue(name, value);
    } else if (name == "--thrust" || name == "--burn") {
        const auto number = ParseNumber<double>(value);
        if (!number || !(*number > 0.0))
            BadValue(name, value);
        (name == "--thrust" ? thrust_ : burn_) = number;
    } else if (name == "--no-drogue-fire") {
        Fail("--no-drogue-fire takes no value");
    } else if (name == "--out") {
        if (value.empty())
            BadValue(name, value);
        result_.request.outPath = value;
    } else {
        return false;
    }
    return true;
}

std::string EventText(double time) {
    if (time < 0.0)
        return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f s", time);
    return text;
}

}  // namespace

MakeFlightArgs ParseMakeFlightArgs(const std::vector<std::string>& args) {
    return Parser(args).Parse();
}

std::string TruthLine(const FlightTruth& truth) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "apogee %.1f ft at %.3f s; max speed %.1f ft/s at %.3f s; max accel %.1f g; ",
                  truth.apogeeFt, truth.apogeeTime, truth.maxSpeedFtS, truth.maxSpeedTime,
                  truth.maxAccelG);
    std::string line = text;
    line += "drogue " + EventText(truth.drogueFireTime) + "; main " +
            EventText(truth.mainFireTime) + "; ";
    std::snprintf(text, sizeof text, "landing %.2f s", truth.landingTime);
    line += text;
    if (truth.landingTime > FrameTime(kFrameCount - 1))
        line += " (after the memory is full)";
    return line;
}

int RunMakeFlight(const std::vector<std::string>& args) {
    const MakeFlightArgs parsed = ParseMakeFlightArgs(args);
    if (parsed.help) {
        std::printf("usage: tavix-sim make-flight [options]\n%s", kMakeFlightOptionsHelp);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "tavix-sim make-flight: %s\n", parsed.error.c_str());
        return 2;
    }
    GeneratedFlight flight;
    try {
        flight = MakeFlight(parsed.request.spec);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "tavix-sim make-flight: %s\n", e.what());
        return 2;
    }
    const std::string& path = parsed.request.outPath;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(flight.file.data()),
              static_cast<std::streamsize>(flight.file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "tavix-sim make-flight: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", TruthLine(flight.truth).c_str());
    return 0;
}

}  // namespace tavix
