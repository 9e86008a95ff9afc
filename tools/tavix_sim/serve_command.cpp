#include "serve_command.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "pty_line.h"
#include "recorder_emulator.h"
#include "serve_options.h"

namespace tavix {

namespace {

std::atomic<bool> gStop = false;

extern "C" void OnStopSignal(int) {
    gStop.store(true);
}

// A link may replace an older link, never a file that is something else.
bool MakeLink(const std::string& target, const std::string& link) {
    struct stat st;
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "tavix-sim serve: %s exists and is not a link\n", link.c_str());
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "tavix-sim serve: cannot make the link %s: %s\n", link.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

}  // namespace

int RunServe(const std::vector<std::string>& args) {
    const ServeArgs parsed = ParseServeArgs(args);
    if (parsed.help) {
        std::printf("usage: tavix-sim serve --image FILE.dat [options]\n%s", kServeOptionsHelp);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "tavix-sim serve: %s\n", parsed.error.c_str());
        return 2;
    }
    ServeOptions o = parsed.options;
    if (!o.sensorScriptPath.empty()) {
        std::ifstream script(o.sensorScriptPath);
        if (!script) {
            std::fprintf(stderr, "tavix-sim serve: cannot read %s: %s\n",
                         o.sensorScriptPath.c_str(), std::strerror(errno));
            return 1;
        }
        const SensorScript parsedScript =
            ParseSensorScript(std::string{std::istreambuf_iterator<char>(script), {}});
        if (!parsedScript.error.empty()) {
            std::fprintf(stderr, "tavix-sim serve: %s %s\n", o.sensorScriptPath.c_str(),
                         parsedScript.error.c_str());
            return 2;
        }
        o.sensorScript = parsedScript.changes;
    }
    std::ifstream in(o.imagePath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "tavix-sim serve: cannot read %s: %s\n", o.imagePath.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    std::ofstream logFile;
    if (!o.logPath.empty()) {
        logFile.open(o.logPath, std::ios::app);
        if (!logFile) {
            std::fprintf(stderr, "tavix-sim serve: cannot write the log %s\n", o.logPath.c_str());
            return 1;
        }
    }
    std::ostream& log = o.logPath.empty() ? std::cerr : logFile;
    try {
        RecorderEmulator recorder(o, file);
        if (!file.empty() && file[0] < 25) {
            std::fprintf(stderr,
                         "tavix-sim serve: warning: the image starts with byte %d; a program "
                         "that skips leading bytes below 25 loses it\n",
                         file[0]);
        }
        PtyLine line;
        if (!o.linkPath.empty() && !MakeLink(line.DevicePath(), o.linkPath))
            return 1;
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
        std::printf("%s\n", line.DevicePath().c_str());
        std::fflush(stdout);
        ServeLine(line, recorder, gStop, log);
        if (!o.linkPath.empty())
            ::unlink(o.linkPath.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavix-sim serve: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace tavix
