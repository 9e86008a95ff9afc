#include "app/cli_compare.h"

#include <ctime>
#include <ostream>

#include "app/cli_flight.h"
#include "app/cli_options.h"
#include "app/cli_prompts.h"
#include "app/text_table.h"
#include "core/file_error.h"
#include "files/startup_files.h"

namespace orvale {

std::string ComparisonText(const std::vector<ComparisonRow>& rows) {
    return TextTable(ComparisonCells(rows), 1);
}

int RunCompareCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& programDirectory) {
    std::string flight, simulation;
    FlightFileOptions files;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (!flight.empty()) {
                err << "orvale-cli compare: one flight file only\n" << OwnUsage(kCompareUsage);
                return 2;
            }
            flight = a;
            continue;
        }
        const auto v = OptionValue(args, i);
        if (!v || (a != "--sim" && a != "--par" && a != "--cal")) {
            err << "orvale-cli compare: " << (v ? "unknown option " : "a value is needed after ")
                << a << "\n"
                << OwnUsage(kCompareUsage);
            return 2;
        }
        if (a == "--sim")
            simulation = *v;
        else if (a == "--par")
            files.parFile = *v;
        else
            files.calFile = *v;
    }
    if (flight.empty() || simulation.empty()) {
        err << "orvale-cli compare: name a flight file and --sim SIMULATION.csv\n"
            << OwnUsage(kCompareUsage);
        return 2;
    }
    SimulationTrack track;
    try {
        track = ReadSimulationFile(simulation);
    } catch (const SimulationError& e) {
        err << "orvale-cli: " << e.what() << "\n";
        return 1;
    }
    AlignAtLaunch(track);
    CliPrompts prompts(err);
    AppState state;
    try {
        InitProgramState(state, {std::time(nullptr), programDirectory, {}}, prompts);
        OpenCliFlight(state, prompts, flight, files);
    } catch (const FileError& e) {
        err << "orvale-cli: " << e.what() << "\n";
        return 1;
    }
    out << ComparisonText(CompareFigures(RecordedFigures(state), SimulationFigures(track)));
    return 0;
}

}  // namespace orvale
