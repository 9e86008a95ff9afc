// libFuzzer entry for the settings file reader: the input is QUENDA.INI. It is read as the start
// of the program reads it, saved, and read and saved once more: the second saving must give the
// same file, and every text read must be valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>

#include "core/file_error.h"
#include "core/program_state.h"
#include "files/settings_file.h"
#include "fuzz_checks.h"

namespace {

std::optional<std::string> ReadAndSave(const std::string& folder) {
    using namespace orvale;
    AppState state;
    SetProgramDefaults(state, 0);
    state.programDirectory = folder;
    state.workingDirectory = folder;
    state.settingsFile = folder + kSettingsFileName;
    try {
        ReadSettings(state);
    } catch (const FileError& e) {
        fuzz::CheckText("read error", e.what());
        return std::nullopt;
    }
    const Settings& s = state.settings;
    for (const std::string* text : std::initializer_list<const std::string*>{
             &state.workingDirectory, &state.backgroundPictureName, &state.defaultDataFileName,
             &state.calibrationFilePath, &state.device.deviceName, &s.textFont, &s.scaleTextFont,
             &s.calloutTextFont, &s.titleTextFont})
        fuzz::CheckText("setting", *text);
    try {
        SaveSettings(state);
    } catch (const FileError& e) {
        fuzz::CheckText("write error", e.what());
        return std::nullopt;
    }
    return fuzz::ReadBytes(state.settingsFile);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvale;
    static const std::string folder = fuzz::ScratchFolder().string() + "/";
    fuzz::WriteBytes(folder + kSettingsFileName, data, size);
    const std::optional<std::string> first = ReadAndSave(folder);
    if (!first)
        return 0;
    const std::optional<std::string> second = ReadAndSave(folder);
    if (!second)
        fuzz::Fail("settings file", "the program's own file was refused");
    if (*first != *second)
        fuzz::Fail("settings file", "a second read and save changed the file");
    return 0;
}
