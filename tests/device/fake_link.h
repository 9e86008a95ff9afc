// A scripted recorder link for the protocol tests: a port whose bytes arrive at set times on a
// clock that only moves when something waits, so time-outs of a minute pass in no time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "device/device_error.h"
#include "device/link_waiter.h"
#include "device/serial_port.h"
#include "device/status_display.h"

namespace orvale::test {

class FakeClock : public LinkClock {
public:
    int64_t NowMs() override { return now; }
    int64_t now = 1000;
};

class FakePort : public SerialPort {
public:
    explicit FakePort(FakeClock& clock) : clock_(clock) {}

    // Bytes that reach the port at time atMs of the fake clock.
    void Arrive(int64_t atMs, const std::vector<uint8_t>& bytes) {
        auto& slot = arrivals_[atMs];
        slot.insert(slot.end(), bytes.begin(), bytes.end());
    }
    void ArriveNow(const std::vector<uint8_t>& bytes) { Arrive(clock_.now, bytes); }
    // Moves the clock on by ms whatever arrives meanwhile.
    void Pass(int64_t ms) {
        clock_.now += std::max<int64_t>(ms, 0);
        Deliver();
    }
    int64_t NextArrival() const {
        return arrivals_.empty() ? std::numeric_limits<int64_t>::max() : arrivals_.begin()->first;
    }
    // Moves the clock on by at most ms, stopping at the next arrival.
    void Advance(int64_t ms) {
        clock_.now = std::min(clock_.now + ms, std::max(clock_.now, NextArrival()));
        Deliver();
    }
    const std::vector<uint8_t>& Input() { return input_; }

    bool IsOpen() const override { return open_; }
    std::vector<uint8_t> written;
    std::vector<std::string> calls;
    std::string openedDevice;
    int32_t openedBaud = 0;
    std::string openFailure;  // non-empty: opening fails with this PortError

protected:
    void DoOpen(const std::string& device, int32_t baud) override;
    void DoClose() override {
        calls.push_back("close");
        open_ = false;
    }
    void DoSetBaudRate(int32_t baud) override { calls.push_back("baud " + std::to_string(baud)); }
    void DoFlushInput() override {
        Deliver();
        calls.push_back("flush input (" + std::to_string(input_.size()) + " waiting)");
        input_.clear();
    }
    void DoFlushOutput() override { calls.push_back("flush output"); }
    void DoWriteByte(uint8_t byte) override { written.push_back(byte); }
    size_t DoBytesAvailable() override {
        Deliver();
        return input_.size();
    }
    void DoReadBlock(uint8_t* destination, size_t count) override {
        std::copy_n(input_.begin(), count, destination);
        input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(count));
    }
    uint8_t DoPeekByte() override { return input_.front(); }
    bool DoWaitForInput(int timeoutMs) override {
        ++inputWaits;
        if (input_.empty())
            Advance(timeoutMs);
        return !input_.empty();
    }

public:
    int inputWaits = 0;

private:
    void Deliver() {
        while (!arrivals_.empty() && arrivals_.begin()->first <= clock_.now) {
            const auto& bytes = arrivals_.begin()->second;
            input_.insert(input_.end(), bytes.begin(), bytes.end());
            arrivals_.erase(arrivals_.begin());
        }
    }

    FakeClock& clock_;
    bool open_ = false;
    std::map<int64_t, std::vector<uint8_t>> arrivals_;
    std::vector<uint8_t> input_;
};

// Sleeps on the fake clock until the next arrival or the time-out. during runs inside each
// wait, as a button click would.
class FakeWaiter : public LinkWaiter {
public:
    explicit FakeWaiter(FakePort& port) : port_(port) {}
    void WaitForData(int timeoutMs) override {
        ++waits;
        longestWait = std::max(longestWait, timeoutMs);
        if (during)
            during(waits);
        if (woken_) {
            woken_ = false;
            return;
        }
        port_.Advance(timeoutMs);
    }
    // Counted with the waits. When sleepThroughBytes is set the clock passes arrivals by, as a
    // real sleep does; otherwise a sleep ends at the next arrival like WaitForData.
    void Sleep(int timeoutMs) override {
        ++sleeps;
        longestSleep = std::max(longestSleep, timeoutMs);
        if (!sleepThroughBytes) {
            WaitForData(timeoutMs);
            return;
        }
        ++waits;
        if (during)
            during(waits);
        if (woken_) {
            woken_ = false;
            return;
        }
        port_.Pass(timeoutMs);
    }
    void Wake() override { woken_ = true; }

    std::function<void(int)> during;
    int waits = 0;
    int sleeps = 0;
    int longestSleep = 0;
    bool sleepThroughBytes = false;
    int longestWait = 0;

private:
    FakePort& port_;
    bool woken_ = false;
};

class FakeStatus : public StatusDisplay {
public:
    void SetMeter(unsigned percent) override { meter.push_back(percent); }
    void SetButtonCaption(const std::string& caption) override { captions.push_back(caption); }
    void SetStatusLine(const std::string& text) override { lines.push_back(text); }
    void Show() override {
        showing = true;
        ++shows;
    }
    void Hide() override {
        showing = false;
        ++hides;
    }
    bool IsShowing() const override { return showing; }

    std::vector<unsigned> meter;
    std::vector<std::string> captions;
    std::vector<std::string> lines;
    bool showing = false;
    int shows = 0;
    int hides = 0;
};

inline void FakePort::DoOpen(const std::string& device, int32_t baud) {
    calls.push_back("open " + device + " " + std::to_string(baud));
    if (!openFailure.empty())
        throw PortError(openFailure);
    openedDevice = device;
    openedBaud = baud;
    open_ = true;
}

}  // namespace orvale::test
