// Start-up of the desktop program in its fixed order: the program state and the files it reads,
// the main window, the application title, then the other windows once each.
#pragma once

#include <memory>
#include <string>

#include "app/qt_prompts.h"
#include "core/app_state.h"
#include "files/startup_files.h"

namespace orvale {

class TMainform;

// Where the desktop program keeps and finds its files, for an executable in the given folder:
// the settings folder (the executable's own when writable, else the per-user one) and the
// sample flights that seed a new working directory.
StartupEnvironment DesktopEnvironment(const std::string& executableDirectory);

class DesktopProgram {
public:
    // Everything up to showing the main window, which is the caller's.
    explicit DesktopProgram(const StartupEnvironment& env);
    ~DesktopProgram();

    TMainform& MainForm() { return *mainForm_; }
    AppState& State() { return state_; }

private:
    AppState state_;
    QtPrompts dialogs_;
    std::unique_ptr<TMainform> mainForm_;
};

}  // namespace orvale
