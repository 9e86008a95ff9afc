// The serve subcommand: the recorder emulated on a pseudo-terminal, for trying the program's
// device commands without hardware.
#pragma once

#include <string>
#include <vector>

namespace tavix {

// Returns the process exit status: 0 stopped by a signal, 1 the image or the line failed, 2 bad
// options.
int RunServe(const std::vector<std::string>& args);

}  // namespace tavix
