// `orvale-cli logbook`: the flights of one or more folders as a table.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvale {

inline constexpr char kLogbookUsage[] =
    "       orvale-cli logbook DIR... [--json | --csv] [--units ft|m]\n";

// Runs `orvale-cli logbook ARGS...` (args[0] is "logbook"): a row per flight of each folder
// (aligned columns, CSV, or a JSON object a line). A file that cannot be read is named on err
// and the others are listed. Returns 0 when every flight was listed, 1 when one could not be
// read, 2 for bad usage.
int RunLogbookCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& programDirectory);

}  // namespace orvale
