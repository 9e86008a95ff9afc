#include "files/settings_file.h"

#include <sys/stat.h>

#include "core/text_format.h"
#include "files/ini_file.h"
#include "files/multi_graph_settings.h"
#include "files/path_lookup.h"

namespace orvale {

namespace {

const char kMain[] = "Main";
const char kWindow[] = "TMainForm";
const char kDau[] = "DAU";
const char kGraph[] = "Graph";
const char kChVsCh[] = "ChVsCh";

struct FontSetting {
    const char* prefix;
    std::string Settings::*font;
    int32_t Settings::*attrib;
    int32_t Settings::*size;
};
const FontSetting kFonts[] = {
    {"Text", &Settings::textFont, &Settings::textAttrib, &Settings::textSize},
    {"Scale_Text", &Settings::scaleTextFont, &Settings::scaleTextAttrib, &Settings::scaleTextSize},
    {"Callout_Text", &Settings::calloutTextFont, &Settings::calloutTextAttrib,
     &Settings::calloutTextSize},
    {"Title_Text", &Settings::titleTextFont, &Settings::titleTextAttrib, &Settings::titleTextSize},
};

}  // namespace

bool IsFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.empty() ? "." : path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string DefaultWorkingDirectory(const AppState& state) {
    return CutText(state.programDirectory + "DATA/", kDirectoryLimit);
}

std::string SettingsFilePath(const std::string& programDirectory) {
    return ResolveCaseInsensitive(programDirectory, kSettingsFileName);
}

void ReadSettings(AppState& state) {
    const IniFile ini = IniFile::Load(state.settingsFile);
    Settings& s = state.settings;

    // A hand-edited path without its final separator would glue every file name onto the
    // folder's name, so the separator is added.
    state.workingDirectory = CutText(
        WithSeparator(ini.ReadString(kMain, "Path", state.workingDirectory)), kDirectoryLimit);
    state.backgroundPictureName = CutText(
        ini.ReadString(kMain, "Background_BMP", state.backgroundPictureName), kShortNameLimit);
    state.showBackground = ini.ReadBool(kMain, "Show_BMP", state.showBackground);
    state.defaultDataFileName = CutText(
        ini.ReadString(kMain, "Default_Filename", state.defaultDataFileName), kShortNameLimit);
    std::string cal =
        ini.ReadString(kMain, "Calibration_Filename", state.workingDirectory + "Vessin.cal");
    // Anything but "m" (a typing slip, a unit we do not know) reads as feet, the recorder's own.
    s.units = ParseUnits(ini.ReadString(kMain, "Units", "ft")).value_or(Units::Feet);
    s.port = ini.ReadInteger(kDau, "Port", s.port);
    s.baud = ini.ReadInteger(kDau, "Baud", s.baud);
    // Any serial device by name (/dev/ttyUSB0); when set it wins over the numbered Port.
    state.device.deviceName = ini.ReadString(kDau, "Device", state.device.deviceName);
    s.gridOn = ini.ReadBool(kGraph, "Grid_On", s.gridOn);
    for (const FontSetting& f : kFonts) {
        const std::string p = f.prefix;
        s.*f.font = CutText(ini.ReadString(kGraph, p + "_Font", s.*f.font), kFontNameLimit);
        s.*f.attrib = ini.ReadInteger(kGraph, p + "_Attrib", s.*f.attrib);
        s.*f.size = ini.ReadInteger(kGraph, p + "_Size", s.*f.size);
    }
    s.backgroundColor = ini.ReadInteger(kGraph, "Background_Color", s.backgroundColor);
    s.channelTitleLength = ini.ReadInteger(kGraph, "Channel_Title_Length", s.channelTitleLength);
    s.pageBackgroundColor = ini.ReadInteger(kGraph, "Page_Background_Color", s.pageBackgroundColor);
    s.showCallouts = ini.ReadBool(kGraph, "Show_Callouts", s.showCallouts);
    s.graphTop = ini.ReadInteger(kGraph, "Graph_Top", s.graphTop);
    s.graphLeft = ini.ReadInteger(kGraph, "Graph_Left", s.graphLeft);
    s.graphHeight = ini.ReadInteger(kGraph, "Graph_Height", s.graphHeight);
    s.graphWidth = ini.ReadInteger(kGraph, "Graph_Width", s.graphWidth);
    s.refCircleOn = ini.ReadBool(kChVsCh, "Ref_Circle_On", s.refCircleOn);
    s.scatterPlotOn = ini.ReadBool(kChVsCh, "Scatter_Plot_On", s.scatterPlotOn);
    s.askStartLength = ini.ReadBool(kGraph, "Ask_Start_Length", s.askStartLength);
    ReadMultiGraphSettings(ini, s.multiGraph);
    s.mainWindow = ReadMainWindowBounds(state);

    // A bare file name lives in the working directory.
    if (cal.find('/') == std::string::npos)
        cal = state.workingDirectory + cal;
    state.calibrationFilePath = CutText(cal, kPathLimit);
    state.flight.calibrationFile = state.calibrationFilePath;
}

WindowBounds ReadMainWindowBounds(const AppState& state) {
    const IniFile ini = IniFile::Load(state.settingsFile);
    WindowBounds b;
    b.top = ini.ReadInteger(kWindow, "Top", b.top);
    b.left = ini.ReadInteger(kWindow, "Left", b.left);
    b.height = ini.ReadInteger(kWindow, "Height", b.height);
    b.width = ini.ReadInteger(kWindow, "Width", b.width);
    return b;
}

void SaveSettings(const AppState& state) {
    const std::string path = SettingsFilePath(state.programDirectory);
    IniFile ini = IniFile::LoadForUpdate(path);
    const Settings& s = state.settings;

    // While the program works in the default folder it took at start instead of a missing one
    // (a USB stick not plugged in), the file keeps naming the missing one so that it is used
    // again once it is back.
    std::string folder = state.workingDirectory;
    if (folder == DefaultWorkingDirectory(state)) {
        const std::optional<std::string> kept = ini.Value(kMain, "Path");
        if (kept && !kept->empty() && !IsFolder(WithSeparator(*kept)))
            folder = *kept;
    }
    ini.WriteString(kMain, "Path", folder);
    ini.WriteString(kMain, "Background_BMP", state.backgroundPictureName);
    ini.WriteBool(kMain, "Show_BMP", state.showBackground);
    ini.WriteString(kMain, "Default_Filename", state.defaultDataFileName);
    ini.WriteString(kMain, "Calibration_Filename", state.flight.calibrationFile);
    // Written once chosen, so that a file that never named units keeps its old form.
    if (s.units != Units::Feet || ini.Value(kMain, "Units"))
        ini.WriteString(kMain, "Units", UnitsKey(s.units));

    ini.WriteInteger(kWindow, "Top", s.mainWindow.top);
    ini.WriteInteger(kWindow, "Left", s.mainWindow.left);
    ini.WriteInteger(kWindow, "Height", s.mainWindow.height);
    ini.WriteInteger(kWindow, "Width", s.mainWindow.width);

    ini.WriteInteger(kDau, "Port", s.port);
    ini.WriteInteger(kDau, "Baud", s.baud);
    // Written once set, so that a file that never named a device keeps its old form.
    if (!state.device.deviceName.empty() || ini.Value(kDau, "Device"))
        ini.WriteString(kDau, "Device", state.device.deviceName);

    ini.WriteInteger(kGraph, "Output", 0);
    ini.WriteBool(kGraph, "Grid_On", s.gridOn);
    ini.WriteInteger(kGraph, "Background_Color", s.backgroundColor);
    ini.WriteInteger(kGraph, "Channel_Title_Length", s.channelTitleLength);
    for (const FontSetting& f : kFonts) {
        const std::string p = f.prefix;
        ini.WriteString(kGraph, p + "_Font", s.*f.font);
        ini.WriteInteger(kGraph, p + "_Attrib", s.*f.attrib);
        ini.WriteInteger(kGraph, p + "_Size", s.*f.size);
    }
    ini.WriteInteger(kGraph, "Channel_Title_Length", s.channelTitleLength);
    ini.WriteInteger(kGraph, "Page_Background_Color", s.pageBackgroundColor);
    ini.WriteInteger(kGraph, "Graph_Top", s.graphTop);
    ini.WriteInteger(kGraph, "Graph_Left", s.graphLeft);
    ini.WriteInteger(kGraph, "Graph_Height", s.graphHeight);
    ini.WriteInteger(kGraph, "Graph_Width", s.graphWidth);
    ini.WriteBool(kGraph, "Show_Callouts", s.showCallouts);
    ini.WriteBool(kGraph, "Ask_Start_Length", s.askStartLength);

    ini.WriteBool(kChVsCh, "Scatter_Plot_On", s.scatterPlotOn);
    ini.WriteBool(kChVsCh, "Ref_Circle_On", s.refCircleOn);
    WriteMultiGraphSettings(ini, s.multiGraph);
    ini.Save(path);
}

}  // namespace orvale
