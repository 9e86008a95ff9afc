// The emulated recorder's answers and their pacing, driven directly with times.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder_emulator.h"
#include "recorder_image.h"
#include "sensor_script.h"
#include "serve_options.h"

namespace tavix {
namespace {

std::vector<uint8_t> File() {
    std::vector<uint8_t> file(kFileSize, 0);
    for (int i = 0; i < kImageSize; ++i)
        file[i] = static_cast<uint8_t>(40 + i % 200);
    const uint16_t sum = ImageChecksum(file.data());
    file[kImageSize] = static_cast<uint8_t>(sum & 0xFF);
    file[kImageSize + 1] = static_cast<uint8_t>(sum >> 8);
    file[kImageSize + 2] = 0xAB;
    file[kImageSize + 3] = 0xCD;
    return file;
}

void Send(RecorderEmulator& r, const std::string& text, double now) {
    r.Receive(reinterpret_cast<const uint8_t*>(text.data()), text.size(), now);
}

// --- Answers ---------------------------------------------------------------------------------

TEST(RecorderEmulator, ReadAnswersImageThenTrailerAsStored) {
    RecorderEmulator r({}, File());
    Send(r, "/R", 0.0);
    EXPECT_EQ(r.TakeDue(1e9), File());
}

TEST(RecorderEmulator, ImageWithoutTrailerGetsOneMadeFromItsSum) {
    std::vector<uint8_t> image = File();
    image.resize(kImageSize);
    RecorderEmulator r({}, image);
    const std::vector<uint8_t> reply = r.ReadReply();
    ASSERT_EQ(reply.size(), static_cast<size_t>(kFileSize));
    EXPECT_EQ(reply[kImageSize], File()[kImageSize]);
    EXPECT_EQ(reply[kImageSize + 1], File()[kImageSize + 1]);
    EXPECT_THROW(RecorderEmulator({}, std::vector<uint8_t>(100)), std::invalid_argument);
}

TEST(RecorderEmulator, MisbehaviourOptionsShapeTheReadReply) {
    ServeOptions o;
    o.junk = 3;
    o.badChecksum = true;
    std::vector<uint8_t> reply = RecorderEmulator(o, File()).ReadReply();
    ASSERT_EQ(reply.size(), static_cast<size_t>(3 + kFileSize));
    EXPECT_EQ(reply[0], 6);
    EXPECT_LT(reply[2], 25);
    EXPECT_EQ(reply[3], File()[0]);
    EXPECT_NE(reply[3 + kImageSize], File()[kImageSize]);

    o = {};
    o.noTrailer = true;
    EXPECT_EQ(RecorderEmulator(o, File()).ReadReply().size(), static_cast<size_t>(kImageSize));
    o = {};
    o.dropAfter = 1000;
    EXPECT_EQ(RecorderEmulator(o, File()).ReadReply().size(), 1000u);
}

TEST(RecorderEmulator, SensorBlockIsAsciiRecordsThenTwoBytes) {
    ServeOptions o;
    o.gee = 0.0;
    RecorderEmulator r(o, File());
    Send(r, "/T", 0.0);
    const std::vector<uint8_t> block = r.TakeDue(1e9);
    ASSERT_EQ(block.size(), 2050u);
    for (int i = 0; i < 256; ++i) {
        const uint8_t* rec = block.data() + 8 * i;
        for (int k : {0, 1, 2, 4, 5, 6})
            ASSERT_TRUE(rec[k] >= '0' && rec[k] <= '9') << "record " << i;
    }
    const int accel = std::stoi(std::string(block.begin(), block.begin() + 3));
    EXPECT_NEAR(accel, 72 - 3.4588, 1.5);  // flat, with noise of 0.3
    EXPECT_EQ(std::string(block.begin() + 4, block.begin() + 7), "210");
    EXPECT_FALSE(block[2048] >= '0' && block[2048] <= '9');
    Send(r, "/T", 10.0);
    EXPECT_EQ(r.TakeDue(1e9).size(), 2050u);  // block after block while asked
}

int Reading(const std::vector<uint8_t>& block, int record, int offset) {
    const auto at = block.begin() + 8 * record + offset;
    return std::stoi(std::string(at, at + 3));
}

double Average(const std::vector<uint8_t>& block, int offset) {
    double sum = 0.0;
    for (int i = 0; i < 256; ++i)
        sum += Reading(block, i, offset);
    return sum / 256.0;
}

TEST(RecorderEmulator, SensorScriptWalksACalibrationBlockByBlock) {
    ServeOptions o;
    o.pressure = 190.0;
    const SensorScript script = ParseSensorScript(
        "# pressure first\nblock 1 pressure 205.5  gee 1\n"
        "block 2 gee -1\nblock 3 gee 0 # flat\n\nblock 4 gee 1\n");
    ASSERT_EQ(script.error, "");
    o.sensorScript = script.changes;
    RecorderEmulator r(o, File());
    std::vector<double> accel;
    for (int block = 1; block <= 5; ++block) {
        Send(r, "/T", block * 10.0);
        const std::vector<uint8_t> reply = r.TakeDue(1e9);
        ASSERT_EQ(reply.size(), 2050u);
        // The noise of 0.3 leaves the average of 256 readings within a few hundredths.
        EXPECT_NEAR(Average(reply, 4), 205.5, 0.1) << "block " << block;
        accel.push_back(Average(reply, 0));
    }
    EXPECT_NEAR(accel[0], 72.0, 0.1);
    EXPECT_NEAR(accel[1], 72.0 - 2 * 3.4588, 0.1);
    EXPECT_NEAR(accel[2], 72.0 - 3.4588, 0.1);
    EXPECT_NEAR(accel[3], 72.0, 0.1);
    EXPECT_NEAR(accel[4], 72.0, 0.1);  // the last change holds
}

TEST(RecorderEmulator, SensorScriptByTimeChangesRecordsWithinABlock) {
    ServeOptions o;
    o.noise = 0.0;
    o.baud = 10000;  // a millisecond a byte: record i goes out at 8 (i + 1) ms
    o.sensorScript = ParseSensorScript("at 0.5 gee 3\nat 1.0 pressure 100\n").changes;
    ASSERT_EQ(o.sensorScript.size(), 2u);
    RecorderEmulator r(o, File());
    Send(r, "/T", 0.0);
    const std::vector<uint8_t> block = r.TakeDue(1e9);
    const int upright = 72;
    const int threeG = 72 + 7;  // 2 g above upright at 3.4588 a g, rounded
    EXPECT_EQ(Reading(block, 0, 0), upright);
    EXPECT_EQ(Reading(block, 61, 0), upright);  // out at 496 ms
    EXPECT_EQ(Reading(block, 62, 0), threeG);   // out at 504 ms
    EXPECT_EQ(Reading(block, 123, 4), 210);     // sea level until 1 s
    EXPECT_EQ(Reading(block, 125, 4), 100);     // out at 1008 ms
}

TEST(RecorderEmulator, SensorScriptErrorsNameTheLine) {
    EXPECT_EQ(ParseSensorScript("at 1 gee 1\nsoon gee 0\n").error,
              "line 2: expected 'at SECONDS' or 'block N', found 'soon'");
    EXPECT_EQ(ParseSensorScript("block 0 gee 1").error, "line 1: bad block '0'");
    EXPECT_EQ(ParseSensorScript("block 1.5 gee 1").error, "line 1: bad block '1.5'");
    EXPECT_EQ(ParseSensorScript("at -1 gee 1").error, "line 1: bad at '-1'");
    EXPECT_EQ(ParseSensorScript("at 1 gee").error, "line 1: missing value for gee");
    EXPECT_EQ(ParseSensorScript("at 1 gee 99").error, "line 1: bad gee '99'");
    EXPECT_EQ(ParseSensorScript("at 1 pressure 256").error, "line 1: bad pressure '256'");
    EXPECT_EQ(ParseSensorScript("at 1 tilt 5").error,
              "line 1: unknown setting 'tilt' (gee or pressure)");
    EXPECT_EQ(ParseSensorScript("at 1").error, "line 1: nothing to change (gee G or pressure P)");
    EXPECT_TRUE(ParseSensorScript("at 1 gee x\n").changes.empty());
}

TEST(RecorderEmulator, ClearNeedsTheSecondCAndAnswersAfterItsDelay) {
    ServeOptions o;
    o.clearMs = 500;
    RecorderEmulator r(o, File());
    Send(r, "/C", 0.0);
    EXPECT_LT(r.NextDue(), 0.0);
    Send(r, "C", 0.0);
    EXPECT_TRUE(r.TakeDue(0.49).empty());
    EXPECT_EQ(r.TakeDue(0.51).size(), 2u);
    Send(r, "/CX/M", 1.0);  // a lone /C clears nothing; the next command still counts
    const std::vector<std::string> log = r.TakeLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_NE(log[1].find("not cleared"), std::string::npos);
    EXPECT_NE(log[2].find("ignored byte 88"), std::string::npos);
    EXPECT_NE(log[3].find("/M"), std::string::npos);
}

TEST(RecorderEmulator, SilentRecorderLogsButNeverAnswers) {
    ServeOptions o;
    o.silent = true;
    RecorderEmulator r(o, File());
    Send(r, "/R/T", 0.0);
    EXPECT_LT(r.NextDue(), 0.0);
    const std::vector<std::string> log = r.TakeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].find("silent"), std::string::npos);
}

