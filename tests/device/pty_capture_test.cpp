// Whole exchanges over a real pseudo-terminal against the recorder emulator: the termios port,
// the poll() wait and the protocol together, each failure with its message and without harm to
// an older flight of the same name.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "core/date_format.h"
#include "device/capture_fixture.h"
#include "device/device_link.h"
#include "device/emulator_thread.h"
#include "device/fake_link.h"
#include "device/image_download.h"
#include "device/message_table.h"
#include "device/poll_waiter.h"
#include "device/posix_serial_port.h"
#include "files/ini_file.h"

namespace orvale::test {
namespace {

// Short enough for a quick suite, long enough for a busy machine.
DeviceTimeouts ShortTimeouts() {
    DeviceTimeouts t;
    t.clearMs = 800;
    t.deployMs = 400;
    t.sensorMs = 800;
    t.imageMs = 800;
    t.trailerMs = 400;
    t.skipMs = 250;
    return t;
}

class PtyTest : public ::testing::Test {
protected:
    void Serve(tavix::ServeOptions options = {}) {
        recorder = std::make_unique<EmulatorThread>(options, f.file);
        f.state.device.deviceName = recorder->Device();
    }
    // The message number the capture failed with, 0 when it succeeded.
    int CaptureError() {
        try {
            CaptureFlight(link, f.prompts, env);
        } catch (const EDeviceCommError& e) {
            message = e.what();
            return e.id();
        }
        return 0;
    }
    // Cancels the exchange after ms, as Ctrl-C does in the command-line tool: the wake-up pipe
    // is written from elsewhere and the wait cancels in its own context.
    std::thread CancelAfter(int ms) {
        waiter.SetWakeHandler([this] { link.Cancel(); });
        return std::thread([this, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            const char byte = 1;
            [[maybe_unused]] ssize_t n = ::write(waiter.WakeDescriptor(), &byte, 1);
        });
    }

    CaptureFolder f;
    std::unique_ptr<EmulatorThread> recorder;
    PosixSerialPort port;
    PollWaiter waiter{port};
    SteadyClock clock;
    FakeStatus status;
    DeviceLink link{f.state, port, waiter, clock, status};
    CaptureEnvironment env;
    std::string message;

