#include "device/qt_serial_port.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "device/device_error.h"

namespace orvale {

QtSerialPort::QtSerialPort() {
    // Unlimited: a whole image waits in the port until the reply is complete.
    serial_.setReadBufferSize(0);
}

void QtSerialPort::Fail(const QString& what) {
    const std::string message = serial_.portName().toStdString() + ": " + what.toStdString() +
                                " (" + serial_.errorString().toStdString() + ")";
    serial_.clearError();
    if (serial_.isOpen())
        serial_.close();
    throw PortError(message);
}

void QtSerialPort::CheckError() {
    switch (serial_.error()) {
        case QSerialPort::NoError:
        case QSerialPort::TimeoutError:
            return;
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError: {
            // Both mean the device is gone: unplugged, or the far end of a pseudo-terminal
            // closed (reported as a read error with a stale message).
            const PortGoneError gone(device_, serial_.errorString().toStdString());
            serial_.clearError();
            if (serial_.isOpen())
                serial_.close();
            throw gone;
        }
        default:
            Fail("the port failed");
    }
}

void QtSerialPort::DoOpen(const std::string& device, int32_t baud) {
    device_ = device;
    serial_.setPortName(QString::fromStdString(device));
    serial_.setBaudRate(baud);
    serial_.setDataBits(QSerialPort::Data8);
    serial_.setParity(QSerialPort::NoParity);
    serial_.setStopBits(QSerialPort::OneStop);
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_.open(QIODevice::ReadWrite)) {
        // The port's own lock failing is a permission error too; only the system's refusal
        // is a question of groups.
        const std::string reason = serial_.errorString().toStdString();
        const bool refused =
            serial_.error() == QSerialPort::PermissionError && reason == std::strerror(EACCES);
        const std::string message = CannotOpenText(device, reason, refused);
        serial_.clearError();
        throw PortError(message);
    }
    // A pseudo-terminal has no modem lines and refuses DTR and RTS; that is harmless.
    serial_.setDataTerminalReady(false);
    serial_.setRequestToSend(false);
    serial_.clearError();
    serial_.clear(QSerialPort::AllDirections);
}

void QtSerialPort::DoClose() {
    serial_.close();
    serial_.clearError();
}

void QtSerialPort::DoSetBaudRate(int32_t baud) {
    if (!serial_.setBaudRate(baud))
        Fail(QString("cannot set %1 baud").arg(baud));
}

void QtSerialPort::DoFlushInput() {
    serial_.clear(QSerialPort::Input);
}

void QtSerialPort::DoFlushOutput() {
    serial_.clear(QSerialPort::Output);
}

void QtSerialPort::DoWriteByte(uint8_t byte) {
    const char c = static_cast<char>(byte);
    if (serial_.write(&c, 1) != 1) {
        CheckError();  // a device that went away says so
        Fail("cannot send");
    }
    // Out now: the skip of leading bytes runs no event loop that would send it later.
    serial_.flush();
    CheckError();
}

size_t QtSerialPort::DoBytesAvailable() {
    CheckError();
    return static_cast<size_t>(serial_.bytesAvailable());
}

void QtSerialPort::DoReadBlock(uint8_t* destination, size_t count) {
    const qint64 got =
        serial_.read(reinterpret_cast<char*>(destination), static_cast<qint64>(count));
    if (got != static_cast<qint64>(count))
        Fail("fewer bytes waiting than asked for");
}

uint8_t QtSerialPort::DoPeekByte() {
    char c = 0;
    if (serial_.peek(&c, 1) != 1)
        Fail("no byte waiting");
    return static_cast<uint8_t>(c);
}

void QtSerialPort::HoldInput() {
    // QSerialPort stops watching the line once its buffer holds as much as it may: a cap at
    // what it already holds (at least one byte) leaves at most two wake-ups for the sleep.
    serial_.setReadBufferSize(std::max<qint64>(serial_.bytesAvailable(), 1));
}

void QtSerialPort::ReleaseInput() {
    serial_.setReadBufferSize(0);
    // Take in at once what waited in the system, so the link counts it before it decides
    // whether to sleep again; each call reads one chunk.
    if (serial_.isOpen())
        while (serial_.waitForReadyRead(0)) {
        }
}

bool QtSerialPort::DoWaitForInput(int timeoutMs) {
    if (serial_.bytesAvailable() > 0)
        return true;
    // Qt's own blocking wait: sleeps in the system until bytes come, running no events.
    serial_.waitForReadyRead(timeoutMs);
    CheckError();
    return serial_.bytesAvailable() > 0;
}

}  // namespace orvale
