#include "files/startup_files.h"

#include <gtest/gtest.h>

#include "core/date_format.h"
#include "fake_prompts.h"

namespace orvale {
namespace {

TEST(ProgramState, DefaultsWithNoFilesAtAll) {
    AppState state;
    test::FakePrompts prompts;
    InitProgramState(state, {0, "/nonexistent/orvale", {}}, prompts);
    EXPECT_EQ(state.programDirectory, "/nonexistent/orvale/");
    EXPECT_EQ(state.workingDirectory, "/nonexistent/orvale/DATA/");
    EXPECT_EQ(state.calibrationFilePath, "/nonexistent/orvale/DATA/Vessin.cal");
    EXPECT_EQ(state.flight.calibrationFile, state.calibrationFilePath);
    EXPECT_EQ(state.imageFilePath, "TEMPFILE.TMP");
    EXPECT_EQ(state.captureFileName, "None");
    EXPECT_EQ(state.loadedDataSize, 0);
    EXPECT_EQ(state.decimation, 0);
    EXPECT_EQ(state.recordedChannelMask, 3u);
    EXPECT_EQ(state.recordedChannelCount, 2);
    EXPECT_EQ(state.channelListCount, 2);
    EXPECT_EQ(state.windowLengthSamples, 2);
    EXPECT_EQ(state.pointStep, 2.0);
    EXPECT_EQ(state.image.size(), 8202u);
    EXPECT_EQ(state.page.size(), 8201u);
    EXPECT_EQ(state.programTitle, "Vantrel Orvale v1.04");
    EXPECT_LE(state.programTitle.size(), 30u);

    for (int i = 0; i < kEntryCount; ++i) {
        EXPECT_EQ(state.entries[i].dataFileName, "None");
        // Entry 0 looked for DEFAULT.PAR at start-up and found none.
        EXPECT_EQ(state.entries[i].parameterFileName, i == 0 ? "None" : "DEFAULT.PAR");
        EXPECT_EQ(state.entries[i].entryNumber, i);
        EXPECT_EQ(state.entries[i].graphLength, 0.1);
    }
    const char* titles[] = {"Acceleration (g)", "Pressure Altitude (ft)", "Speed (ft/sec)"};
    const char* formulas[] = {"ch1", "ch2", "int(ch1)*32.17"};
    const int filters[] = {0, 2, 1};
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(state.channels[slot].title, titles[slot]);
        EXPECT_EQ(state.channels[slot].formula, formulas[slot]);
        EXPECT_EQ(state.channels[slot].filter, filters[slot]);
        EXPECT_TRUE(state.channels[slot].selected);
    }
    for (int slot = 3; slot < kChannelSlots; ++slot) {
        EXPECT_EQ(state.channels[slot].title, "");
        EXPECT_EQ(state.channels[slot].formula, "");
        EXPECT_EQ(state.channels[slot].minReading, 0.0f);
        EXPECT_EQ(state.channels[slot].maxReading, 4095.0f);
        EXPECT_EQ(state.channels[slot].filter, 2);
        EXPECT_EQ(state.channels[slot].colourIndex, slot);
        EXPECT_FALSE(state.channels[slot].selected);
    }
    EXPECT_EQ(state.calibration.avgbp, 210.0f);
    EXPECT_EQ(state.calibration.gainbp, 1.0f);
    EXPECT_EQ(state.calibration.offbp, 23.3f);
    EXPECT_EQ(state.calibration.dodg, 3.4588f);
    EXPECT_EQ(state.calibration.actalt, 0.0f);
    EXPECT_EQ(state.flight.location, "Unknown");
    EXPECT_EQ(state.flight.stages, 1);
    EXPECT_LE(state.flight.date.size(), 12u);
    EXPECT_LE(state.flight.time.size(), 12u);
}

TEST(DateFormat, ProgramFormatsAreMonthDayYearAndTwelveHourClock) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FormatProgramDate(1796688000), "12/08/2026");  // 2026-12-08 00:00 UTC
    EXPECT_EQ(FormatProgramTime(1796688000), "12:00 AM");
    EXPECT_EQ(FormatProgramTime(1796688000 + 9 * 3600 + 5 * 60), "09:05 AM");
    EXPECT_EQ(FormatProgramTime(1796688000 + 12 * 3600), "12:00 PM");
    EXPECT_EQ(FormatProgramTime(1796688000 + 21 * 3600 + 59 * 60), "09:59 PM");
}

}  // namespace
}  // namespace orvale
