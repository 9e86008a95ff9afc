// The download's steps over the scripted port: leading-byte skip, second read command, checksum
// order, free space, and the capture file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/date_format.h"
#include "core/file_error.h"
#include "device/capture_file.h"
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

// What a failed capture must leave as it was: the current flight, its names, the capture name,
// the working directory and the values of the loaded image.
struct FlightInMemory {
    explicit FlightInMemory(const AppState& s)
        : currentEntry(s.currentEntry),
          dataFile(s.entries[0].dataFileName),
          parameterFile(s.entries[0].parameterFileName),
          currentDataFile(s.current().dataFileName),
          captureFile(s.captureFileName),
          workingDirectory(s.workingDirectory),
          defaultName(s.defaultDataFileName),
          previousDataFile(s.previousDataFileName),
          imageFile(s.imageFilePath),
          note(s.flight.note),
          date(s.flight.date),
          loadedDataSize(s.loadedDataSize),
          decimation(s.decimation),
          channelMask(s.recordedChannelMask) {}
    bool operator==(const FlightInMemory&) const = default;

    int currentEntry;
    std::string dataFile, parameterFile, currentDataFile, captureFile, workingDirectory,
        defaultName, previousDataFile, imageFile, note, date;
    decltype(AppState::loadedDataSize) loadedDataSize;
    decltype(AppState::decimation) decimation;
    decltype(AppState::recordedChannelMask) channelMask;
};

// No port, no answer, a bad checksum or Cancel: the capture did not complete, so Sum and the
// parameter editor still see the older flight under its own name in its own folder.
TEST_F(DownloadTest, FailedCaptureLeavesTheFlightAndItsNamesAsTheyWere) {
    enum class Fault { NoPort, NoAnswer, BadChecksum, Cancel };
    for (Fault fault : {Fault::NoPort, Fault::NoAnswer, Fault::BadChecksum, Fault::Cancel}) {
        SCOPED_TRACE(static_cast<int>(fault));
        CaptureFolder g;
        FakeClock c;
        FakePort p{c};
        FakeWaiter w{p};
        FakeStatus st;
        DeviceLink l{g.state, p, w, c, st};
        l.timeouts.skipMs = 50;
        l.timeouts.imageMs = 200;
        l.timeouts.trailerMs = 100;
        g.state.entries[0].dataFileName = g.Path("OLDER.DAT");
        g.state.entries[0].parameterFileName = "OLDER.PAR";
        g.state.entries[1].dataFileName = g.Path("SECOND.DAT");
        g.state.currentEntry = 1;
        g.state.captureFileName = "OLDER.DAT";
        g.state.defaultDataFileName = "Flt-005";
        g.state.previousDataFileName = "EARLIER.DAT";
        g.state.imageFilePath = g.Path("OLDER.DAT");
        g.state.flight.note = "the older flight";
        g.state.loadedDataSize = 6;
        g.state.decimation = 4;
        g.state.recordedChannelMask = 1;
        g.prompts.fileAnswers = {g.Path("sub/FLIGHT.dat")};
        std::filesystem::create_directory(g.Path("sub"));
        const FlightInMemory before(g.state);

        std::vector<uint8_t> reply = g.file;
        if (fault == Fault::NoPort)
            p.openFailure = "/dev/ttyS0: cannot open the port (No such file or directory)";
        if (fault == Fault::NoAnswer)
            reply.clear();
        if (fault == Fault::BadChecksum)
            reply[8192] ^= 0x55;
        if (fault == Fault::Cancel) {
            reply.resize(4000);  // half the image has come when the flyer presses Cancel
            w.during = [&](int n) {
                if (n == 2)
                    l.StatusButtonClicked();
            };
        }
        if (!reply.empty())
            p.Arrive(c.now + 5, reply);
        CaptureEnvironment e;
        e.now = [] { return kCaptureTime; };
        e.freeBytes = [](const std::string&, const std::string&) { return uint64_t{1} << 30; };
        EXPECT_ANY_THROW(CaptureFlight(l, g.prompts, e));
        EXPECT_TRUE(FlightInMemory(g.state) == before);
        EXPECT_EQ(g.state.entries[0].dataFileName, g.Path("OLDER.DAT"));
        EXPECT_EQ(g.state.workingDirectory, g.folder);
        EXPECT_FALSE(std::filesystem::exists(g.Path("sub/FLIGHT.DAT")));
        EXPECT_TRUE(std::filesystem::is_empty(g.Path("sub")));
    }
}

