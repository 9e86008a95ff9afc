// The download's steps over the scripted port: leading-byte skip, second read command, checksum
// order, free space, and the capture file.
#include <gtest/gtest.h>

#include "core/date_format.h"
#include "core/file_error.h"
#include "device/capture_fixture.h"
#include "device/device_link.h"
#include "device/fake_link.h"
#include "device/free_space.h"
#include "device/image_download.h"
#include "device/message_table.h"

namespace orvale::test {
namespace {

class DownloadTest : public ::testing::Test {
protected:
    DownloadTest() {
        link.timeouts.skipMs = 500;
        env.now = [] { return kCaptureTime; };
        env.freeBytes = [this](const std::string&, const std::string&) { return freeBytes; };
    }
    static std::vector<uint8_t> Bytes(const std::string& text) {
        return std::vector<uint8_t>(text.begin(), text.end());
    }
    // Captures with the recorder's reply arriving after ms.
    bool Capture(const std::vector<uint8_t>& reply, int64_t ms = 5) {
        port.Arrive(clock.now + ms, reply);
        return CaptureFlight(link, f.prompts, env);
    }
    // The message number the capture failed with, 0 when it succeeded.
    int ErrorOf(const std::vector<uint8_t>& reply) {
        try {
            Capture(reply);
        } catch (const EDeviceCommError& e) {
            return e.id();
        }
        return 0;
    }

    CaptureFolder f;
    FakeClock clock;
    FakePort port{clock};
    FakeWaiter waiter{port};
    FakeStatus status;
    DeviceLink link{f.state, port, waiter, clock, status};
    CaptureEnvironment env;
    uint64_t freeBytes = 1 << 30;
};

std::vector<uint8_t> WithTrailer(std::vector<uint8_t> image, uint8_t t0, uint8_t t1) {
    image.resize(8192);
    image.insert(image.end(), {t0, t1, 7, 7});
    return image;
}

// An image of 0x40 and enough 255s that its byte sum is 0x1234.
std::vector<uint8_t> ImageSumming1234() {
    std::vector<uint8_t> image(8192, 0);
    image[0] = 0x40;
    for (int i = 1; i <= 18; ++i)
        image[i] = 255;
    image[19] = 6;  // 64 + 18 * 255 + 6 = 4660 = 0x1234
    return image;
}

TEST_F(DownloadTest, LeadingBytesBelow25AreSkipped) {
    std::vector<uint8_t> reply = {6, 6};
    reply.insert(reply.end(), f.file.begin(), f.file.end());
    EXPECT_TRUE(Capture(reply));
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
    EXPECT_EQ(port.written, Bytes("/R"));
}

TEST_F(DownloadTest, NothingDuringTheSkipAsksOnceMore) {
    EXPECT_TRUE(Capture(f.file, 800));
    EXPECT_EQ(port.written, Bytes("/R/R"));
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
}

TEST_F(DownloadTest, SkipSleepsInsteadOfPolling) {
    EXPECT_TRUE(Capture(f.file, 300));
    EXPECT_LE(port.inputWaits, 2);
}

TEST_F(DownloadTest, TrailerIsLittleEndian) {
    EXPECT_EQ(ErrorOf(WithTrailer(ImageSumming1234(), 0x34, 0x12)), 0);
    EXPECT_EQ(f.prompts.summariesShown, 1);
}

TEST_F(DownloadTest, TrailerInTheOtherOrderFails) {
    f.KeepOlderFlight();
    EXPECT_EQ(ErrorOf(WithTrailer(ImageSumming1234(), 0x12, 0x34)), msg::kChecksumMismatch);
    f.ExpectNothingProcessed();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(status.showing);
    EXPECT_TRUE(f.state.device.TransferAborted);
}

TEST_F(DownloadTest, StaleBytesWhereTheTrailerWouldBeAreNotTakenForIt) {
    // The receive buffer still holds the right checksum from an earlier download.
    const std::vector<uint8_t> whole = WithTrailer(ImageSumming1234(), 0x34, 0x12);
    std::copy(whole.begin(), whole.end(), f.state.device.receive.begin());
    f.KeepOlderFlight();
    std::vector<uint8_t> imageOnly(whole.begin(), whole.begin() + 8192);
    EXPECT_EQ(ErrorOf(imageOnly), msg::kTrailerMissing);
    f.ExpectNothingProcessed();
}

TEST_F(DownloadTest, ExactlyEightKilobytesFreeIsEnough) {
    freeBytes = 8192;
    EXPECT_TRUE(Capture(f.file));
}

TEST_F(DownloadTest, LessThanEightKilobytesIsRefusedBeforeAnythingIsSent) {
    f.KeepOlderFlight();  // 15 bytes, counted as free
    freeBytes = 8192 - 16;
    try {
        Capture(f.file);
        FAIL() << "captured";
    } catch (const EDeviceCommError& e) {
        EXPECT_STREQ(e.what(), "Error - Not enough disk space remaining");
    }
    EXPECT_TRUE(port.written.empty());
    f.ExpectNothingProcessed();
}

TEST_F(DownloadTest, TheReplacedFileCountsAsFreeSpace) {
    EXPECT_TRUE(RoomForImage(4096, 4096));
    EXPECT_FALSE(RoomForImage(4096, 4095));
    EXPECT_TRUE(RoomForImage(0, 8196));
}

TEST_F(DownloadTest, FolderThatCannotBeWrittenIsReportedBeforeTheTransfer) {
    f.prompts.fileAnswers = {f.Path("missing/FLIGHT.dat")};
    env.freeBytes = VolumeFreeBytes;
    EXPECT_THROW(Capture(f.file), FileError);
    EXPECT_TRUE(port.written.empty());
    EXPECT_FALSE(status.showing);
}

TEST_F(DownloadTest, CancelledFileNameSendsNothing) {
    f.prompts.fileAnswers = {std::nullopt};
    EXPECT_FALSE(Capture(f.file));
    EXPECT_TRUE(port.written.empty());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(DownloadTest, CaptureSetsTheImageValuesAndTheWholeFlightWindow) {
    f.state.settings.port = 2;
    EXPECT_TRUE(Capture(f.file));
    EXPECT_EQ(port.openedDevice, "/dev/ttyS1");
    EXPECT_EQ(f.state.decimation, 1);
    EXPECT_EQ(f.state.loadedDataSize, 8);
    EXPECT_EQ(f.state.entries[0].dataFileName, f.Path("FLIGHT.DAT"));
    EXPECT_EQ(f.state.entries[0].graphStart, f.state.entries[0].startTime);
    EXPECT_EQ(f.state.flight.date, FormatProgramDate(kCaptureTime));
    EXPECT_EQ(f.state.flight.time, FormatProgramTime(kCaptureTime));
}

}  // namespace
}  // namespace orvale::test
