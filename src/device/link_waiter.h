// How the recorder link waits and tells time. The desktop program waits in a nested event loop
// so that the status dialog's Cancel and repainting go on; the command-line tool sleeps in
// poll(); the tests script both.
#pragma once

#include <chrono>
#include <cstdint>

namespace orvale {

class LinkWaiter {
public:
    virtual ~LinkWaiter() = default;
    // Returns when the port has new bytes, timeoutMs have passed or Wake() was called, whichever
    // comes first; it may return early for any other reason. Never throws: whatever runs inside
    // (a Cancel button) only sets flags and calls Wake().
    virtual void WaitForData(int timeoutMs) = 0;
    // Returns when timeoutMs have passed or Wake() was called; bytes arriving do not end it, so
    // a long reply is taken in a few large pieces instead of a wake-up for every byte. The link
    // sleeps so only while the rest of a reply cannot have arrived at the line's rate. A waiter
    // that cannot ignore the port may return on new bytes, like WaitForData.
    virtual void Sleep(int timeoutMs) { WaitForData(timeoutMs); }
    // Ends the wait in progress (or the next one, when none is running) at once.
    virtual void Wake() = 0;
};

class LinkClock {
public:
    virtual ~LinkClock() = default;
    // Milliseconds on a clock that never goes back.
    virtual int64_t NowMs() = 0;
};

class SteadyClock : public LinkClock {
public:
    int64_t NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace orvale
