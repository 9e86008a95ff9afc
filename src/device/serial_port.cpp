#include "device/serial_port.h"

#include "device/device_error.h"

namespace orvale {

std::string PortDeviceName(int32_t portNumber, const std::string& deviceName) {
    if (!deviceName.empty())
        return deviceName;
    if (portNumber < 1 || portNumber > 4)
        return {};
#ifdef _WIN32
    return "COM" + std::to_string(portNumber);
#else
    return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

const char kDialoutAdvice[] =
    "Your user is not in the dialout group, which may use serial ports. Add it with\n"
    "    sudo usermod -aG dialout $USER\n"
    "then log out and log in again: the new group counts only from the next login.";

std::string CannotOpenText(const std::string& device, const std::string& reason,
                           bool accessRefused) {
    std::string text = device + ": cannot open the port (" + reason + ")";
    if (accessRefused)
        text += std::string(". ") + kDialoutAdvice;
    return text;
}

SerialPort::~SerialPort() = default;

void SerialPort::SetPort(int32_t portNumber, const std::string& deviceName) {
    const bool reopen = IsOpen() && PortDeviceName(portNumber, deviceName) != Device();
    portNumber_ = portNumber;
    deviceName_ = deviceName;
    if (reopen) {
        DoClose();
        Open();
    }
}

void SerialPort::SetBaudRate(int32_t baud) {
    baud_ = baud;
    if (IsOpen())
        DoSetBaudRate(baud);
}

void SerialPort::Open() {
    if (IsOpen())
        return;
    const std::string device = Device();
    if (device.empty()) {
        throw PortError("No serial port chosen: port number " + std::to_string(portNumber_) +
                        " is not 1 to 4 and no device is named");
    }
    DoOpen(device, baud_);
}

void SerialPort::Close() {
    if (IsOpen())
        DoClose();
}

void SerialPort::EnsureOpen() {
    if (!IsOpen())
        Open();
}

void SerialPort::FlushInput() {
    EnsureOpen();
    DoFlushInput();
}

void SerialPort::FlushOutput() {
    EnsureOpen();
    DoFlushOutput();
}

void SerialPort::WriteByte(uint8_t byte) {
    EnsureOpen();
    DoWriteByte(byte);
}

size_t SerialPort::BytesAvailable() {
    EnsureOpen();
    return DoBytesAvailable();
}

void SerialPort::ReadBlock(uint8_t* destination, size_t count) {
    EnsureOpen();
    DoReadBlock(destination, count);
}

uint8_t SerialPort::PeekByte() {
    EnsureOpen();
    return DoPeekByte();
}

uint8_t SerialPort::ReadByte() {
    uint8_t byte = 0;
    ReadBlock(&byte, 1);
    return byte;
}

bool SerialPort::WaitForInput(int timeoutMs) {
    EnsureOpen();
    return DoWaitForInput(timeoutMs);
}

}  // namespace orvale
