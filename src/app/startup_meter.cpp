#include "app/startup_meter.h"

#include <unistd.h>

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace orvale {

namespace {

// Milliseconds since the kernel started this process: field 22 of /proc/self/stat counts clock
// ticks since boot. Negative when it cannot be read.
double MillisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1.0;
    // The command name in brackets may hold blanks: count fields after its closing bracket.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22)
            startTicks = std::stoull(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, std::chrono::steady_clock::time_point mainStarted)
        : QObject(&window), window_(window), mainStarted_(mainStarted) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After this paint has reached the screen.
            QTimer::singleShot(0, &window_, [this] { Report(); });
        }
        return false;
    }

private:
    void Report() {
        const double sinceMain = std::chrono::duration<double, std::milli>(
                                     std::chrono::steady_clock::now() - mainStarted_)
                                     .count();
        std::printf("main window shown: %.1f ms after process start, %.1f ms after main()\n",
                    MillisecondsSinceProcessStart(), sinceMain);
        std::fflush(stdout);
        window_.close();
    }

    QWidget& window_;
    std::chrono::steady_clock::time_point mainStarted_;
    bool seen_ = false;
};

}  // namespace

void MeasureStartup(QWidget& window, std::chrono::steady_clock::time_point mainStarted) {
    window.installEventFilter(new FirstPaint(window, mainStarted));
}

}  // namespace orvale
