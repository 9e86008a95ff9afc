// The emulated serial line: a pseudo-terminal whose far end the program opens like a serial
// port, and the loop that feeds the recorder emulator from it.
#pragma once

#include <atomic>
#include <ostream>
#include <string>

#include "recorder_emulator.h"

namespace tavix {

class PtyLine {
public:
    // Opens the pair in raw mode. Throws std::runtime_error with the system's reason.
    PtyLine();
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // The device the program opens, such as /dev/pts/3.
    const std::string& DevicePath() const { return path_; }
    int Master() const { return master_; }

private:
    int master_ = -1;
    // Held open so that the line keeps its raw settings and the recorder's side never sees a
    // hang-up between the program's sessions.
    int slave_ = -1;
    std::string path_;
};

// Answers the program on the line until stop is set, writing each command to log. Returns when
// stopped; throws std::runtime_error when the line fails.
void ServeLine(PtyLine& line, RecorderEmulator& recorder, const std::atomic<bool>& stop,
               std::ostream& log);

}  // namespace tavix
