// The command-line tool's waits on a real pseudo-terminal: the link sleeps through bytes that
// cannot yet make a whole reply, yet a cancel is seen at once and a wait ends neither before its
// bytes nor before its time-out.
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "core/app_state.h"
#include "device/device_link.h"
#include "device/fake_link.h"
#include "device/message_table.h"
#include "device/poll_waiter.h"
#include "device/posix_serial_port.h"

namespace orvale::test {
namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

class LinkWaitTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[64] = {};
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        port.SetPort(0, name);
        port.SetBaudRate(9600);
        port.Open();
    }
    void TearDown() override {
        if (writer.joinable())
            writer.join();
        port.Close();
        ::close(slave);
        ::close(master);
    }
    // The recorder's side: count bytes, one each millisecond, after a pause.
    void SendSlowly(int count, int pauseMs) {
        writer = std::thread([this, count, pauseMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            for (int i = 0; i < count; ++i) {
                const auto byte = static_cast<uint8_t>(i);
                lastWrite = Clock::now();
                if (::write(master, &byte, 1) != 1)
                    return;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }

    int master = -1;
    int slave = -1;
    AppState state;
    SteadyClock clock;
    PosixSerialPort port;
    PollWaiter waiter{port};
    FakeStatus status;
    DeviceLink link{state, port, waiter, clock, status};
    std::thread writer;
    Clock::time_point lastWrite;  // read after the writer has ended
};

TEST_F(LinkWaitTest, CancelDuringALongWaitIsSeenWithinAHundredMilliseconds) {
    // As Ctrl-C does: a byte on the wake-up pipe, the cancel in the wake handler.
    waiter.SetWakeHandler([this] { link.Cancel(); });
    SendSlowly(300, 0);  // bytes keep coming, the reply never completes
    Clock::time_point pressed;
    std::thread button([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        pressed = Clock::now();
        const char byte = 1;
        ASSERT_EQ(::write(waiter.WakeDescriptor(), &byte, 1), 1);
    });
    const Clock::time_point start = Clock::now();
    try {
        link.WaitForReply(0, 1, kSensorReplyLength, 10000, kSensorReplyLength);
        ADD_FAILURE() << "no error";
    } catch (const EDeviceCommError& e) {
        EXPECT_EQ(e.id(), msg::kUserAborted);
    }
    button.join();
    EXPECT_GE(MsSince(start), 250);
    EXPECT_LT(MsSince(pressed), 100);
}

TEST_F(LinkWaitTest, AWaitEndsNeitherBeforeItsBytesNorBeforeItsTimeOut) {
    // Silent: the whole time-out passes, and not much more.
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(link.WaitForReply(0, 1, kSensorReplyLength, 450, kSensorReplyLength));
    EXPECT_GE(MsSince(start), 450);
    EXPECT_LT(MsSince(start), 650);

    // 600 bytes from 100 ms on, a byte a millisecond or slower: the reply is whole when the wait
    // ends, which is soon after the last byte.
    SendSlowly(600, 100);
    start = Clock::now();
    EXPECT_TRUE(link.WaitForReply(0, 1, 600, 5000, 600));
    const Clock::time_point done = Clock::now();
    writer.join();
    EXPECT_GE(MsSince(start), 700);
    EXPECT_EQ(state.device.receive[599], static_cast<uint8_t>(599 % 256));
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(done - lastWrite).count(), 60);
}

}  // namespace
}  // namespace orvale::test
