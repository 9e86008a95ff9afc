#include "core/image_decode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/file_error.h"
#include "core/pressure_altitude.h"
#include "core/text_format.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "test_image.h"

namespace orvale {
namespace {

class ImageDecode : public ::testing::Test {
protected:
    void SetUp() override { InitProgramState(state, {0, dir.path().string(), {}}, prompts); }

    // Writes the image and decodes it as loading does, without the dialog.
    void Decode(test::TestImage& image, bool show = false) {
        state.imageFilePath = image.Write(dir.path() / "FLIGHT.DAT");
        state.current().dataFileName = state.imageFilePath;
        ProcessImage(state, prompts, true, show);
    }

    test::TempDir dir;
    AppState state;
    test::FakePrompts prompts;
};

TEST_F(ImageDecode, HeaderValues) {
    test::TestImage image;
    image.bytes[16] = 100;
    image.bytes[17] = 101;
    image.bytes[18] = 102;
    image.bytes[19] = 103;
    image.SetDrogue(3, 8, 190);
    image.SetMain(12, 15, 205);
    image.bytes[13] = 210;
    Decode(image);
    EXPECT_EQ(state.results.zeroGReading, 101.5f);
    EXPECT_EQ(state.results.drogueFireTime, 3.5f);
    EXPECT_EQ(state.results.mainFireTime, 12.9375f);
    EXPECT_EQ(state.results.groundPressureReading, 210.0f);
}

struct ModeCase {
    uint8_t flags;
    uint8_t drogueSeconds, drogueSixteenths;
    bool drogueValues;  // apogee from the drogue (byte 7) rather than the main (byte 11)
    bool drogueRowVisible;
};

TEST_F(ImageDecode, FlightModeDecidesTheApogee) {
    const ModeCase cases[] = {
        {0x01, 4, 2, true, true},        // drogue to main
        {0x01, 255, 255, false, false},  // drogue to main, drogue never fired
        {0x00, 4, 2, false, false},      // main only, whatever bytes 4 and 5 hold
        {0x00, 255, 255, false, false}, {0xFE, 4, 2, false, false},  // only bit 0 counts
        {0xFF, 255, 15, true, true},  // 255 AND 15 is not 255: a real drogue time
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << int(c.flags) << " bytes 4/5 "
                                        << int(c.drogueSeconds) << "/" << int(c.drogueSixteenths));
        test::TestImage image(100, 210);
        image.SetFlags(c.flags);
        image.SetDrogue(c.drogueSeconds, c.drogueSixteenths, 190);
        image.SetMain(10, 0, 205);
        Decode(image);
        const float drogueTime = c.drogueSeconds + c.drogueSixteenths / 16.0f;
        const uint8_t pressure = c.drogueValues ? 190 : 205;
        EXPECT_EQ(state.results.apogeePressureHeight,
                  RoundToInt32(PressureAltitude(state.calibration, pressure, 210.0f)));
        EXPECT_EQ(state.results.apogeeTime, c.drogueValues ? drogueTime : 10.0f);
        EXPECT_EQ(state.results.deploymentLimit,
                  c.drogueValues ? RoundToInt32(drogueTime * 16) : 160);
        EXPECT_EQ(state.summaryRows.drogueRowVisible, c.drogueRowVisible);
    }
}

TEST_F(ImageDecode, LeadBytesBecomeUniformFrames) {
    test::TestImage image;
    image.bytes[14] = 90;
    const uint8_t lead[] = {50, 60, 70, 80, 85};
    for (int i = 0; i < 5; ++i)
        image.bytes[20 + i] = lead[i];
    Decode(image);
    const uint8_t expected[] = {50, 90, 50, 90, 50, 90, 50, 90, 60, 90, 70, 90, 80, 90, 85, 90};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(state.image[16 + i], expected[i]) << "byte " << 16 + i;
    EXPECT_EQ(state.image[15], 255);

    // The rewrite is redone from the file: a second decode gives the same bytes and results.
    const std::vector<uint8_t> first(state.image.begin(), state.image.begin() + kImageSize);
    const FlightResults results = state.results;
    const float endOfFlight = state.endOfFlightTime;
    ProcessImage(state, prompts, true, false);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), state.image.begin()));
    EXPECT_EQ(state.results.zeroGReading, results.zeroGReading);
    EXPECT_EQ(state.endOfFlightTime, endOfFlight);
    EXPECT_EQ(state.results.maxSpeed, results.maxSpeed);
}

