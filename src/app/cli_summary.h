// The command-line tool's commands, kept out of main() so tests can run them in-process.
#pragma once

#include <exception>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/app_state.h"

namespace orvale {

// One line for a failure that concerns the file or folder name: the name (shown as '' when
// empty) and the reason.
std::string FailureLine(const std::string& name, const std::exception& e);

// The summary rows as "Caption: value" lines in dialog order, the drogue row left out when
// hidden.
std::string SummaryText(const AppState& state);

// One JSON object (one line, no newline) with the header values, the pass results and the rows.
std::string SummaryJson(const AppState& state, const std::string& file);

// Runs `orvale-cli ARGS...`; returns the exit status (0 all well, 1 a file failed, 2 bad usage).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programDirectory);

}  // namespace orvale