TEST(RecorderEmulator, LogStampsEachCommandAndNotesStrayBytes) {
    RecorderEmulator r({}, File());
    Send(r, "x/Q", 2.5);
    const std::vector<std::string> log = r.TakeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "     2.500 ignored byte 120 outside a command");
    EXPECT_EQ(log[1], "     2.500 unknown command /Q (byte 81)");
}

// --- Pacing ----------------------------------------------------------------------------------

TEST(RecorderEmulator, RepliesArePacedAtTenBitsAByte) {
    ServeOptions o;
    o.baud = 9600;
    RecorderEmulator r(o, File());
    Send(r, "/R", 1.0);
    const double wire = kFileSize * 10.0 / 9600.0;  // 8.54 s
    EXPECT_NEAR(r.NextDue(), 1.0 + 10.0 / 9600.0, 1e-9);
    EXPECT_EQ(r.TakeDue(1.0 + 0.5 * wire).size(), static_cast<size_t>(kFileSize / 2));
    EXPECT_EQ(r.TakeDue(1.0 + wire - 1e-6).size(), static_cast<size_t>(kFileSize / 2 - 1));
    EXPECT_EQ(r.TakeDue(1.0 + wire + 1e-6).size(), 1u);
}

TEST(RecorderEmulator, SecondCommandWaitsForTheLine) {
    ServeOptions o;
    o.baud = 1000;  // 10 ms a byte
    RecorderEmulator r(o, File());
    Send(r, "/M", 0.0);
    Send(r, "/H", 0.0);
    EXPECT_EQ(r.TakeDue(0.0201).size(), 2u);
    EXPECT_NEAR(r.NextDue(), 0.03, 1e-9);
}