TEST_F(ImageDecode, SampleLayoutAndChannelList) {
    state.channels[1].formula.clear();  // recorded: gets its own name
    state.channels[4].formula = "Ch5";  // not recorded: its own name is removed
    state.channels[5].formula = "cH6";  // not exactly its own name: kept
    state.channels[6].formula = "Ch8";
    test::TestImage image;
    Decode(image);
    EXPECT_EQ(state.samplesPerSecond, 16);
    EXPECT_EQ(state.decimation, 1);
    EXPECT_EQ(state.headerSize, 16);
    EXPECT_EQ(state.dataBytes, 8176);
    EXPECT_EQ(state.samplesPerChannel, 4088);
    EXPECT_EQ(state.firstSampleNumber, -4);
    EXPECT_EQ(state.loadedDataSize, 8);
    EXPECT_EQ(state.recordedChannelCount, 2);
    EXPECT_EQ(state.frameRate, 32.0);
    EXPECT_EQ(state.current().sampleInterval, 0.0625);
    EXPECT_EQ(state.current().startTime, -0.25);
    EXPECT_EQ(state.current().duration, 255.5);
    EXPECT_EQ(state.channelListCount, 2);
    EXPECT_EQ(state.channelList[0], 0);
    EXPECT_EQ(state.channelList[1], 1);
    EXPECT_EQ(state.frameOffset[0], 0);
    EXPECT_EQ(state.frameOffset[1], 1);
    EXPECT_EQ(state.channels[0].formula, "ch1");
    EXPECT_EQ(state.channels[1].formula, "Ch2");
    EXPECT_EQ(state.channels[4].formula, "");
    EXPECT_EQ(state.channels[5].formula, "cH6");
    EXPECT_EQ(state.channels[6].formula, "Ch8");
}

TEST_F(ImageDecode, ShortOrMissingFileIsAnErrorThatChangesNothing) {
    test::TestImage good;
    good.SetMain(10, 0, 205);
    Decode(good);
    const FlightResults before = state.results;
    const std::vector<uint8_t> imageBefore = state.image;

    const std::string shortFile = dir.File("SHORT.DAT");
    {
        std::ofstream out(shortFile, std::ios::binary);
        out.write(reinterpret_cast<const char*>(good.bytes.data()), 8191);
    }
    for (const std::string& path : {shortFile, dir.File("MISSING.DAT"), dir.path().string()}) {
        state.imageFilePath = path;
        try {
            ProcessImage(state, prompts, true, true);
            ADD_FAILURE() << "no error for " << path;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
        EXPECT_EQ(state.image, imageBefore);
        EXPECT_EQ(state.results.mainFireTime, before.mainFireTime);
        EXPECT_EQ(state.recordedChannelCount, 2);
        EXPECT_EQ(state.frameRate, 32.0);
        EXPECT_EQ(state.loadedDataSize, 8);
        EXPECT_EQ(prompts.summariesShown, 0);
    }
    try {
        ReadImageFile(shortFile);
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("8191 bytes"), std::string::npos) << e.what();
    }
}

TEST_F(ImageDecode, ShowWithoutReadRefreshesOnlyTheFileName) {
    test::TestImage image;
    image.SetMain(10, 0, 205);
    Decode(image, true);
    const SummaryRows filled = state.summaryRows;
    state.current().dataFileName = "/somewhere/else/OTHER.DAT";
    state.results.maxSpeed = 1234.0f;  // not refilled without a read
    ProcessImage(state, prompts, false, true);
    EXPECT_EQ(prompts.summariesShown, 2);
    EXPECT_EQ(state.summaryRows[SummaryRow::FName], "OTHER.DAT");
    EXPECT_EQ(state.summaryRows[SummaryRow::MaxVelocity], filled[SummaryRow::MaxVelocity]);
}

}  // namespace
}  // namespace orvale
