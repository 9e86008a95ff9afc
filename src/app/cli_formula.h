// `orvale-cli formula`: compiles a channel formula and shows its slots, a checker for flyers and
// a window into the compiler.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvale {

inline constexpr char kFormulaUsage[] =
    "       orvale-cli formula TEXT [--mask M] [--par FILE.PAR] [--json]\n";

// Runs `orvale-cli formula ARGS...` (args[0] is "formula"); returns 0 when the text compiles, 1
// when it does not (the reports are on err, or in the JSON result) or a file cannot be read, 2
// for bad usage.
int RunFormulaCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& programDirectory);

}  // namespace orvale
