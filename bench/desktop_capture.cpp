// A capture through the desktop program's own link: QSerialPort and the nested event-loop wait,
// as the Capture Data command runs it, without the windows. Prints the wall time and the
// processor time of this process, which should be the wait sleeping, not polling.
//
// usage: orvale_desktop_capture DEVICE FOLDER NAME
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <sstream>
#include <string>

#include "app/cli_prompts.h"
#include "core/program_state.h"
#include "device/console_status.h"
#include "device/device_link.h"
#include "device/event_loop_waiter.h"
#include "device/image_download.h"
#include "device/qt_serial_port.h"
#include "files/path_lookup.h"

namespace {

struct ProcessorTime {
    double user;
    double system;
};

ProcessorTime ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s DEVICE FOLDER NAME\n", argv[0]);
        return 2;
    }
    using namespace orvale;
    AppState state;
    SetProgramDefaults(state, std::time(nullptr));
    const std::string folder = WithSeparator(argv[2]);
    state.programDirectory = folder;
    state.workingDirectory = folder;
    state.device.deviceName = argv[1];

    QtSerialPort port;
    EventLoopWaiter waiter(port);
    SteadyClock clock;
    std::ostringstream quiet;
    ConsoleStatus status(quiet);
    DeviceLink link(state, port, waiter, clock, status);
    CapturePrompts prompts(std::cerr, folder + argv[3]);

    QElapsedTimer wall;
    wall.start();
    const ProcessorTime before = ProcessorSeconds();
    try {
        if (!CaptureFlight(link, prompts)) {
            std::fprintf(stderr, "the capture did not complete\n");
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const ProcessorTime after = ProcessorSeconds();
    const double user = after.user - before.user;
    const double system = after.system - before.system;
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::printf(
        "desktop link: wall %.2f s, processor %.3f s (user %.3f + system %.3f; %.2f%% of wall)\n",
        seconds, user + system, user, system, 100 * (user + system) / seconds);
    return 0;
}