// --- Options ---------------------------------------------------------------------------------

TEST(ServeArgs, ParsesEveryOption) {
    const ServeArgs a =
        ParseServeArgs({"--image",  "A.DAT",           "--link",       "/tmp/tavix",
                        "--baud",   "19200",           "--junk",       "4",
                        "--silent", "--bad-checksum",  "--no-trailer", "--drop-after",
                        "100",      "--log",           "x.log",        "--clear-ms",
                        "5",        "--gee",           "-1",           "--seed",
                        "9",        "--pressure",      "200.5",        "--noise",
                        "0",        "--sensor-script", "walk.txt"});
    ASSERT_EQ(a.error, "");
    EXPECT_EQ(a.options.imagePath, "A.DAT");
    EXPECT_EQ(a.options.linkPath, "/tmp/tavix");
    EXPECT_EQ(a.options.baud, 19200);
    EXPECT_EQ(a.options.junk, 4);
    EXPECT_TRUE(a.options.silent && a.options.badChecksum && a.options.noTrailer);
    EXPECT_EQ(a.options.dropAfter, 100);
    EXPECT_EQ(a.options.logPath, "x.log");
    EXPECT_EQ(a.options.clearMs, 5);
    EXPECT_EQ(a.options.gee, -1.0);
    EXPECT_EQ(a.options.seed, 9u);
    EXPECT_EQ(a.options.pressure, 200.5);
    EXPECT_EQ(a.options.noise, 0.0);
    EXPECT_EQ(a.options.sensorScriptPath, "walk.txt");
}

TEST(ServeArgs, BadOptionsAreNamed) {
    EXPECT_EQ(ParseServeArgs({}).error, "--image FILE.dat is required");
    EXPECT_EQ(ParseServeArgs({"--image", "A", "--baud", "0"}).error, "bad value '0' for --baud");
    EXPECT_EQ(ParseServeArgs({"--image", "A", "--junk", "x"}).error, "bad value 'x' for --junk");
    EXPECT_EQ(ParseServeArgs({"--image"}).error, "missing value for --image");
    EXPECT_EQ(ParseServeArgs({"--image", "A", "--fast", "1"}).error, "unknown option '--fast'");
    EXPECT_EQ(ParseServeArgs({"--image", "A", "--pressure", "300"}).error,
              "bad value '300' for --pressure");
    EXPECT_EQ(ParseServeArgs({"--image", "A", "--noise", "-1"}).error,
              "bad value '-1' for --noise");
    EXPECT_TRUE(ParseServeArgs({"--help"}).help);
}

}  // namespace
}  // namespace tavix