std::string Text(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// An older pair whose parameter file is read-only: the recorder is not asked, and neither file
// changes. The pair is checked whole before either file is replaced.
TEST_F(DownloadTest, APairThatCannotBeReplacedWholeKeepsBothOlderFiles) {
    f.KeepOlderFlight();
    const std::string par =
        "[Flight Data]\r\nNote=the older description\r\n[Field Notes]\r\nWind=calm\r\n";
    std::ofstream(f.Path("flight.par"), std::ios::binary) << par;
    ::chmod(f.Path("flight.par").c_str(), 0444);
    try {
        CaptureFlight(link, f.prompts, env);
        FAIL() << "captured";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("flight.par (the file is read-only)"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(Text(f.Path("FLIGHT.DAT")), "an older flight");
    EXPECT_EQ(Text(f.Path("flight.par")), par);
    EXPECT_EQ(f.prompts.summariesShown, 0);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(f.dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"FLIGHT.DAT", "flight.par", "served.img"}));

    // Once it can be written, the pair is replaced together, in the spelling found.
    ::chmod(f.Path("flight.par").c_str(), 0640);
    f.prompts.fileAnswers.push_back(f.Path("FLIGHT.dat"));
    EXPECT_TRUE(Capture(f.file));
    EXPECT_EQ(ReadBytes(f.Path("FLIGHT.DAT")), f.file);
    EXPECT_NE(Text(f.Path("flight.par")).find("Wind=calm"), std::string::npos);
    EXPECT_NE(Text(f.Path("flight.par")).find(FormatProgramDate(kCaptureTime)), std::string::npos);
    struct stat st;
    ASSERT_EQ(::stat(f.Path("flight.par").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // its permissions kept
}

// When the second file of the pair cannot take its place after all, the first gets its old
// file back (or goes, when it was new): neither old file changes, no temporary stays.
TEST(CapturePair, ASecondFileThatFailsPutsTheFirstBack) {
    for (bool olderImage : {true, false}) {
        SCOPED_TRACE(olderImage);
        TempDir dir;
        const std::string folder = dir.path().string() + "/";
        if (olderImage)
            std::ofstream(folder + "F.DAT") << "older image";
        std::ofstream(folder + "F.PAR") << "older description";
        {
            CaptureFile image(folder + "F.DAT");
            CaptureFile parameters(folder + "F.PAR");
            const uint8_t bytes[] = {'n', 'e', 'w'};
            image.Write(bytes, 3);
            parameters.Write(bytes, 3);
            parameters.Finish();
            // Something takes the prepared file away before the pair is replaced.
            ::unlink(parameters.TemporaryPath().c_str());
            EXPECT_THROW(ReplacePair(image, parameters), FileError);
        }
        if (olderImage)
            EXPECT_EQ(Text(folder + "F.DAT"), "older image");
        else
            EXPECT_FALSE(std::filesystem::exists(folder + "F.DAT"));
        EXPECT_EQ(Text(folder + "F.PAR"), "older description");
        size_t files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
            ++files;
        EXPECT_EQ(files, olderImage ? 2u : 1u);
    }
}

// Temporary files of a capture that never finished go when the next capture starts in the
// folder; only names of our own making, only stale ones.
TEST(CapturePair, StaleTemporariesOfOurOwnNamingAreSwept) {
    EXPECT_EQ(TemporaryOwner(".FLIGHT.DAT.part4242-0"), 4242);
    EXPECT_EQ(TemporaryOwner(".flight.par.77.3"), 77);
    EXPECT_EQ(TemporaryOwner("..F.PAR.part12-1.12.5"), 12);
    for (const char* other : {"FLIGHT.DAT.part12-0", ".FLIGHT.DAT.old12-0", ".notes.txt.12.3",
                              ".bashrc", ".FLIGHT.DAT.partx-0", ".F.DAT.part-0", ".DAT.12.3"})
        EXPECT_EQ(TemporaryOwner(other), 0) << other;

    std::ifstream maxFile("/proc/sys/kernel/pid_max");
    long pidMax = 4194304;
    maxFile >> pidMax;
    const std::string gone = std::to_string(pidMax);  // no process has this number
    const std::string alive = std::to_string(::getpid());
    TempDir dir;
    const std::string folder = dir.path().string() + "/";
    const std::time_t now = std::time(nullptr);
    struct File {
        std::string name;
        int ageMinutes;
        bool swept;
    };
    const File files[] = {
        {".A.DAT.part" + gone + "-0", 11, true},
        {".A.PAR." + gone + ".1", 11, true},
        {".B.DAT.part" + gone + "-0", 2, false},  // perhaps still being written elsewhere
        {".C.DAT.part" + alive + "-0", 30, false},
        {".D.DAT.part" + alive + "-0", 25 * 60, true},
        {".E.DAT.old" + gone + "-0", 25 * 60, false},  // a backup may be the only copy
        {".notes.txt." + gone + ".1", 25 * 60, false},
    };
    for (const File& file : files) {
        const std::string path = folder + file.name;
        std::ofstream(path) << "x";
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::minutes(file.ageMinutes));
    }
    EXPECT_EQ(SweepStaleTemporaries(folder, now), 3);
    for (const File& file : files)
        EXPECT_EQ(std::filesystem::exists(folder + file.name), !file.swept) << file.name;
}

}  // namespace
}  // namespace orvale::test
