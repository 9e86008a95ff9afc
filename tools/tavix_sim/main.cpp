// tavix-sim: stands in for the Tavix recorder when there is no rocket at hand.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "make_flight_command.h"
#include "serve_command.h"
#include "serve_options.h"

namespace {

struct Subcommand {
    std::string_view name;
    std::string_view summary;
    const char* options;
    int (*run)(const std::vector<std::string>& args);
};

constexpr Subcommand kSubcommands[] = {
    {"make-flight", "simulate a flight and write the recorder's data file (.DAT)",
     tavix::kMakeFlightOptionsHelp, tavix::RunMakeFlight},
    {"serve", "emulate the recorder on a pseudo-terminal for the program to talk to",
     tavix::kServeOptionsHelp, tavix::RunServe},
};

void PrintHelp() {
    std::printf("usage: tavix-sim SUBCOMMAND [options]\n\nsubcommands:\n");
    for (const Subcommand& sub : kSubcommands) {
        std::printf("  %-12.*s %.*s\n", static_cast<int>(sub.name.size()), sub.name.data(),
                    static_cast<int>(sub.summary.size()), sub.summary.data());
    }
    for (const Subcommand& sub : kSubcommands) {
        std::printf("\n%.*s options:\n%s", static_cast<int>(sub.name.size()), sub.name.data(),
                    sub.options);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char*> argList(argv, static_cast<size_t>(argc));
    if (argList.size() < 2) {
        std::fprintf(stderr, "tavix-sim: no subcommand given (try tavix-sim --help)\n");
        return 2;
    }
    const std::string_view first = argList[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp();
        return 0;
    }
    for (const Subcommand& sub : kSubcommands) {
        if (sub.name == first)
            return sub.run({argList.begin() + 2, argList.end()});
    }
    std::fprintf(stderr, "tavix-sim: unknown subcommand '%s' (try tavix-sim --help)\n", argList[1]);
    return 2;
}
