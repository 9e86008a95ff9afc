// The desktop program's wait: a nested event loop that ends when the port has new bytes, when
// the time-out passes or when Cancel wakes it, so the status dialog's button and repainting go
// on and the processor sleeps in between.
#pragma once

#include <QEventLoop>
#include <QPointer>

#include "device/link_waiter.h"

namespace orvale {

class QtSerialPort;

class EventLoopWaiter : public LinkWaiter {
public:
    explicit EventLoopWaiter(QtSerialPort& port) : port_(port) {}
    void WaitForData(int timeoutMs) override;
    void Sleep(int timeoutMs) override;
    void Wake() override;

private:
    void Wait(int timeoutMs, bool onBytes);

    QtSerialPort& port_;
    QPointer<QEventLoop> loop_;
    bool woken_ = false;
};

}  // namespace orvale
