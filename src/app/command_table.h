// Captions, shortcuts and hints of every command of the main window. They are kept as data so
// the window is built from one list and the texts can be checked without a display.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvale {

struct CommandText {
    const char* name;      // object name of the menu item or tool button
    const char* caption;   // "&" marks the access letter; empty for a picture button
    const char* shortcut;  // in the portable form "Ctrl+S"; empty for none
    const char* hint;      // shown in the status line and as a tool tip; empty for none
};

inline constexpr std::array<CommandText, 41> kCommands{{
    {"File1", "&File", "", "File operations"},
    {"SaveData1", "&Save Data file...", "Ctrl+S", "Save current data to disk"},
    {"LoadData1", "&Load Data file...", "Ctrl+L", "Load captured data file"},
    {"Flights1", "&Flights...", "", "List every flight of the folder"},
    {"Parameter1", "Load &Parameter file...", "Ctrl+P", "Load parameter file for the data"},
    {"LoadCalibrationfile1", "Load &Calibration file...", "Ctrl+C", ""},
    {"ChangeDirectory1", "Change &Directory...", "Ctrl+D", "Change the current directory"},
    {"Printsetup1", "P&rinter setup...", "", "Setup print options"},
    {"Exit1", "E&xit", "Alt+F4", "Terminate Orvale"},
    {"Edit1", "&Edit", "", "Edit operations"},
    {"EditParameters1", "&Edit Parameter file", "", "Edit channel titles, formulas, ..."},
    {"Comm1", "&Comm", "", "Communicate with the DAU"},
    {"ConfigureDAU1", "&Configure Port ...", "", "Configure the Tavix"},
    {"CaptureData1", "Capture &Data", "", "Download data from the Tavix"},
    {"CalibrateTavix1", "Ca&librate Tavix...", "", "Do calibration routines"},
    {"ZeroData1", "Clea&r Data Buffer", "", "Clear flight data buffer"},
    {"LiveData1", "&Live Data...", "", "Get current data from the Tavix"},
    {"MainDeploy1", "&Main Deploy...", "", ""},
    {"LowAlt6001", "Low Alt (600')", "", ""},
    {"StdAlt12001", "Med Alt (1200')", "", ""},
    {"HighAlt24001", "High Alt (2400')", "", ""},
    {"Graph1", "&Graph", "", "Graphing operations"},
    {"Window1", "&Window", "", "Window manipulations"},
    {"Tile1", "&Tile", "", ""},
    {"Cascade1", "&Cascade", "", ""},
    {"ArrangeIcons1", "&Arrange Icons", "", ""},
    {"Help1", "&Help", "F1", "Help Information"},
    {"About1", "&About", "", "Information about Orvale"},
    {"OpenFileBtn", "", "", "Open Data file"},
    {"StartLenBtn", "S/L", "", "Set Start & Length of time to graph"},
    {"DownLoadBtn", "", "", "Capture flight data from Tavix"},
    {"SumBtn", "Sum", "", "Display Summary of flight"},
    {"GrphBtn", "", "", "Draw graph"},
    {"LiveButton", "", "", "Read Live Data from Tavix"},
    {"CalBtn", "", "", "Calibrate Tavix"},
    {"MainDeployBtn", "", "", "Set Main Deployment Altitude"},
    // The tool button's pop-up repeats the three altitude items.
    {"LowAlt1", "Low Alt (600')", "", ""},
    {"StdAlt1", "Med Alt (1200')", "", ""},
    {"HighAlt1", "High Alt (2400')", "", ""},
    // Radio items at the foot of the Edit menu: the units of the summary, the live altimeter and
    // the logbook.
    {"UnitsFeet1", "Units: &feet", "", "Show heights, speeds and accelerations in feet"},
    {"UnitsMetres1", "Units: &metres", "", "Show heights, speeds and accelerations in metres"},
}};

// The four commands that need a loaded flight; every other command is always enabled.
inline constexpr std::array<const char*, 4> kFlightCommands{"Graph1", "GrphBtn", "StartLenBtn",
                                                            "SumBtn"};

// What every command answers while a recorder exchange is still running.
inline const char kDeviceBusyNote[] =
    "Orvale is talking to the Tavix. Wait for the transfer to end, or cancel it in the "
    "Communication Status window.";

// The entry of a name in kCommands; a name that is not there has empty texts.
const CommandText& CommandNamed(std::string_view name);

// What a command whose window comes with a later version tells the flyer instead of doing
// nothing: "Capture Data is not available yet in this version of Orvale."
std::string NotAvailableNote(std::string_view name);

}  // namespace orvale
