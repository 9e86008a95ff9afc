#include "files/startup_files.h"

#include "core/file_error.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "files/calibration_file.h"
#include "files/parameter_file.h"
#include "files/settings_file.h"
#include "files/working_directory.h"

namespace orvale {

namespace {

template <typename Step>
void RunReporting(Prompts& prompts, Step step) {
    try {
        step();
    } catch (const FileError& e) {
        prompts.ShowWarning(e.what());
    }
}

}  // namespace

void InitProgramState(AppState& state, const StartupEnvironment& env, Prompts& prompts) {
    SetProgramDefaults(state, env.now);
    ReadStartupFiles(state, env, prompts);
}

void ReadStartupFiles(AppState& state, const StartupEnvironment& env, Prompts& prompts) {
    std::string dir = env.programDirectory;
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    state.programDirectory = CutText(dir, kDirectoryLimit);
    const std::string defaultDirectory = DefaultWorkingDirectory(state);
    state.workingDirectory = defaultDirectory;
    state.settingsFile = SettingsFilePath(state.programDirectory);
    ReadSettings(state);
    // A folder the settings name that is not there (a USB stick not plugged in) is neither
    // created nor filled: the program works in the default folder and the settings keep the
    // missing one.
    if (state.workingDirectory != defaultDirectory && !IsFolder(state.workingDirectory)) {
        prompts.ShowWarning("The working directory " + state.workingDirectory +
                            " is missing; Orvale works in " + defaultDirectory + " instead.");
        state.workingDirectory = defaultDirectory;
    }
    // A first start: the sample flights and the default parameter file go into a new folder.
    if (!env.bundledSamplesDirectory.empty() &&
        SeedWorkingDirectory(state.workingDirectory, env.bundledSamplesDirectory)) {
        try {
            WriteDefaultParameterFile(state);
        } catch (const FileError&) {
            // The defaults stay in memory; opening a flight tries again.
        }
    }
    // What the settings name is read through a bound; a file refused there is reported and
    // start-up goes on without it.
    RunReporting(prompts, [&] { ReadParameterFile(state, prompts, false); });
    RunReporting(prompts, [&] { ReadCalibrationFile(state, prompts); });
}

}  // namespace orvale
