// The rules the desktop program's widgets follow, checked without a display: the command table,
// the picture area's looks, the directory dialog's name box, the number boxes, the parameter
// editor's fields and the command guard.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/background_picture.h"
#include "app/command_table.h"
#include "app/directory_choice.h"
#include "core/file_error.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/parameter_fields.h"
#include "ui_fixture.h"
#include "widgets/command_guard.h"
#include "widgets/entry_fields.h"

namespace orvale {
namespace {

// --- Command table -------------------------------------------------------------------------

TEST(CommandTable, NamesAreUniqueAndEveryFlightCommandIsListed) {
    for (size_t i = 0; i < kCommands.size(); ++i)
        for (size_t j = i + 1; j < kCommands.size(); ++j)
            EXPECT_STRNE(kCommands[i].name, kCommands[j].name);
    for (const char* name : kFlightCommands)
        EXPECT_STREQ(CommandNamed(name).name, name);
}

TEST(CommandTable, KeepsTheShortcutsThatDifferFromTheUsualOnes) {
    EXPECT_STREQ(CommandNamed("LoadCalibrationfile1").shortcut, "Ctrl+C");
    EXPECT_STREQ(CommandNamed("LoadCalibrationfile1").hint, "");
    EXPECT_STREQ(CommandNamed("Exit1").shortcut, "Alt+F4");
    EXPECT_STREQ(CommandNamed("Exit1").hint, "Terminate Orvale");
    EXPECT_STREQ(CommandNamed("Help1").shortcut, "F1");
    EXPECT_STREQ(CommandNamed("GrphBtn").hint, "Draw graph");
    EXPECT_STREQ(CommandNamed("StartLenBtn").caption, "S/L");
    EXPECT_STREQ(CommandNamed("nothing").name, "");
}

TEST(CommandTable, PendingCommandsSayWhatIsNotAvailable) {
    EXPECT_EQ(NotAvailableNote("LiveData1"),
              "Live Data is not available yet in this version of Orvale.");
    EXPECT_EQ(NotAvailableNote("CalibrateTavix1"),
              "Calibrate Tavix is not available yet in this version of Orvale.");
    // A picture button has no caption: its hint names it.
    EXPECT_EQ(NotAvailableNote("GrphBtn"),
              "Draw graph is not available yet in this version of Orvale.");
}

// --- Picture area ----------------------------------------------------------------------------

struct PictureFolder {
    TempFolder program;
    AppState state;
    PictureFolder() {
        state.programDirectory = program.Path();
        state.backgroundPictureName = "BACKGND";
    }
};

TEST(BackgroundPicture, WithoutTheFileTheBuiltInPictureStaysAndShowBmpIsKept) {
    PictureFolder f;
    f.state.showBackground = true;
    EXPECT_EQ(StartingPictureLook(f.state), PictureLook::Filling);
    EXPECT_EQ(ToggleBackgroundPicture(f.state, PictureLook::Filling), PictureLook::Filling);
    EXPECT_TRUE(f.state.showBackground);
}

TEST(BackgroundPicture, TheFileBecomesTheBannerWhateverItsLetterCase) {
    PictureFolder f;
    test::PutFile(f.program.Path() + "backgnd.bmp", "BM");
    EXPECT_EQ(BackgroundPictureFile(f.state), f.program.Path() + "backgnd.bmp");
    EXPECT_EQ(StartingPictureLook(f.state), PictureLook::Filling);
    f.state.showBackground = true;
    EXPECT_EQ(StartingPictureLook(f.state), PictureLook::Banner);
}

TEST(BackgroundPicture, DoubleClicksGoFromFillingToBannerToHiddenForGood) {
    PictureFolder f;
    test::PutFile(f.program.Path() + "BACKGND.BMP", "BM");
    PictureLook look = ToggleBackgroundPicture(f.state, PictureLook::Filling);
    EXPECT_EQ(look, PictureLook::Banner);
    EXPECT_TRUE(f.state.showBackground);
    look = ToggleBackgroundPicture(f.state, look);
    EXPECT_EQ(look, PictureLook::Hidden);
    EXPECT_FALSE(f.state.showBackground);
    EXPECT_EQ(ToggleBackgroundPicture(f.state, look), PictureLook::Hidden);
    EXPECT_FALSE(f.state.showBackground);
}

// --- Directory name box ----------------------------------------------------------------------

TEST(DirectoryChoice, AddsTheSeparatorOnlyWhenMissing) {
    EXPECT_EQ(AcceptedDirectory("/data/FLIGHTS", "/old/"), "/data/FLIGHTS/");
    EXPECT_EQ(AcceptedDirectory("/data/FLIGHTS/", "/old/"), "/data/FLIGHTS/");
    EXPECT_EQ(AcceptedDirectory("/", "/old/"), "/");
}

TEST(DirectoryChoice, RelativeNamesLieInTheWorkingDirectoryAndBlankNamesNone) {
    EXPECT_EQ(AcceptedDirectory("2024", "/flights/"), "/flights/2024/");
    EXPECT_EQ(AcceptedDirectory("   ", "/flights/"), std::nullopt);
    EXPECT_EQ(AcceptedDirectory("", "/flights/"), std::nullopt);
}

TEST(DirectoryChoice, TheSeparatorSurvivesTheLengthLimit) {
    const std::string longName = "/" + std::string(300, 'a');
    const auto accepted = AcceptedDirectory(longName, "/");
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->size(), static_cast<size_t>(kDirectoryLimit));
    EXPECT_EQ(accepted->back(), '/');
}

// --- Number boxes ----------------------------------------------------------------------------

TEST(EntryFields, WholeNumbersWithinTheirRange) {
    EXPECT_EQ(ParseWholeNumber("3", 1, 5), 3);
    EXPECT_EQ(ParseWholeNumber(" +5 ", 1, 5), 5);
    EXPECT_EQ(ParseWholeNumber("-32768", -32768, 32767), -32768);
    EXPECT_EQ(ParseWholeNumber("2147483647", 0, 2147483647), 2147483647);
    for (const char* bad : {"0", "6", "", "-", "+", "1.5", "2a", "99999999999999999999", "- 3"})
        EXPECT_EQ(ParseWholeNumber(bad, 1, 5), std::nullopt) << bad;
    EXPECT_EQ(ParseWholeNumber("2147483648", 0, 2147483647), std::nullopt);
}

TEST(EntryFields, DecimalsAsTheTimeFieldsTakeThem) {
    EXPECT_DOUBLE_EQ(*ParseDecimal("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(*ParseDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(*ParseDecimal("7."), 7.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal(" +3 "), 3.0);
    for (const char* bad : {"", ".", "-", "1e3", "inf", "nan", "1.2.3", "3-", "0x10"})
        EXPECT_EQ(ParseDecimal(bad), std::nullopt) << bad;
}

// --- Parameter editor fields -----------------------------------------------------------------

TEST(ParameterFields, StagesRefuseZeroAndSixAndTakeOneToFive) {
    EXPECT_EQ(ParameterFieldRefusal(kStagesField, "0"),
              "Number of Stages must be a whole number from 1 to 5.");
    EXPECT_TRUE(ParameterFieldRefusal(kStagesField, "6"));
    EXPECT_TRUE(ParameterFieldRefusal(kStagesField, ""));
    for (const char* good : {"1", "2", "3", "4", "5"})
        EXPECT_FALSE(ParameterFieldRefusal(kStagesField, good)) << good;
    // Text fields refuse nothing.
    EXPECT_FALSE(ParameterFieldRefusal(kNoteField, "anything at all"));
}

TEST(ParameterFields, TheRangesOfTheOtherNumbers) {
    EXPECT_FALSE(ParameterFieldRefusal(kLaunchElevationField, "-32768"));
    EXPECT_TRUE(ParameterFieldRefusal(kLaunchElevationField, "32768"));
    EXPECT_TRUE(ParameterFieldRefusal(kLaunchWeightField, "-1"));
    EXPECT_FALSE(ParameterFieldRefusal(kRecoveredWeightField, "32767"));
    EXPECT_FALSE(ParameterFieldRefusal(kExpectedAltitudeField, "2147483647"));
}

TEST(ParameterFields, FirstRefusedFieldIsInScreenOrder) {
    AppState state;
    SetProgramDefaults(state, 0);
    ParameterTexts texts = ParameterFieldTexts(state);
    EXPECT_EQ(FirstRefusedField(texts), std::nullopt);
    texts[kExpectedAltitudeField] = "-5";
    texts[kStagesField] = "9";
    EXPECT_EQ(FirstRefusedField(texts), kStagesField);
}

TEST(ParameterFields, StoringCutsTextsAndKeepsTheDataFileName) {
    AppState state;
    SetProgramDefaults(state, 0);
    state.current().dataFileName = "/data/FLT-001.DAT";
    ParameterTexts texts = ParameterFieldTexts(state);
    texts[kDataFileField] = "edited.dat";
    texts[kNoteField] = std::string(90, 'n');
    texts[kLaunchDateField] = "12/06/2002";
    texts[kLaunchTimeField] = "10:15 AM";
    texts[kStagesField] = "2";
    texts[kLaunchElevationField] = "-120";
    texts[kExpectedAltitudeField] = "2147483647";
    texts[kCalibrationFileField] = "/cal/site.cal";
    StoreEditedParameters(state, texts);
    EXPECT_EQ(state.current().dataFileName, "/data/FLT-001.DAT");
    EXPECT_EQ(state.flight.note, std::string(kNameLimit, 'n'));
    EXPECT_EQ(state.flight.date, "12/06/2002");
    EXPECT_EQ(state.flight.time, "10:15 AM");
    EXPECT_EQ(state.flight.stages, 2);
    EXPECT_EQ(state.flight.launchElevation, -120);
    EXPECT_EQ(state.flight.expectedAltitude, 2147483647);
    EXPECT_EQ(state.flight.calibrationFile, "/cal/site.cal");
}

TEST(ParameterFields, ARefusedNumberLeavesTheValueAsItWas) {
    AppState state;
    SetProgramDefaults(state, 0);
    state.flight.stages = 3;
    ParameterTexts texts = ParameterFieldTexts(state);
    EXPECT_EQ(texts[kStagesField], "3");
    texts[kStagesField] = "7";
    StoreEditedParameters(state, texts);
    EXPECT_EQ(state.flight.stages, 3);
}

// --- Command guard ---------------------------------------------------------------------------

TEST(CommandGuard, ShowsTheMessageOfAFailedCommandAndCarriesOn) {
    test::FakePrompts prompts;
    EXPECT_FALSE(RunCommand(prompts, [] { throw FileError("Unable to write to /ro/QUENDA.INI"); }));
    EXPECT_FALSE(RunCommand(prompts, [] { throw 42; }));
    bool ran = false;
    EXPECT_TRUE(RunCommand(prompts, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    ASSERT_EQ(prompts.warnings.size(), 2u);
    EXPECT_EQ(prompts.warnings[0], "Unable to write to /ro/QUENDA.INI");
    EXPECT_EQ(prompts.warnings[1], "The command stopped on an unexpected error.");
}

}  // namespace
}  // namespace orvale
