// `orvale-cli export`: every sample of a flight as comma-separated values for a spreadsheet.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvale {

inline constexpr char kExportUsage[] =
    "       orvale-cli export FILE.dat [--par FILE.PAR] [--cal FILE.cal] [--channels 1,2,3]\n"
    "                         [--filtered] [--out FILE.csv]\n";

// Runs `orvale-cli export ARGS...` (args[0] is "export"): a header row of channel titles, then
// one row per recorded sample, the time in seconds and each channel's value in its units. The
// rows go to out (also for "--out -"), or replace the file of --out only once all of them are
// computed; --out must name a regular file or a new one, anything else is refused. Returns 0
// when written, 1 when a channel cannot be computed or a file cannot be read or written, 2 for
// bad usage.
int RunExportCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory);

}  // namespace orvale
