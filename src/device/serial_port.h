// The one serial line to the recorder, as the protocol sees it: 8 data bits, no parity, one stop
// bit, no flow control, DTR and RTS off. Implementations: a termios device for the command-line
// tool, QSerialPort for the desktop program, a scripted fake for the tests.
//
// Every operation other than the settings opens a closed port first, as the recorder link
// expects; failures raise PortError naming the device and the system's reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvale {

constexpr int32_t kDefaultBaud = 9600;

// The device a "DAU" port setting stands for: the Device setting when it is set, otherwise the
// numbered port (COM1..COM4 on Windows, /dev/ttyS0../dev/ttyS3 here). Empty for a number outside
// 1..4, which names no port.
std::string PortDeviceName(int32_t portNumber, const std::string& deviceName);

// What follows a "Permission denied" from the system: on Linux a serial port belongs to the
// dialout group, and a user who was never added to it is refused every port.
extern const char kDialoutAdvice[];

// The message for a port that could not be opened: the device, the system's reason and, when
// the system refused access, how to get it.
std::string CannotOpenText(const std::string& device, const std::string& reason,
                           bool accessRefused);

class SerialPort {
public:
    virtual ~SerialPort();

    // The number and name of the port setting; a change on an open port reopens it there.
    void SetPort(int32_t portNumber, const std::string& deviceName);
    int32_t PortNumber() const { return portNumber_; }
    const std::string& DeviceName() const { return deviceName_; }
    // The device path this port opens.
    std::string Device() const { return PortDeviceName(portNumber_, deviceName_); }

    // An open port is reconfigured at once.
    void SetBaudRate(int32_t baud);
    int32_t BaudRate() const { return baud_; }

    void Open();
    void Close();
    virtual bool IsOpen() const = 0;

    void FlushInput();
    void FlushOutput();
    // Queues one byte; it goes out without waiting for an event loop.
    void WriteByte(uint8_t byte);
    // Received bytes waiting to be read.
    size_t BytesAvailable();
    // Removes exactly count waiting bytes; only called when that many are waiting.
    void ReadBlock(uint8_t* destination, size_t count);
    bool ByteReady() { return BytesAvailable() > 0; }
    // The next waiting byte, left waiting. Only called when a byte is ready.
    uint8_t PeekByte();
    uint8_t ReadByte();

    // Sleeps until a byte is waiting or timeoutMs passed, without running anything else. Used by
    // the leading-byte skip of the download, which lets nothing else run either.
    bool WaitForInput(int timeoutMs);

protected:
    virtual void DoOpen(const std::string& device, int32_t baud) = 0;
    virtual void DoClose() = 0;
    virtual void DoSetBaudRate(int32_t baud) = 0;
    virtual void DoFlushInput() = 0;
    virtual void DoFlushOutput() = 0;
    virtual void DoWriteByte(uint8_t byte) = 0;
    virtual size_t DoBytesAvailable() = 0;
    virtual void DoReadBlock(uint8_t* destination, size_t count) = 0;
    virtual uint8_t DoPeekByte() = 0;
    virtual bool DoWaitForInput(int timeoutMs) = 0;

private:
    void EnsureOpen();

    int32_t portNumber_ = 1;
    std::string deviceName_;
    int32_t baud_ = kDefaultBaud;
};

}  // namespace orvale
