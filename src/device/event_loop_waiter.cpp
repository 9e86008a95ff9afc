#include "device/event_loop_waiter.h"

#include <algorithm>

#include <QSerialPort>
#include <QTimer>

#include "device/qt_serial_port.h"

namespace orvale {

void EventLoopWaiter::WaitForData(int timeoutMs) {
    Wait(timeoutMs, true);
}

void EventLoopWaiter::Sleep(int timeoutMs) {
    Wait(timeoutMs, false);
}

void EventLoopWaiter::Wait(int timeoutMs, bool onBytes) {
    if (woken_) {
        woken_ = false;
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QSerialPort& serial = port_.serial();
    if (onBytes)
        QObject::connect(&serial, &QSerialPort::readyRead, &loop, &QEventLoop::quit);
    // A failing port ends the wait too; the next port call reports it.
    QObject::connect(&serial, &QSerialPort::errorOccurred, &loop, &QEventLoop::quit);
    timer.start(std::max(timeoutMs, 0));
    if (!onBytes)
        port_.HoldInput();
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    if (!onBytes)
        port_.ReleaseInput();
    woken_ = false;
}

void EventLoopWaiter::Wake() {
    if (loop_)
        loop_->quit();
    else
        woken_ = true;
}

}  // namespace orvale
