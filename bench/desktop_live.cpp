// The Live Data window of the desktop program against a streaming recorder: the processor time
// of the whole process while the window is open (its 20 ms timer, the serial port's wake-ups and
// the gauges' painting), then the time of a tick's work, painting included.
//
// usage: orvale_desktop_live DEVICE [SECONDS]       (run with QT_QPA_PLATFORM=offscreen)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <vector>

#include "core/program_state.h"
#include "device/console_status.h"
#include "device/device_link.h"
#include "device/dial_gauge.h"
#include "device/event_loop_waiter.h"
#include "device/live_text_form.h"
#include "device/qt_serial_port.h"

namespace {

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DEVICE [SECONDS]\n", argv[0]);
        return 2;
    }
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    using namespace orvale;
    AppState state;
    SetProgramDefaults(state, std::time(nullptr));
    // The emulated recorder's own calibration.
    state.calibration.avg0g = 68.5412f;
    state.calibration.dodg = 3.4588f;
    state.calibration.avgbp = 210.0f;
    state.device.deviceName = argv[1];

    QtSerialPort port;
    EventLoopWaiter waiter(port);
    SteadyClock clock;
    std::ostringstream quiet;
    ConsoleStatus status(quiet);
    DeviceLink link(state, port, waiter, clock, status);
    TLiveTextForm form(link);

    // What woke the program: the port's arrivals and the gauges' paintings.
    int arrivals = 0;
    QObject::connect(&port.serial(), &QSerialPort::readyRead, [&] { ++arrivals; });
    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++count;
            return false;
        }
        int count = 0;
    } paints;
    form.GMeter->installEventFilter(&paints);
    form.Altimeter->installEventFilter(&paints);

    // The window as the flyer has it, for the given time.
    double cpu = 0.0;
    double wall = 0.0;
    int wakeups = 0;
    int painted = 0;
    QTimer::singleShot(0, [&] {
        QElapsedTimer elapsed;
        elapsed.start();
        const double before = ProcessorSeconds();
        arrivals = 0;
        paints.count = 0;
        QTimer::singleShot(seconds * 1000, [&, elapsed, before] {
            cpu = ProcessorSeconds() - before;
            wall = elapsed.nsecsElapsed() / 1e9;
            wakeups = arrivals;
            painted = paints.count;
            form.accept();
        });
    });
    try {
        form.ShowModal();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf(
        "live window open %.1f s: processor %.3f s (%.2f%% of one core); %.0f port "
        "arrivals and %.0f gauge paintings a second\n",
        wall, cpu, 100.0 * cpu / wall, wakeups / wall, painted / wall);

    // A tick's work by itself: the records taken and converted, the needles set and both gauges
    // painted at once (every tick, whether a needle moved or not, so this is the worst case).
    std::vector<double> ticks;
    QTimer::singleShot(0, [&] {
        form.Timer1->stop();
        QElapsedTimer pace;
        pace.start();
        for (int i = 0; i < 250; ++i) {
            while (pace.elapsed() < 20 * (i + 1)) {
                QCoreApplication::processEvents();
                QThread::msleep(1);
            }
            QElapsedTimer t;
            t.start();
            form.Timer1Timer();
            form.GMeter->repaint();
            form.Altimeter->repaint();
            ticks.push_back(t.nsecsElapsed() / 1e6);
        }
        form.accept();
    });
    form.ShowModal();
    std::sort(ticks.begin(), ticks.end());
    double sum = 0.0;
    for (double t : ticks)
        sum += t;
    std::printf(
        "tick with painting: mean %.3f ms, median %.3f ms, 99th %.3f ms, max %.3f ms "
        "(%zu ticks)\n",
        sum / ticks.size(), ticks[ticks.size() / 2], ticks[ticks.size() * 99 / 100], ticks.back(),
        ticks.size());
    return 0;
}
