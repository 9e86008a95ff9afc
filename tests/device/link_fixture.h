// The recorder link over the scripted port, clock and status display.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "device/device_link.h"
#include "device/fake_link.h"

namespace orvale::test {

class LinkTest : public ::testing::Test {
protected:
    static std::vector<uint8_t> Bytes(const std::string& text) {
        return std::vector<uint8_t>(text.begin(), text.end());
    }
    // The time since the fixture was made, on the fake clock.
    int64_t Elapsed() const { return clock.now - start; }

    AppState state;
    FakeClock clock;
    const int64_t start = clock.now;
    FakePort port{clock};
    FakeWaiter waiter{port};
    FakeStatus status;
    DeviceLink link{state, port, waiter, clock, status};
};

}  // namespace orvale::test
