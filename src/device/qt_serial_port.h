// The desktop program's serial port: QSerialPort behind the protocol's port interface.
#pragma once

#include <QSerialPort>

#include "device/serial_port.h"

namespace orvale {

class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    bool IsOpen() const override { return serial_.isOpen(); }
    // For the event-loop wait, which wakes on its signals.
    QSerialPort& serial() { return serial_; }

    // While the link sleeps through a long reply, arriving bytes stay in the system's buffer
    // instead of waking the event loop to be copied one by one; released, they are all taken in.
    // A sleep is at most a few hundred bytes at the recorder's rates, far below what the system
    // holds for a serial line.
    void HoldInput();
    void ReleaseInput();

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
    // Turns a failure the port has recorded into PortError (closing the port).
    void CheckError();
    [[noreturn]] void Fail(const QString& what);

    QSerialPort serial_;
    std::string device_;  // as opened: Qt's port name drops the folder
};

}  // namespace orvale
