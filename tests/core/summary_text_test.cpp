// The texts of the "Summary of flight" rows.
#include <gtest/gtest.h>

#include <cmath>

#include "core/calibration_check.h"
#include "core/image_decode.h"
#include "core/measured_rows.h"
#include "core/pressure_altitude.h"
#include "core/text_format.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "formula/channel_conversion.h"
#include "test_image.h"

namespace orvale {
namespace {

TEST(FixedText, RoundsTiesOnTheBinaryValueAndPads) {
    EXPECT_EQ(Fixed(12.5, 5, 4), "12.5000");
    EXPECT_EQ(Fixed(3.2, 3, 1), "3.2");
    EXPECT_EQ(Fixed(3.0, 5, 1), "  3.0");
    EXPECT_EQ(Fixed(0.125, 1, 2), "0.12");  // exact binary tie goes to even
    EXPECT_EQ(Fixed(0.375, 1, 2), "0.38");
    EXPECT_EQ(Fixed(2.5, 1, 0), "2");
    EXPECT_EQ(Fixed(-0.0625, 5, 4), "-0.0625");
}

TEST(RoundedText, TiesToEvenAndSaturates) {
    EXPECT_EQ(RoundedText(2.5f), "2");
    EXPECT_EQ(RoundedText(3.5f), "4");
    EXPECT_EQ(RoundedText(-2.5f), "-2");
    EXPECT_EQ(RoundedText(999999.0f), "999999");
    EXPECT_EQ(RoundToInt32(1e20), 2147483647);
    EXPECT_EQ(RoundToInt32(-1e20), -2147483647 - 1);
    EXPECT_EQ(RoundToInt32(NAN), 0);
}

TEST(TextLimits, CutsByCharactersNotBytes) {
    EXPECT_EQ(CutText("abcdef", 3), "abc");
    EXPECT_EQ(CutText("ab", 3), "ab");
    EXPECT_EQ(CutText("\u00e9t\u00e9s", 2), "\u00e9t");
    EXPECT_EQ(FileNamePart("/data/flights/FLT-007.DAT"), "FLT-007.DAT");
    EXPECT_EQ(FileNamePart("FLT-007.DAT"), "FLT-007.DAT");
    EXPECT_EQ(FileNamePart("/x/" + std::string(70, 'n')), std::string(64, 'n'));
}

class SummaryRowsTest : public ::testing::Test {
protected:
    void SetUp() override { InitProgramState(state, {0, dir.path().string(), {}}, prompts); }
    void Show() {
        state.imageFilePath = image.Write(dir.path() / "FLT-042.DAT");
        state.current().dataFileName = state.imageFilePath;
        ProcessImage(state, prompts, true, true);
    }
    const std::string& Row(SummaryRow row) const { return state.summaryRows[row]; }

