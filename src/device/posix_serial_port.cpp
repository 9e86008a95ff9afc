#include "device/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "device/device_error.h"

namespace orvale {

namespace {

// As the recorder link's input buffer: a whole image with its trailer and a sensor block fit.
constexpr size_t kInputBufferSize = 12288;

const std::array<std::pair<int32_t, speed_t>, 11> kSpeeds{{
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {921600, B921600},
}};

std::string Reason(int error) {
    return std::strerror(error);
}

// What a write to a device that is no longer there fails with.
bool Unplugged(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

}  // namespace

PosixSerialPort::~PosixSerialPort() {
    if (fd_ >= 0)
        ::close(fd_);
}

void PosixSerialPort::Fail(const std::string& what, int error) {
    throw PortError(device_ + ": " + what + " (" + Reason(error) + ")");
}

void PosixSerialPort::DoOpen(const std::string& device, int32_t baud) {
    device_ = device;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw PortError(CannotOpenText(device, Reason(error), error == EACCES));
    }
    // Another program talking to the recorder at the same time would garble both transfers.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            throw PortError(device + ": the port is in use by another program");
        Fail("cannot lock the port", error);
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        Fail("not a serial port", error);
    }
    fd_ = fd;
    input_.clear();
    head_ = 0;
    try {
        DoSetBaudRate(baud);
    } catch (...) {
        DoClose();
        throw;
    }
    // Hold DTR and RTS off. A pseudo-terminal has no modem lines and refuses; that is harmless.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines);
    ::tcflush(fd_, TCIOFLUSH);
}

void PosixSerialPort::DoClose() {
    ::close(fd_);
    fd_ = -1;
    input_.clear();
    head_ = 0;
}

void PosixSerialPort::DoSetBaudRate(int32_t baud) {
    speed_t speed = B0;
    for (const auto& [rate, code] : kSpeeds) {
        if (rate == baud)
            speed = code;
    }
    if (speed == B0)
        throw PortError(device_ + ": the baud rate " + std::to_string(baud) +
                        " is not one a serial port offers");
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        Fail("cannot read the line settings", errno);
    // Raw bytes, 8 data bits, no parity, one stop bit, no flow control of either kind.
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // With the descriptor non-blocking, VMIN 1 makes an empty line read EAGAIN, so that a read
    // of 0 bytes means the device hung up (with VMIN 0 it would mean either).
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
        Fail("cannot set the line settings", errno);
}

void PosixSerialPort::DoFlushInput() {
    ::tcflush(fd_, TCIFLUSH);
    input_.clear();
    head_ = 0;
}

void PosixSerialPort::DoFlushOutput() {
    ::tcflush(fd_, TCOFLUSH);
}

void PosixSerialPort::DoWriteByte(uint8_t byte) {
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1)
            return;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && Unplugged(errno)) {
            const int error = errno;
            DoClose();
            throw PortGoneError(device_, Reason(error));
        }
        if (n < 0 && errno != EAGAIN)
            Fail("cannot send", errno);
        // The line's output is full: give it a second to drain.
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, 1000) == 0)
            Fail("cannot send", ETIMEDOUT);
    }
}

void PosixSerialPort::Drain() {
    if (head_ > 0 && head_ == input_.size()) {
        input_.clear();
        head_ = 0;
    }
    while (Waiting() < kInputBufferSize) {
        std::array<uint8_t, 4096> chunk;
        const size_t room = std::min(chunk.size(), kInputBufferSize - Waiting());
        const ssize_t n = ::read(fd_, chunk.data(), room);
        if (n > 0) {
            if (head_ > 0) {
                input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(head_));
                head_ = 0;
            }
            input_.insert(input_.end(), chunk.begin(), chunk.begin() + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // End of file or EIO: the device was unplugged or the other end closed.
        const int error = n == 0 ? ENODEV : errno;
        DoClose();
        throw PortGoneError(device_, Reason(error));
    }
}

size_t PosixSerialPort::DoBytesAvailable() {
    Drain();
    return Waiting();
}

void PosixSerialPort::DoReadBlock(uint8_t* destination, size_t count) {
    if (Waiting() < count)
        Drain();
    if (Waiting() < count)
        throw PortError(device_ + ": fewer bytes waiting than asked for");
    std::memcpy(destination, input_.data() + head_, count);
    head_ += count;
}

uint8_t PosixSerialPort::DoPeekByte() {
    if (Waiting() == 0)
        Drain();
    if (Waiting() == 0)
        throw PortError(device_ + ": no byte waiting");
    return input_[head_];
}

bool PosixSerialPort::DoWaitForInput(int timeoutMs) {
    if (DoBytesAvailable() > 0)
        return true;
    pollfd p{fd_, POLLIN, 0};
    ::poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
    return DoBytesAvailable() > 0;
}

}  // namespace orvale