    void SetUp() override {
        link.timeouts = ShortTimeouts();
        env.now = [] { return kCaptureTime; };
    }
};

// --- A good capture --------------------------------------------------------------------------

TEST_F(PtyTest, CaptureStoresTheImageAndTrailerByteForByteAndStampsTheFlight) {
    Serve();
    f.KeepOlderFlight();  // replaced only by a verified capture
    EXPECT_EQ(CaptureError(), 0) << message;
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
    const IniFile par = IniFile::Load(f.Path("FLIGHT.PAR"));
    EXPECT_EQ(par.ReadString("Flight Data", "Date", ""), FormatProgramDate(kCaptureTime));
    EXPECT_EQ(par.ReadString("Flight Data", "Time", ""), FormatProgramTime(kCaptureTime));
    EXPECT_EQ(f.prompts.summariesShown, 1);
    EXPECT_EQ(f.state.results.zeroGReading, 100.0f);
    EXPECT_FALSE(status.showing);
    const std::string log = recorder->StopAndLog();
    EXPECT_NE(log.find("/R read memory"), std::string::npos);
    EXPECT_EQ(log.find("/R read memory"), log.rfind("/R read memory"));  // asked once
}

TEST_F(PtyTest, JunkBeforeTheImageIsSkipped) {
    tavix::ServeOptions o;
    o.junk = 5;
    Serve(o);
    EXPECT_EQ(CaptureError(), 0) << message;
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
}

// --- Failures: each told, nothing processed, the older flight kept ---------------------------

TEST_F(PtyTest, BadChecksum) {
    tavix::ServeOptions o;
    o.badChecksum = true;
    Serve(o);
    f.KeepOlderFlight();
    EXPECT_EQ(CaptureError(), msg::kChecksumMismatch);
    EXPECT_EQ(message, "Verification Error - Checksum did not match");
    f.ExpectNothingProcessed();
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PtyTest, MissingTrailer) {
    tavix::ServeOptions o;
    o.noTrailer = true;
    Serve(o);
    f.KeepOlderFlight();
    EXPECT_EQ(CaptureError(), msg::kTrailerMissing);
    EXPECT_EQ(message, "Verification Error - The checksum after the data never arrived");
    f.ExpectNothingProcessed();
}

TEST_F(PtyTest, SilentRecorderIsAskedTwiceThenReported) {
    tavix::ServeOptions o;
    o.silent = true;
    Serve(o);
    f.KeepOlderFlight();
    EXPECT_EQ(CaptureError(), msg::kNoAnswer);
    EXPECT_EQ(message, "Transfer Error - The recorder did not answer");
    f.ExpectNothingProcessed();
    EXPECT_TRUE(f.state.device.TransferAborted);
    const std::string log = recorder->StopAndLog();
    EXPECT_NE(log.find("/R read memory"), log.rfind("/R read memory"));
}

TEST_F(PtyTest, RecorderThatStopsMidImage) {
    tavix::ServeOptions o;
    o.dropAfter = 3000;
    Serve(o);
    f.KeepOlderFlight();
    EXPECT_EQ(CaptureError(), msg::kImageIncomplete);
    EXPECT_NE(message.find("3000 of 8192 bytes arrived"), std::string::npos) << message;
    f.ExpectNothingProcessed();
}

TEST_F(PtyTest, CancelEndsTheTransferAtOnce) {
    tavix::ServeOptions o;
    o.baud = 19200;  // four seconds of image
    Serve(o);
    f.KeepOlderFlight();
    link.timeouts.imageMs = 20000;
    const auto begun = std::chrono::steady_clock::now();
    std::thread cancel = CancelAfter(150);
    const int error = CaptureError();
    cancel.join();
    EXPECT_EQ(error, msg::kUserAborted);
    EXPECT_EQ(message, "User aborted transfer");
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(2));
    f.ExpectNothingProcessed();
    EXPECT_FALSE(port.IsOpen());
}

// --- The other exchanges ---------------------------------------------------------------------

TEST_F(PtyTest, ShortCommandsReachTheRecorder) {
    tavix::ServeOptions o;
    o.clearMs = 50;
    Serve(o);
    link.OpenPort();  // the short commands use the port as it stands
    EXPECT_TRUE(link.ClearDeviceBuffer());
    EXPECT_TRUE(link.SetMainDeployment('M'));
    EXPECT_TRUE(link.SetMainDeployment('H'));
    const std::string log = recorder->StopAndLog();
    EXPECT_NE(log.find("/CC clear data buffer"), std::string::npos) << log;
    EXPECT_NE(log.find("/M main at 1200 ft"), std::string::npos);
    EXPECT_NE(log.find("/H main at 2400 ft"), std::string::npos);
    EXPECT_EQ(log.find("not cleared"), std::string::npos);
}

// --- The port --------------------------------------------------------------------------------

TEST_F(PtyTest, DeviceThatGoesAwayIsReported) {
    Serve();
    link.OpenPort();
    recorder.reset();
    try {
        port.BytesAvailable();
        FAIL() << "still there";
    } catch (const PortError& e) {
        EXPECT_NE(std::string(e.what()).find("went away"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PtyTest, OpeningFailureNamesTheDeviceAndTheReason) {
    f.state.device.deviceName = f.Path("no-such-tty");
    try {
        link.OpenPort();
        FAIL() << "opened";
    } catch (const PortError& e) {
        EXPECT_EQ(std::string(e.what()),
                  f.Path("no-such-tty") + ": cannot open the port (No such file or directory)");
    }
}

TEST_F(PtyTest, SomethingThatIsNoSerialPortIsRefused) {
    f.state.device.deviceName = f.imagePath;
    EXPECT_THROW(link.OpenPort(), PortError);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PtyTest, SecondProgramOnThePortIsRefused) {
    Serve();
    link.OpenPort();
    PosixSerialPort other;
    other.SetPort(1, recorder->Device());
    try {
        other.Open();
        FAIL() << "opened twice";
    } catch (const PortError& e) {
        EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos);
    }
}

}  // namespace
}  // namespace orvale::test
