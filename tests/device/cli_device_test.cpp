// orvale-cli's recorder commands against the emulated recorder on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/cli_device.h"
#include "app/cli_summary.h"
#include "device/capture_fixture.h"
#include "device/emulator_thread.h"
#include "pty_line.h"

namespace orvale::test {
namespace {

class CliDeviceTest : public ::testing::Test {
protected:
    void Serve(tavix::ServeOptions options = {}) {
        recorder = std::make_unique<EmulatorThread>(options, f.file);
    }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        DeviceTimeouts t;
        t.clearMs = 800;
        t.deployMs = 400;
        t.sensorMs = 800;
        t.imageMs = imageMs;
        t.trailerMs = 400;
        t.skipMs = 250;
        return RunDeviceCli(args, out, err, f.folder, t);
    }
    std::string Port() const { return recorder->Device(); }

    CaptureFolder f;
    std::unique_ptr<EmulatorThread> recorder;
    std::ostringstream out;
    std::ostringstream err;
    uint16_t imageMs = 800;
};

TEST_F(CliDeviceTest, CaptureWritesTheFlightAndPrintsItsSummary) {
    Serve();
    EXPECT_EQ(Run({"capture", "--port", Port(), "--dir", f.folder, "Launch7"}), 0) << err.str();
    EXPECT_EQ(ReadBytes(f.Path("Launch7.DAT")), f.file);
    EXPECT_TRUE(std::filesystem::exists(f.Path("Launch7.PAR")));
    EXPECT_NE(out.str().find("Max Pressure Altitude:"), std::string::npos) << out.str();
    EXPECT_NE(err.str().find("100%"), std::string::npos);
    EXPECT_NE(err.str().find("Transfer Complete."), std::string::npos);
}

TEST_F(CliDeviceTest, FailedCaptureGivesTheDeviceErrorAndStatusOne) {
    tavix::ServeOptions o;
    o.badChecksum = true;
    Serve(o);
    f.KeepOlderFlight();
    EXPECT_EQ(Run({"capture", "--port", Port(), "--dir", f.folder, "FLIGHT"}), 1);
    EXPECT_NE(err.str().find("orvale-cli: Verification Error - Checksum did not match"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");
    f.ExpectNothingProcessed();
}

TEST_F(CliDeviceTest, UnpluggedAdapterEndsTheCaptureAtOnce) {
    tavix::ServeOptions o;
    o.baud = 19200;  // four seconds of image
    Serve(o);
    f.KeepOlderFlight();
    const std::string device = Port();
    imageMs = 20000;
    std::thread unplug([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        recorder.reset();
    });
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(Run({"capture", "--port", device, "--dir", f.folder, "FLIGHT"}), 1);
    unplug.join();
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(3));
    EXPECT_NE(err.str().find(
                  "orvale-cli: The Tavix's port went away during the transfer: " + device + " ("),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");
    f.ExpectNothingProcessed();
}

TEST_F(CliDeviceTest, RefusedPortSaysHowToJoinDialout) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root opens a device whatever its permissions";
    tavix::PtyLine line;
    ASSERT_EQ(::chmod(line.DevicePath().c_str(), 0), 0);
    EXPECT_EQ(Run({"sensors", "--port", line.DevicePath()}), 1);
    EXPECT_NE(err.str().find(line.DevicePath() + ": cannot open the port (Permission denied)"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("sudo usermod -aG dialout $USER"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("log in again"), std::string::npos) << err.str();
}

TEST_F(CliDeviceTest, PortThatCannotBeOpenedIsNamed) {
    EXPECT_EQ(Run({"clear", "--port", f.Path("ttyNone")}), 1);
    EXPECT_NE(err.str().find(f.Path("ttyNone") + ": cannot open the port"), std::string::npos)
        << err.str();
}

TEST_F(CliDeviceTest, ClearAndDeploy) {
    tavix::ServeOptions o;
    o.clearMs = 20;
    Serve(o);
    EXPECT_EQ(Run({"clear", "--port", Port()}), 0) << err.str();
    EXPECT_EQ(out.str(), "Tavix's data buffer is now clear\n");
    EXPECT_EQ(Run({"deploy", "low", "--port", Port()}), 0) << err.str();
    EXPECT_EQ(Run({"deploy", "high", "--port", Port(), "--baud", "19200"}), 0) << err.str();
    const std::string log = recorder->StopAndLog();
    EXPECT_NE(log.find("/CC"), std::string::npos);
    EXPECT_NE(log.find("/L main at 600 ft"), std::string::npos);
    EXPECT_NE(log.find("/H main at 2400 ft"), std::string::npos);
}

TEST_F(CliDeviceTest, UnconfirmedCommandIsNotASuccess) {
    tavix::ServeOptions o;
    o.silent = true;
    Serve(o);
    EXPECT_EQ(Run({"deploy", "med", "--port", Port()}), 1);
    EXPECT_NE(err.str().find("did not confirm"), std::string::npos);
}

TEST_F(CliDeviceTest, SensorsAsTextAndJson) {
    Serve();
    EXPECT_EQ(Run({"sensors", "--port", Port()}), 0) << err.str();
    EXPECT_NE(out.str().find("acceleration  average"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("(256 records)"), std::string::npos);
    EXPECT_EQ(Run({"sensors", "--json", "--port", Port()}), 0) << err.str();
    EXPECT_EQ(out.str().rfind("{\"accel_average\":7", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("\"pressure_records\":256"), std::string::npos);
}

TEST_F(CliDeviceTest, LivePrintsALinePerShownRecord) {
    Serve();
    EXPECT_EQ(Run({"live", "--port", Port(), "--seconds", "0.4"}), 0) << err.str();
    std::istringstream lines(out.str());
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("g ", 0), 0u) << line;
        EXPECT_NE(line.find("altitude"), std::string::npos);
        ++count;
    }
    EXPECT_GE(count, 3);
}

TEST_F(CliDeviceTest, BadUsageIsStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"capture", "NAME"},
        {"capture", "--port", "/dev/x"},
        {"capture", "--port", "/dev/x", "a/b"},
        {"deploy", "--port", "/dev/x"},
        {"deploy", "medium", "--port", "/dev/x"},
        {"clear", "--port", "/dev/x", "--baud", "fast"},
        {"clear", "--port", "/dev/x", "--json"},
        {"live", "--port", "/dev/x", "--seconds", "-1"},
        {"sensors", "--port"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Run(args), 2) << args[0] << " " << args.back();
        EXPECT_NE(err.str().find("usage: orvale-cli capture"), std::string::npos);
    }
}

TEST_F(CliDeviceTest, TheToolDispatchesDeviceCommands) {
    std::ostringstream o;
    std::ostringstream e;
    EXPECT_EQ(RunCli({"clear"}, o, e, f.folder), 2);
    EXPECT_NE(e.str().find("--port DEVICE is required"), std::string::npos) << e.str();
}

// A closed terminal (SIGHUP) or a plain kill (SIGTERM) during a capture ends it as Ctrl-C does:
// the older flight stays and no hidden temporary file is left behind.
TEST_F(CliDeviceTest, EndingSignalsDuringACaptureLeaveNoTemporaryFile) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        tavix::ServeOptions slow;
        slow.baud = 38400;  // about two seconds of image
        Serve(slow);
        f.KeepOlderFlight();
        std::atomic<bool> done = false;
        std::thread sender([&] {
            while (!done) {
                for (const auto& entry : std::filesystem::directory_iterator(f.dir.path())) {
                    if (entry.path().filename().string().starts_with(".FLIGHT.DAT.part")) {
                        ::kill(::getpid(), signal);
                        return;
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        const int status = Run({"capture", "--port", Port(), "--dir", f.folder, "FLIGHT"});
        done = true;
        sender.join();
        EXPECT_EQ(status, 1);
        EXPECT_NE(err.str().find("User aborted transfer"), std::string::npos) << err.str();
        f.ExpectNothingProcessed();
    }
}

// A name or folder that would be cut on its way to the disk is refused with the limit named,
// before anything is written: the cut name would be another flight, the cut path another file.
TEST_F(CliDeviceTest, NamesAndFoldersTooLongAreRefusedNotCut) {
    Serve();
    const std::string name64(64, 'L');
    std::ofstream(f.Path(name64 + ".DAT")) << "the flight of 64 characters";
    EXPECT_EQ(Run({"capture", "--port", Port(), "--dir", f.folder, name64 + "X"}), 1);
    EXPECT_NE(err.str().find("is longer than 64 characters"), std::string::npos) << err.str();
    const std::vector<uint8_t> kept = ReadBytes(f.Path(name64 + ".DAT"));
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "the flight of 64 characters");
    EXPECT_FALSE(std::filesystem::exists(f.Path(name64 + ".PAR")));
    EXPECT_EQ(out.str(), "");

    std::string deep = f.folder;
    while (deep.size() <= 255) {
        deep += std::string(60, 'd') + "/";
        std::filesystem::create_directory(deep);
    }
    EXPECT_EQ(Run({"capture", "--port", Port(), "--dir", deep, "FLIGHT"}), 1);
    EXPECT_NE(err.str().find("is longer than 255 characters"), std::string::npos) << err.str();
    EXPECT_TRUE(std::filesystem::is_empty(deep));
    // Nothing was written at any shorter path either.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(f.dir.path()))
        EXPECT_TRUE(entry.is_directory() || entry.path().parent_path() == f.dir.path())
            << entry.path();
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace orvale::test
