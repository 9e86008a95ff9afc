// The desktop program's port and wait: QSerialPort on a pseudo-terminal and the nested event
// loop, against the recorder emulator. Cancel comes from a timer inside the loop, as the status
// dialog's button will.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "device/capture_fixture.h"
#include "device/device_link.h"
#include "device/emulator_thread.h"
#include "device/event_loop_waiter.h"
#include "device/fake_link.h"
#include "device/image_download.h"
#include "device/message_table.h"
#include "device/qt_serial_port.h"
#include "pty_line.h"

namespace orvale::test {
namespace {

class QtLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.timeouts.imageMs = 2000;
        link.timeouts.trailerMs = 500;
        link.timeouts.sensorMs = 2000;
        link.timeouts.skipMs = 250;
        env.now = [] { return kCaptureTime; };
    }
    void Serve(tavix::ServeOptions options = {}) {
        recorder = std::make_unique<EmulatorThread>(options, f.file);
        f.state.device.deviceName = recorder->Device();
    }
    int CaptureError() {
        try {
            CaptureFlight(link, f.prompts, env);
        } catch (const EDeviceCommError& e) {
            return e.id();
        }
        return 0;
    }

    CaptureFolder f;
    std::unique_ptr<EmulatorThread> recorder;
    QtSerialPort port;
    EventLoopWaiter waiter{port};
    SteadyClock clock;
    FakeStatus status;
    DeviceLink link{f.state, port, waiter, clock, status};
    CaptureEnvironment env;
};

TEST_F(QtLinkTest, CaptureIsByteIdentical) {
    tavix::ServeOptions o;
    o.junk = 2;
    Serve(o);
    EXPECT_EQ(CaptureError(), 0);
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
    EXPECT_EQ(f.prompts.summariesShown, 1);
}

TEST_F(QtLinkTest, EventsRunWhileTheReplyIsAwaited) {
    tavix::ServeOptions o;
    o.baud = 115200;  // about 0.7 s of image
    Serve(o);
    int ticks = 0;
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, [&] { ++ticks; });
    repaint.start(20);
    EXPECT_EQ(CaptureError(), 0);
    EXPECT_GE(ticks, 10);
}

TEST_F(QtLinkTest, ALongReplyDoesNotWakeTheProgramForEveryByte) {
    tavix::ServeOptions o;
    o.baud = 38400;  // about two seconds of image, sent a byte at a time
    Serve(o);
    link.timeouts.imageMs = 10000;
    int wakeUps = 0;
    QObject::connect(&port.serial(), &QSerialPort::readyRead, [&] { ++wakeUps; });
    EXPECT_EQ(CaptureError(), 0);
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
    // Thousands when every byte wakes the loop; a few hundred at most when the bytes wait in
    // the system while the link sleeps.
    EXPECT_LT(wakeUps, 400);
}

TEST_F(QtLinkTest, CancelButtonInsideTheLoopEndsTheWaitThenRaises) {
    tavix::ServeOptions o;
    o.baud = 19200;  // four seconds of image
    Serve(o);
    f.KeepOlderFlight();
    link.timeouts.imageMs = 20000;
    bool captionWasCancel = false;
    QTimer::singleShot(150, [&] {
        captionWasCancel = link.ButtonCaption() == kCancelCaption;
        link.StatusButtonClicked();
    });
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(CaptureError(), msg::kUserAborted);
    EXPECT_LT(elapsed.elapsed(), 2000);
    EXPECT_TRUE(captionWasCancel);
    f.ExpectNothingProcessed();
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(QtLinkTest, TimeOutWithoutAnswer) {
    tavix::ServeOptions o;
    o.silent = true;
    Serve(o);
    link.OpenPort();
    link.timeouts.deployMs = 300;
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(link.SetMainDeployment('L'));
    EXPECT_GE(elapsed.elapsed(), 300);
    EXPECT_LT(elapsed.elapsed(), 1500);
}

TEST_F(QtLinkTest, DeviceThatGoesAwayIsReported) {
    Serve();
    link.OpenPort();
    recorder.reset();
    EXPECT_THROW(link.WaitForReply(0, 1, 2, 1000, 2), PortError);
}

TEST_F(QtLinkTest, PortRefusedForPermissionSaysHowToJoinDialout) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root opens a device whatever its permissions";
    tavix::PtyLine line;
    ASSERT_EQ(::chmod(line.DevicePath().c_str(), 0), 0);
    f.state.device.deviceName = line.DevicePath();
    try {
        link.OpenPort();
        FAIL() << "opened";
    } catch (const PortError& e) {
        EXPECT_EQ(
            std::string(e.what()),
            line.DevicePath() + ": cannot open the port (Permission denied). " + kDialoutAdvice);
    }
}

TEST_F(QtLinkTest, OpeningFailureNamesTheDevice) {
    f.state.device.deviceName = f.Path("no-such-tty");
    try {
        link.OpenPort();
        FAIL() << "opened";
    } catch (const PortError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind(f.Path("no-such-tty") + ": cannot open the port (", 0), 0u)
            << e.what();
    }
}

}  // namespace
}  // namespace orvale::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
