// The desktop program's own options that only inform (--version, --help): answered on standard
// output before any window is made, so they work without a display.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvale {

// The text of `orvale --help`: every option of the program, --render's with its usage.
std::string ProgramHelp();

// When args (the program's arguments without its name) hold --version, --help or -h, writes the
// answer to out and returns the exit status (0); otherwise nothing is written and the program
// starts as usual.
std::optional<int> RunInfoOption(const std::vector<std::string>& args, std::ostream& out);

}  // namespace orvale
