// `orvale-cli series`: one channel's graph series of a flight, as the graph window would draw it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvale {

inline constexpr char kSeriesUsage[] =
    "       orvale-cli series FILE.dat (--channel N | --formula TEXT) [--par FILE.PAR]\n"
    "                         [--cal FILE.cal] [--start S] [--length L] [--filter LEVEL]\n"
    "                         [--min A] [--max B] [--json | --csv]\n";

// Runs `orvale-cli series ARGS...` (args[0] is "series"); returns 0 when the series was
// prepared, 1 when it could not be (the reports are on err, or in the JSON result) or the flight
// could not be read, 2 for bad usage.
int RunSeriesCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory);

}  // namespace orvale
