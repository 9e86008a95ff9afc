#include "pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace tavix {

namespace {

// Replies leave in bursts of a few milliseconds, as a serial chip's buffer hands them over,
// rather than one wake-up per byte.
constexpr int kBurstMs = 4;
// Often enough to notice the stop flag.
constexpr int kLongestSleepMs = 100;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyLine::PtyLine() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        Fail("cannot open a pseudo-terminal");
    path_ = name;
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PtyLine::~PtyLine() {
    ::close(master_);
    ::close(slave_);
}

void ServeLine(PtyLine& line, RecorderEmulator& recorder, const std::atomic<bool>& stop,
               std::ostream& log) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    std::vector<uint8_t> pending;
    while (!stop.load()) {
        const std::vector<uint8_t> due = recorder.TakeDue(elapsed());
        pending.insert(pending.end(), due.begin(), due.end());
        if (!pending.empty()) {
            const ssize_t n = ::write(line.Master(), pending.data(), pending.size());
            if (n > 0)
                pending.erase(pending.begin(), pending.begin() + n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                Fail("cannot write to the pseudo-terminal");
        }
        int sleepMs = kLongestSleepMs;
        if (!pending.empty()) {
            sleepMs = kBurstMs;  // the program has not read yet; try again soon
        } else if (recorder.NextDue() >= 0.0) {
            const double wait = (recorder.NextDue() - elapsed()) * 1000.0;
            sleepMs = std::clamp(static_cast<int>(std::ceil(wait)), kBurstMs, kLongestSleepMs);
        }
        pollfd p{line.Master(), POLLIN, 0};
        const int ready = ::poll(&p, 1, sleepMs);
        if (ready < 0 && errno != EINTR)
            Fail("cannot wait on the pseudo-terminal");
        if (ready > 0 && (p.revents & POLLIN) != 0) {
            std::array<uint8_t, 256> input;
            const ssize_t n = ::read(line.Master(), input.data(), input.size());
            if (n > 0)
                recorder.Receive(input.data(), static_cast<size_t>(n), elapsed());
        }
        for (const std::string& entry : recorder.TakeLog())
            log << entry << '\n' << std::flush;
    }
}

}  // namespace tavix
