// The command-line tool's wait: poll() on the port's descriptor and on a wake-up pipe, so a
// wait sleeps until bytes arrive, the time-out passes or something (Ctrl-C) wakes it.
#pragma once

#include <functional>

#include "device/link_waiter.h"

namespace orvale {

class PosixSerialPort;

class PollWaiter : public LinkWaiter {
public:
    explicit PollWaiter(PosixSerialPort& port);
    ~PollWaiter() override;
    PollWaiter(const PollWaiter&) = delete;
    PollWaiter& operator=(const PollWaiter&) = delete;

    void WaitForData(int timeoutMs) override;
    void Sleep(int timeoutMs) override;
    void Wake() override;

    // The pipe's writing end: a signal handler may write a byte to it (write() is safe there).
    int WakeDescriptor() const { return pipe_[1]; }
    // Runs inside a wait whenever the pipe woke it, in ordinary context; the tool checks there
    // whether Ctrl-C was pressed and cancels the exchange.
    void SetWakeHandler(std::function<void()> handler) { onWake_ = std::move(handler); }

private:
    void Wait(int timeoutMs, bool watchPort);

    PosixSerialPort& port_;
    int pipe_[2] = {-1, -1};
    std::function<void()> onWake_;
};

}  // namespace orvale
