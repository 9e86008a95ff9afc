// The "DAU" "Device" setting: kept in the settings file, empty by default, and chosen over the
// numbered port when set.
#include <gtest/gtest.h>

#include <fstream>

#include "core/program_state.h"
#include "files/ini_file.h"
#include "files/settings_file.h"
#include "test_image.h"

namespace orvale::test {
namespace {

TEST(DeviceSettingTest, SavedAndReadBack) {
    TempDir dir;
    AppState state;
    SetProgramDefaults(state, 0);
    state.programDirectory = dir.path().string() + "/";
    state.settingsFile = SettingsFilePath(state.programDirectory);
    state.device.deviceName = "/dev/ttyUSB0";
    state.settings.port = 2;
    SaveSettings(state);
    EXPECT_EQ(IniFile::Load(state.settingsFile).ReadString("DAU", "Device", "?"), "/dev/ttyUSB0");

    AppState again;
    SetProgramDefaults(again, 0);
    again.programDirectory = state.programDirectory;
    again.settingsFile = state.settingsFile;
    ReadSettings(again);
    EXPECT_EQ(again.device.deviceName, "/dev/ttyUSB0");
    EXPECT_EQ(again.settings.port, 2);
}

TEST(DeviceSettingTest, ClearedDeviceIsWrittenEmptyAndNeverAddedUnset) {
    TempDir dir;
    AppState state;
    SetProgramDefaults(state, 0);
    state.programDirectory = dir.path().string() + "/";
    state.settingsFile = SettingsFilePath(state.programDirectory);
    SaveSettings(state);
    EXPECT_FALSE(IniFile::Load(state.settingsFile).Value("DAU", "Device"));
    state.device.deviceName = "/dev/ttyACM0";
    SaveSettings(state);
    state.device.deviceName.clear();
    SaveSettings(state);
    EXPECT_EQ(IniFile::Load(state.settingsFile).Value("DAU", "Device"), "");
}

TEST(DeviceSettingTest, AbsentKeyLeavesItEmpty) {
    TempDir dir;
    const std::string path = (dir.path() / "QUENDA.INI").string();
    std::ofstream(path) << "[DAU]\nPort=3\nBaud=9600\n";
    AppState state;
    SetProgramDefaults(state, 0);
    state.programDirectory = dir.path().string() + "/";
    state.settingsFile = path;
    ReadSettings(state);
    EXPECT_EQ(state.device.deviceName, "");
    EXPECT_EQ(state.settings.port, 3);
}

}  // namespace
}  // namespace orvale::test