    test::TempDir dir;
    AppState state;
    test::FakePrompts prompts;
    test::TestImage image{100, 210};
};

TEST_F(SummaryRowsTest, AccelerationRowReadsInFeetPerSecondSquaredAndG) {
    state.calibration.dodg = 4.0f;
    state.channels[0].filter = 0;
    image.SetMain(10, 0, 205);
    image.SetAccel(20 + 3, 140);  // 40 readings = 10 g at summary time 1.25 s
    image.SetAccel(30 + 3, 90);   // -2.5 g at 1.875 s
    Show();
    EXPECT_EQ(Row(SummaryRow::MaxAccel), "321.70 ft/sec\u00b2 (10.0G) @ 1.2500 sec");
    EXPECT_EQ(Row(SummaryRow::MinAccel), "-80.42 ft/sec\u00b2 (-2.5G) @ 1.8750 sec");
}

TEST_F(SummaryRowsTest, EveryRowOfADrogueToMainFlight) {
    image.SetFlags(1);
    image.SetDrogue(3, 8, 200);
    image.SetMain(12, 15, 205);
    state.flight.date = "12/08/2026";
    state.flight.calibrationFile = "/home/flyer/DATA/Other.cal";  // named, but not read
    state.calibrationFilePath = "/home/flyer/DATA/Vessin.cal";
    state.calibration.actalt = 100.0f;
    Show();
    const CalibrationData& cal = state.calibration;
    EXPECT_EQ(prompts.summariesShown, 1);
    EXPECT_EQ(Row(SummaryRow::FName), "FLT-042.DAT");
    EXPECT_EQ(Row(SummaryRow::FileSize), "8196 bytes");
    EXPECT_EQ(Row(SummaryRow::FileDate), "12/08/2026");
    EXPECT_EQ(Row(SummaryRow::CalFile), "/home/flyer/DATA/Vessin.cal");
    // 210 against the calibration's avgbp of 210: the site is at actalt.
    EXPECT_EQ(Row(SummaryRow::LaunchAlt), "100 feet");
    EXPECT_EQ(Row(SummaryRow::LaunchPressure), "210");
    EXPECT_EQ(Row(SummaryRow::TavixPlus1G), "100.0000");
    EXPECT_EQ(Row(SummaryRow::FlightMode), "Drogue to Main Mode");
    const std::string drogueFeet = RoundedText(PressureAltitude(cal, 200, 210));
    EXPECT_EQ(drogueFeet, "1207");  // 1206.55 ft
    EXPECT_EQ(Row(SummaryRow::DrogueFireTime), "3.5000 sec    ( 1207 ft AGL)");
    EXPECT_EQ(Row(SummaryRow::MainFireTime),
              "12.9375 sec    ( " + RoundedText(PressureAltitude(cal, 205, 210)) + " ft AGL)");
    EXPECT_EQ(Row(SummaryRow::MaxPressureAlt), "1207 ft @ 3.5000 sec");
    EXPECT_EQ(Row(SummaryRow::MaxInertialAlt), "0 ft @ 0.0000 sec");
    EXPECT_EQ(Row(SummaryRow::MaxVelocity), "0.00 ft/sec @ 0.0000 sec");
    EXPECT_TRUE(state.summaryRows.drogueRowVisible);
}

TEST_F(SummaryRowsTest, NoDrogueFireHidesTheDrogueRowAndShowsTheMain) {
    image.SetFlags(1);
    image.SetMain(12, 15, 205);
    image.SetDrogue(255, 255, 0);
    state.imageFilePath = image.Write(dir.path() / "FLT-042.DAT");
    // Decoding alone leaves the warning in the mode row; a filled dialog shows the mode name.
    ProcessImage(state, prompts, true, false);
    EXPECT_EQ(Row(SummaryRow::FlightMode), kNoDrogueFireWarning);
    EXPECT_FALSE(state.summaryRows.drogueRowVisible);
    Show();
    EXPECT_EQ(Row(SummaryRow::FlightMode), "Drogue to Main Mode");
    EXPECT_FALSE(state.summaryRows.drogueRowVisible);
    EXPECT_EQ(Row(SummaryRow::MaxPressureAlt).substr(Row(SummaryRow::MaxPressureAlt).find('@')),
              "@ 12.9375 sec");
}

TEST_F(SummaryRowsTest, AZeroPressureAtAnEventShowsTheMarkerHeight) {
    image.SetMain(10, 0, 0);
    Show();
    EXPECT_EQ(Row(SummaryRow::MainFireTime), "10.0000 sec    ( 999999 ft AGL)");
    EXPECT_EQ(Row(SummaryRow::MaxPressureAlt), "999999 ft @ 10.0000 sec");
}

// One flight summarised in feet and in metres: the same rows, the same layout, each number
// converted from the computed value (not from the rounded feet text).
TEST_F(SummaryRowsTest, InMetresTheSameFlightReadsInMetresAndBackInFeet) {
    state.calibration.dodg = 4.0f;
    state.channels[0].filter = 0;
    state.calibration.actalt = 100.0f;
    image.SetFlags(1);
    image.SetDrogue(3, 8, 200);
    image.SetMain(12, 15, 127);   // 11665.34 ft: 3556 m, where 11665 ft would be 3555 m
    image.SetAccel(20 + 3, 140);  // 10 g at 1.25 s
    image.SetAccel(30 + 3, 90);   // -2.5 g at 1.875 s
    for (int k = 40; k < 60; ++k)
        image.SetAccel(k, 111);  // a burn, for some height and speed
    Show();
    const SummaryRows feet = state.summaryRows;
    state.settings.units = Units::Metres;
    Show();
    const SummaryRows metres = state.summaryRows;

    EXPECT_EQ(metres[SummaryRow::LaunchAlt], "30 metres");  // 100 ft
    EXPECT_EQ(feet[SummaryRow::DrogueFireTime], "3.5000 sec    ( 1207 ft AGL)");
    EXPECT_EQ(metres[SummaryRow::DrogueFireTime], "3.5000 sec    ( 368 m AGL)");  // 1206.55 ft
    EXPECT_EQ(metres[SummaryRow::MaxPressureAlt], "368 m @ 3.5000 sec");
    EXPECT_EQ(metres[SummaryRow::MaxAccel], "98.05 m/s\u00b2 (10.0G) @ 1.2500 sec");
    EXPECT_EQ(metres[SummaryRow::MinAccel], "-24.51 m/s\u00b2 (-2.5G) @ 1.8750 sec");
    EXPECT_EQ(feet[SummaryRow::MainFireTime], "12.9375 sec    ( 11665 ft AGL)");
    EXPECT_EQ(metres[SummaryRow::MainFireTime], "12.9375 sec    ( 3556 m AGL)");
    EXPECT_EQ(feet[SummaryRow::MaxInertialAlt], "107 ft @ 3.5000 sec");
    EXPECT_EQ(metres[SummaryRow::MaxInertialAlt], "33 m @ 3.5000 sec");
    EXPECT_EQ(feet[SummaryRow::MaxVelocity], "122.90 ft/sec @ 3.5000 sec");
    EXPECT_EQ(metres[SummaryRow::MaxVelocity], "37.46 m/s @ 3.5000 sec");
    for (SummaryRow row :
         {SummaryRow::FName, SummaryRow::FileSize, SummaryRow::CalFile, SummaryRow::LaunchPressure,
          SummaryRow::TavixPlus1G, SummaryRow::FlightMode})
        EXPECT_EQ(metres[row], feet[row]);

    // Switching back writes the very texts of the feet summary.
    WriteMeasuredRows(state.summaryRows, Units::Feet);
    EXPECT_EQ(state.summaryRows.text, feet.text);

    // The marker of a height that cannot be known is no height in any unit.
    image.SetMain(10, 0, 0);
    image.SetFlags(0);
    Show();
    EXPECT_EQ(Row(SummaryRow::MainFireTime), "10.0000 sec    ( 999999 m AGL)");
    EXPECT_EQ(Row(SummaryRow::MaxPressureAlt), "999999 m @ 10.0000 sec");

    // Rows never filled from a flight keep their names.
    SummaryRows fresh;
    WriteMeasuredRows(fresh, Units::Metres);
    EXPECT_EQ(fresh.text, SummaryRows{}.text);
}

TEST(SummaryRowsInitial, LabelsShowTheirOwnNamesBeforeTheFirstFill) {
    SummaryRows rows;
    EXPECT_EQ(rows[SummaryRow::FName], "FName");
    EXPECT_EQ(rows[SummaryRow::MinAccel], "MnAcc");
}

TEST_F(SummaryRowsTest, NoRowShowsInfinityOrNanWhateverTheCalibration) {
    state.channels[0].filter = 0;
    image.SetMain(10, 0, 205);
    for (int k = 8; k < 200; ++k)
        image.SetAccel(k, 200);  // a long hard burn: 100 readings above zero g
    const float slopes[] = {0.0f, 1e-45f, 1e-33f, 1e-30f, -1e-33f, INFINITY, NAN};
    for (float dodg : slopes) {
        SCOPED_TRACE(dodg);
        state.calibration.dodg = dodg;
        state.calibration.actalt = 3e38f;  // the site altitude overflows too
        Show();
        const FlightResults& r = state.results;
        for (float value : {r.maxInertialHeight, r.maxSpeed, r.maxAccel, r.minAccel})
            EXPECT_TRUE(std::isfinite(value)) << value;
        for (const std::string& row : state.summaryRows.text) {
            EXPECT_EQ(row.find("inf"), std::string::npos) << row;
            EXPECT_EQ(row.find("nan"), std::string::npos) << row;
        }
        EXPECT_EQ(Row(SummaryRow::MaxVelocity), "0.00 ft/sec @ 0.0000 sec");
        // The graph and the live gauge convert through the same rule.
        EXPECT_EQ(ConvertReading(state, 4095, 0), 0.0f);
    }
    EXPECT_TRUE(UsableSlope(3.4588f));
    EXPECT_TRUE(UsableSlope(-40.0f));
    EXPECT_TRUE(UsableSlope(1e-20f));
    EXPECT_FALSE(CalibrationProblem(CalibrationData{.dodg = 3.4588f}));
}

}  // namespace
}  // namespace orvale
