// A serial device opened through termios: what the command-line tool talks to the recorder
// with, and what the device tests drive a pseudo-terminal with.
#pragma once

#include <cstdint>
#include <vector>

#include "device/serial_port.h"

namespace orvale {

class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool IsOpen() const override { return fd_ >= 0; }
    // The open device's descriptor, for poll(); -1 when closed.
    int Descriptor() const { return fd_; }

protected:
    void DoOpen(const std::string& device, int32_t baud) override;
    void DoClose() override;
    void DoSetBaudRate(int32_t baud) override;
    void DoFlushInput() override;
    void DoFlushOutput() override;
    void DoWriteByte(uint8_t byte) override;
    size_t DoBytesAvailable() override;
    void DoReadBlock(uint8_t* destination, size_t count) override;
    uint8_t DoPeekByte() override;
    bool DoWaitForInput(int timeoutMs) override;

private:
    // Moves what the device has received into the input buffer, up to its size.
    void Drain();
    [[noreturn]] void Fail(const std::string& what, int error);
    size_t Waiting() const { return input_.size() - head_; }

    int fd_ = -1;
    std::string device_;
    std::vector<uint8_t> input_;
    size_t head_ = 0;
};

}  // namespace orvale
