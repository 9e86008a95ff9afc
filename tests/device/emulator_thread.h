// The recorder emulator of tavix-sim answering on a real pseudo-terminal from a thread of the
// test, so that the program's port, waits and time-outs run exactly as against a recorder.
#pragma once

#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "pty_line.h"
#include "recorder_emulator.h"
#include "serve_options.h"

namespace orvale::test {

// Fast enough that a whole image takes a few tens of milliseconds.
constexpr int kTestBaud = 1000000;

class EmulatorThread {
public:
    EmulatorThread(tavix::ServeOptions options, const std::vector<uint8_t>& file)
        : recorder_(WithTestBaud(options), file), thread_([this] { Run(); }) {}
    ~EmulatorThread() { Stop(); }
    EmulatorThread(const EmulatorThread&) = delete;
    EmulatorThread& operator=(const EmulatorThread&) = delete;

    const std::string& Device() const { return line_.DevicePath(); }

    // Stops the recorder and returns its command log.
    std::string StopAndLog() {
        Stop();
        return log_.str();
    }
    std::string failure;  // what ended the serving early, if anything

private:
    static tavix::ServeOptions WithTestBaud(tavix::ServeOptions o) {
        if (o.baud == 9600)
            o.baud = kTestBaud;
        return o;
    }
    void Run() {
        try {
            tavix::ServeLine(line_, recorder_, stop_, log_);
        } catch (const std::exception& e) {
            failure = e.what();
        }
    }
    void Stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }

    tavix::PtyLine line_;
    tavix::RecorderEmulator recorder_;
    std::atomic<bool> stop_ = false;
    std::ostringstream log_;
    std::thread thread_;
};

}  // namespace orvale::test
