// `orvale --render`: a flight's graph written to a picture (its points to CSV, its printed report
// to PDF) with no window and no display, for scripts and checks.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvale {

inline const char kRenderUsage[] =
    "usage: orvale --render FLIGHT.DAT --graph OUT.{png,pdf,jpg} [--data OUT.csv] [--size WxH]\n"
    "              [--report OUT.pdf] [--par FILE.PAR] [--start S] [--length L] [--zoom A:B]\n"
    "              [--overlap on|off] [--sim SIMULATION.csv]\n";

// Whether the program's arguments ask for a render: then no window is made and the offscreen
// platform is used.
bool IsRenderCommand(int argc, char** argv);

// Renders as args (the program's arguments without its name) ask; every report goes to err.
// Needs a QApplication. Returns the exit status: 0 when every file was written, else 1.
int RunRender(const std::vector<std::string>& args, std::ostream& err,
              const std::string& executableDirectory);

}  // namespace orvale
