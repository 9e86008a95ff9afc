#include "files/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "core/file_error.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "files/temp_folder.h"

namespace orvale {
namespace {

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every value the settings file keeps, one a line.
std::string Describe(const AppState& state) {
    const Settings& s = state.settings;
    std::ostringstream out;
    out << "path " << state.workingDirectory << "\nbitmap " << state.backgroundPictureName
        << "\nshow " << state.showBackground << "\ndefault name " << state.defaultDataFileName
        << "\ncalibration " << state.calibrationFilePath << "\nflight calibration "
        << state.flight.calibrationFile << "\nwindow " << s.mainWindow.top << " "
        << s.mainWindow.left << " " << s.mainWindow.height << " " << s.mainWindow.width << "\nport "
        << s.port << " baud " << s.baud << "\ngrid " << s.gridOn << "\nfonts " << s.textFont << "/"
        << s.textAttrib << "/" << s.textSize << " " << s.scaleTextFont << "/" << s.scaleTextAttrib
        << "/" << s.scaleTextSize << " " << s.calloutTextFont << "/" << s.calloutTextAttrib << "/"
        << s.calloutTextSize << " " << s.titleTextFont << "/" << s.titleTextAttrib << "/"
        << s.titleTextSize << "\ncolours " << s.backgroundColor << " " << s.pageBackgroundColor
        << "\ntitle length " << s.channelTitleLength << "\ncallouts " << s.showCallouts
        << "\ngraph " << s.graphTop << " " << s.graphLeft << " " << s.graphHeight << " "
        << s.graphWidth << "\nref circle " << s.refCircleOn << " scatter " << s.scatterPlotOn
        << " ask " << s.askStartLength << "\nunits " << UnitsKey(s.units) << "\n";
    return out.str();
}

class SettingsFile : public ::testing::Test {
protected:
    void Start(AppState& s) { InitProgramState(s, {0, folder.Path(), {}}, prompts); }
    std::string File() const { return folder.Path() + "QUENDA.INI"; }

    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
};

TEST_F(SettingsFile, NoFileGivesDefaultsAndSavingWritesEverySectionInOrder) {
    Start(state);
    const std::string dir = folder.Path();
    EXPECT_EQ(state.workingDirectory, dir + "DATA/");
    EXPECT_EQ(state.calibrationFilePath, dir + "DATA/Vessin.cal");
    EXPECT_EQ(state.settingsFile, File());

    SaveSettings(state);
    const std::string expected =
        "[Main]\r\nPath=" + dir + "DATA/\r\nBackground_BMP=BACKGND\r\nShow_BMP=0\r\n" +
        "Default_Filename=Flt-001\r\nCalibration_Filename=" + dir + "DATA/Vessin.cal\r\n" +
        "[TMainForm]\r\nTop=35\r\nLeft=50\r\nHeight=375\r\nWidth=550\r\n"
        "[DAU]\r\nPort=1\r\nBaud=9600\r\n"
        "[Graph]\r\nOutput=0\r\nGrid_On=1\r\nBackground_Color=15\r\nChannel_Title_Length=4\r\n"
        "Text_Font=Arial\r\nText_Attrib=0\r\nText_Size=9\r\n"
        "Scale_Text_Font=Arial\r\nScale_Text_Attrib=1\r\nScale_Text_Size=9\r\n"
        "Callout_Text_Font=Arial\r\nCallout_Text_Attrib=0\r\nCallout_Text_Size=9\r\n"
        "Title_Text_Font=Arial\r\nTitle_Text_Attrib=1\r\nTitle_Text_Size=9\r\n"
        "Page_Background_Color=15\r\nGraph_Top=0\r\nGraph_Left=0\r\nGraph_Height=480\r\n"
        "Graph_Width=640\r\nShow_Callouts=0\r\nAsk_Start_Length=1\r\n"
        "[ChVsCh]\r\nScatter_Plot_On=0\r\nRef_Circle_On=0\r\n";
    EXPECT_EQ(Contents(File()), expected);

    SaveSettings(state);
    EXPECT_EQ(Contents(File()), expected) << "writing twice changed the file";
}

TEST_F(SettingsFile, EveryValueReadsBack) {
    Start(state);
    state.workingDirectory = "/tmp/";
    state.backgroundPictureName = "ROCKETS";
    state.showBackground = true;
    state.defaultDataFileName = "Run-0042";
    state.flight.calibrationFile = "/home/flyer/cal/Site.cal";
    state.calibrationFilePath = state.flight.calibrationFile;
    Settings& s = state.settings;
    s.mainWindow = {-5, 1200, 600, 800};
    s.port = 4;
    s.baud = 19200;
    s.gridOn = false;
    s.textFont = "DejaVu Sans";
    s.textAttrib = 3;
    s.textSize = 11;
    s.scaleTextFont = "Liberation Mono";
    s.scaleTextAttrib = 2;
    s.scaleTextSize = 8;
    s.calloutTextFont = "Noto Serif";
    s.calloutTextAttrib = 4;
    s.calloutTextSize = 7;
    s.titleTextFont = "Cantarell";
    s.titleTextAttrib = 0;
    s.titleTextSize = 14;
    s.backgroundColor = 7;
    s.channelTitleLength = 12;
    s.pageBackgroundColor = 3;
    s.showCallouts = true;
    s.graphTop = 10;
    s.graphLeft = 20;
    s.graphHeight = 500;
    s.graphWidth = 700;
    s.refCircleOn = true;
    s.scatterPlotOn = true;
    s.askStartLength = false;
    s.units = Units::Metres;
    SaveSettings(state);
    const std::string text = Contents(File());

    AppState back;
    Start(back);
    EXPECT_EQ(Describe(back), Describe(state));
    SaveSettings(back);
    EXPECT_EQ(Contents(File()), text);
}

TEST_F(SettingsFile, UnitsAreFeetUnlessTheFileSaysMetres) {
    const struct {
        const char* line;
        Units units;
    } cases[] = {{"Units=m", Units::Metres}, {"units = M ", Units::Metres},
                 {"Units=ft", Units::Feet},  {"Units=metres", Units::Feet},
                 {"Units=", Units::Feet},    {"Units=\xb5m", Units::Feet}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Put(File(), std::string("[Main]\r\n") + c.line + "\r\n");
        AppState s;
        Start(s);
        EXPECT_EQ(s.settings.units, c.units);
    }
    // Once named, the key stays in the file and says what was chosen last, feet included.
    AppState s;
    Start(s);
    s.settings.units = Units::Metres;
    SaveSettings(s);
    EXPECT_NE(Contents(File()).find("\r\nUnits=m\r\n"), std::string::npos);
    s.settings.units = Units::Feet;
    SaveSettings(s);
    EXPECT_NE(Contents(File()).find("\r\nUnits=ft\r\n"), std::string::npos);
}

TEST_F(SettingsFile, TheFlightsCalibrationFileIsTheOneWritten) {
    Start(state);
    state.calibrationFilePath = "/last/read.cal";
    state.flight.calibrationFile = "/recorded/with/flight.cal";
    SaveSettings(state);
    EXPECT_NE(Contents(File()).find("\r\nCalibration_Filename=/recorded/with/flight.cal\r\n"),
              std::string::npos);
}

TEST_F(SettingsFile, HandEditedValues) {
    struct Case {
        const char* what;
        std::string text;
        std::function<void(const AppState&)> check;
        const char* writtenBack;  // a line the saved file must hold, or nullptr
    };
    const std::string dir = folder.Path();
    const Case cases[] = {
        {"long names are cut",
         "[Main]\r\nDefault_Filename=LongFlightName\r\nBackground_BMP=Panorama1\r\n"
         "[Graph]\r\nTitle_Text_Font=" +
             std::string(40, 'F') + "\r\n",
         [](const AppState& s) {
             EXPECT_EQ(s.defaultDataFileName, "LongFlig");
             EXPECT_EQ(s.backgroundPictureName, "Panorama");
             EXPECT_EQ(s.settings.titleTextFont, std::string(31, 'F'));
         },
         "\r\nDefault_Filename=LongFlig\r\n"},
        {"a bare calibration name lives in the working directory",
         "[Main]\r\nPath=/tmp/\r\nCalibration_Filename=My.cal\r\n",
         [](const AppState& s) {
             EXPECT_EQ(s.calibrationFilePath, "/tmp/My.cal");
             EXPECT_EQ(s.flight.calibrationFile, "/tmp/My.cal");
         },
         "\r\nCalibration_Filename=/tmp/My.cal\r\n"},
        {"a calibration name with a folder is kept",
         "[Main]\r\nPath=/tmp/\r\nCalibration_Filename=cal/My.cal\r\n",
         [](const AppState& s) { EXPECT_EQ(s.calibrationFilePath, "cal/My.cal"); }, nullptr},
        {"an absolute calibration path is kept", "[Main]\r\nCalibration_Filename=/abs/My.cal\r\n",
         [](const AppState& s) { EXPECT_EQ(s.calibrationFilePath, "/abs/My.cal"); }, nullptr},
        {"no calibration name: the settings' own working directory", "[main]\r\npath=/tmp/\r\n",
         [](const AppState& s) {
             EXPECT_EQ(s.workingDirectory, "/tmp/");
             EXPECT_EQ(s.calibrationFilePath, "/tmp/Vessin.cal");
         },
         nullptr},
        {"a path without its separator gets one", "[Main]\r\nPath=/tmp\r\n",
         [](const AppState& s) { EXPECT_EQ(s.workingDirectory, "/tmp/"); }, "\r\nPath=/tmp/\r\n"},
        {"integers and booleans",
         "[DAU]\r\nPort=0x10\r\nBaud=fast\r\n[Main]\r\nShow_BMP=2\r\n[Graph]\r\nGrid_On=0\r\n"
         "Ask_Start_Length=no\r\n[TMainForm]\r\nTop=$20\r\nWidth=\r\n",
         [](const AppState& s) {
             EXPECT_EQ(s.settings.port, 16);
             EXPECT_EQ(s.settings.baud, 9600);
             EXPECT_TRUE(s.showBackground);
             EXPECT_FALSE(s.settings.gridOn);
             EXPECT_TRUE(s.settings.askStartLength);
             EXPECT_EQ(s.settings.mainWindow.top, 32);
             EXPECT_EQ(s.settings.mainWindow.width, 550);
         },
         "\r\nShow_BMP=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Put(File(), c.text + "[Custom]\r\nKeep=me\r\n");
        AppState s;
        Start(s);
        c.check(s);
        SaveSettings(s);
        const std::string text = Contents(File());
        if (c.writtenBack) {
            EXPECT_NE(text.find(c.writtenBack), std::string::npos) << text;
        }
        EXPECT_NE(text.find("[Custom]\r\nKeep=me\r\n"), std::string::npos) << text;
    }
}

TEST_F(SettingsFile, TheFileIsFoundWhateverTheCaseOfItsName) {
    for (const char* name : {"Quenda.INI", "quenda.ini", "QUENDA.INI"}) {
        SCOPED_TRACE(name);
        TempFolder dir;
        Put(dir.Path() + name, "[DAU]\r\nPort=3\r\n");
        AppState s;
        InitProgramState(s, {0, dir.Path(), {}}, prompts);
        EXPECT_EQ(s.settings.port, 3);
        s.settings.port = 5;
        SaveSettings(s);
        EXPECT_EQ(dir.Names(), std::set<std::string>{name}) << "a second settings file appeared";
        EXPECT_NE(Contents(dir.Path() + name).find("\r\nPort=5\r\n"), std::string::npos);
    }
}

TEST_F(SettingsFile, AFolderThatCannotBeWrittenIsReported) {
    Start(state);
    state.programDirectory = folder.Path() + "gone/";
    try {
        SaveSettings(state);
        FAIL() << "no error";
    } catch (const FileError& e) {
        const std::string expected = "Unable to write to " + folder.Path() + "gone/QUENDA.INI";
        EXPECT_EQ(std::string(e.what()).substr(0, expected.size()), expected) << e.what();
    }
}

}  // namespace
}  // namespace orvale

namespace orvale {
namespace {

TEST_F(SettingsFile, TheLastComparisonComesBackAfterTheFiveSections) {
    Start(state);
    SaveSettings(state);
    const std::string five = Contents(File());
    ASSERT_EQ(five.find("[MultiGraph]"), std::string::npos) << "written before any comparison";

    MultiGraphChoice& choice = state.settings.multiGraph;
    choice.alignAtLaunch = false;
    choice.rows = {{"/flights/FLT-001.DAT", 2, 10, 0.0}, {"FLT-002.DAT", 3, 7, -1.25}};
    SaveSettings(state);
    const std::string text = Contents(File());
    EXPECT_EQ(text.substr(0, five.size()), five) << "the five sections must stay as they were";
    EXPECT_EQ(text.substr(five.size()),
              "[MultiGraph]\r\nAlign_At_Launch=0\r\nRows=2\r\n"
              "Flight_1=/flights/FLT-001.DAT\r\nChannel_1=2\r\nColour_1=10\r\nOffset_1=0.000\r\n"
              "Flight_2=FLT-002.DAT\r\nChannel_2=3\r\nColour_2=7\r\nOffset_2=-1.250\r\n");
    AppState back;
    Start(back);
    EXPECT_EQ(back.settings.multiGraph, choice);

    // Rows removed are emptied; hand-edited rows that make no sense are left out.
    choice.rows.pop_back();
    SaveSettings(state);
    Start(back);
    EXPECT_EQ(back.settings.multiGraph, choice);
    Put(File(),
        "[MultiGraph]\r\nRows=4\r\nFlight_1=A.DAT\r\nChannel_1=14\r\n"
        "Flight_2=B.DAT\r\nChannel_2=1\r\nOffset_2=abc\r\nFlight_3=\r\nChannel_3=1\r\n"
        "Flight_4=C.DAT\r\nChannel_4=12\r\nOffset_4=2.5\r\nColour_4=99\r\n");
    Start(back);
    EXPECT_EQ(back.settings.multiGraph, (MultiGraphChoice{{{"C.DAT", 12, 15, 2.5}}, true}));
}

}  // namespace
}  // namespace orvale
