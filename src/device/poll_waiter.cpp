#include "device/poll_waiter.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device/device_error.h"
#include "device/posix_serial_port.h"

namespace orvale {

PollWaiter::PollWaiter(PosixSerialPort& port) : port_(port) {
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
        throw EDeviceError(std::string("Cannot make a wake-up pipe (") + std::strerror(errno) +
                           ")");
}

PollWaiter::~PollWaiter() {
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void PollWaiter::WaitForData(int timeoutMs) {
    Wait(timeoutMs, true);
}

void PollWaiter::Sleep(int timeoutMs) {
    Wait(timeoutMs, false);
}

void PollWaiter::Wait(int timeoutMs, bool watchPort) {
    pollfd fds[2] = {{pipe_[0], POLLIN, 0}, {port_.Descriptor(), POLLIN, 0}};
    const nfds_t count = watchPort && port_.Descriptor() >= 0 ? 2 : 1;
    const int ready = ::poll(fds, count, timeoutMs < 0 ? 0 : timeoutMs);
    if (ready <= 0 || (fds[0].revents & POLLIN) == 0)
        return;
    char sink[64];
    while (::read(pipe_[0], sink, sizeof sink) > 0) {
    }
    if (onWake_)
        onWake_();
}

void PollWaiter::Wake() {
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost when this write fails.
    [[maybe_unused]] const ssize_t n = ::write(pipe_[1], &byte, 1);
}

}  // namespace orvale
