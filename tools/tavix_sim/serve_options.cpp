#include "serve_options.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace tavix {

const char kServeOptionsHelp[] =
    "  --image FILE.dat          the memory image the recorder holds (required)\n"
    "  --link PATH               also make a symbolic link to the pseudo-terminal here\n"
    "  --baud N                  line speed that paces the replies (default 9600)\n"
    "  --junk N                  bytes below 25 sent before the image (default 0)\n"
    "  --silent                  read commands but never answer\n"
    "  --bad-checksum            send a trailer whose checksum is wrong\n"
    "  --no-trailer              send the image without its trailer\n"
    "  --drop-after N            stop sending the image after N bytes\n"
    "  --log FILE                log each command with its time (default: standard error)\n"
    "  --clear-ms N              time the recorder takes to erase its memory (default 1000)\n"
    "  --gee G                   resting attitude for \"/T\": 1 upright, 0 flat, -1 upside down\n"
    "  --pressure R              raw pressure reading for \"/T\", 0 to 255 (default: sea level)\n"
    "  --noise SIGMA             sensor noise in readings, 0 to 20 (default 0.3)\n"
    "  --sensor-script FILE      attitude and pressure changes over time or per \"/T\" block:\n"
    "                            lines 'at SECONDS gee G pressure P' or 'block N gee G', '#'\n"
    "                            comments\n"
    "  --seed N                  sensor noise seed (default 1)\n";

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

}  // namespace

ServeArgs ParseServeArgs(const std::vector<std::string>& args) {
    ServeArgs result;
    ServeOptions& o = result.options;
    const auto fail = [&](std::string message) {
        if (result.error.empty())
            result.error = std::move(message);
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            result.help = true;
            continue;
        }
        if (name == "--silent") {
            o.silent = true;
            continue;
        }
        if (name == "--bad-checksum") {
            o.badChecksum = true;
            continue;
        }
        if (name == "--no-trailer") {
            o.noTrailer = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            fail(name.rfind("--", 0) == 0 ? "missing value for " + name
                                          : "unexpected argument '" + name + "'");
            continue;
        }
        const std::string& value = args[++i];
        const auto count = [&](int& field, int lowest) {
            const auto n = ParseNumber<int>(value);
            if (!n || *n < lowest)
                fail("bad value '" + value + "' for " + name);
            else
                field = *n;
        };
        if (name == "--image") {
            o.imagePath = value;
        } else if (name == "--link") {
            o.linkPath = value;
        } else if (name == "--log") {
            o.logPath = value;
        } else if (name == "--baud") {
            count(o.baud, 1);
        } else if (name == "--junk") {
            count(o.junk, 0);
        } else if (name == "--drop-after") {
            count(o.dropAfter, 0);
        } else if (name == "--clear-ms") {
            count(o.clearMs, 0);
        } else if (name == "--gee") {
            const auto g = ParseNumber<double>(value);
            if (!g || *g < -20.0 || *g > 20.0)
                fail("bad value '" + value + "' for --gee");
            else
                o.gee = *g;
        } else if (name == "--pressure" || name == "--noise") {
            const auto v = ParseNumber<double>(value);
            const double top = name == "--pressure" ? 255.0 : 20.0;
            if (!v || *v < 0.0 || *v > top)
                fail("bad value '" + value + "' for " + name);
            else
                (name == "--pressure" ? o.pressure : o.noise) = *v;
        } else if (name == "--sensor-script") {
            o.sensorScriptPath = value;
        } else if (name == "--seed") {
            const auto n = ParseNumber<uint32_t>(value);
            if (!n)
                fail("bad value '" + value + "' for --seed");
            else
                o.seed = *n;
        } else {
            fail("unknown option '" + name + "'");
        }
    }
    if (!result.help && result.error.empty() && o.imagePath.empty())
        fail("--image FILE.dat is required");
    return result;
}

}  // namespace tavix
