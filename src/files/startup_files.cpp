#include "files/startup_files.h"

#include "core/text_format.h"
#include "files/calibration_file.h"
#include "files/parameter_file.h"
#include "files/settings_file.h"
#include "files/working_directory.h"

namespace orvale {

void InitProgramState(AppState& state, const StartupEnvironment& env, Prompts& prompts) {
    SetProgramDefaults(state, env.now);
    ReadStartupFiles(state, env, prompts);
}

void ReadStartupFiles(AppState& state, const StartupEnvironment& env, Prompts& prompts) {
    std::string dir = env.programDirectory;
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    state.programDirectory = CutText(dir, kDirectoryLimit);
    state.workingDirectory = CutText(state.programDirectory + "DATA/", kDirectoryLimit);
    state.settingsFile = SettingsFilePath(state.programDirectory);
    ReadSettings(state);
    if (!env.bundledSamplesDirectory.empty())
        SeedWorkingDirectory(state.workingDirectory, env.bundledSamplesDirectory);
    ReadParameterFile(state, prompts, false);
    ReadCalibrationFile(state, prompts);
}

}  // namespace orvale
