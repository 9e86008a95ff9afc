#include "app/program_options.h"

#include <algorithm>

#include "app/render_command.h"
#include "core/version.h"

namespace orvale {

namespace {

bool Holds(const std::vector<std::string>& args, const char* option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

}  // namespace

std::string ProgramHelp() {
    std::string text =
        "usage: orvale [--measure-startup] [Qt options]\n"
        "       orvale --render FLIGHT.DAT --graph OUT.png [render options]\n"
        "       orvale --version | --help\n"
        "\n"
        "Orvale, the desktop companion of the Tavix flight recorder: captures flights from the\n"
        "recorder over a serial port, summarises and graphs them, calibrates the recorder.\n"
        "\n"
        "options:\n"
        "  --help, -h           show this text and exit\n"
        "  --version            show the program's version and exit\n"
        "  --measure-startup    print how long start-up took to the first paint, then close\n"
        "  --render FLIGHT.DAT  draw the flight's graph to a file with no window and no display\n"
        "  Qt's own options (-platform NAME, -style NAME, -reverse...) are passed to Qt.\n"
        "\n"
        "render:\n";
    text += kRenderUsage;
    text +=
        "  --graph OUT          the graph as PNG, SVG, PDF or JPEG, by the name's extension\n"
        "  --data OUT.csv       the plotted points as CSV\n"
        "  --size WxH           the picture's size in pixels (1000x700)\n"
        "  --report OUT.pdf     the printed report as a PDF\n"
        "  --par FILE.PAR       another parameter file than the flight's own\n"
        "  --start S            the graph's time window: its start in seconds\n"
        "  --length L           and its length in seconds\n"
        "  --zoom A:B           zoomed to A..B seconds\n"
        "  --overlap on|off     \"Overlap all Channels\" on (the default) or off\n"
        "  --sim SIMULATION.csv a simulation laid over the flight\n"
        "A render that fails says why on the error stream and exits with status 1.\n";
    return text;
}

std::optional<int> RunInfoOption(const std::vector<std::string>& args, std::ostream& out) {
    if (Holds(args, "--help") || Holds(args, "-h")) {
        out << ProgramHelp();
        return 0;
    }
    if (Holds(args, "--version")) {
        out << "orvale " << kVersionText << "\n";
        return 0;
    }
    return std::nullopt;
}

}  // namespace orvale
