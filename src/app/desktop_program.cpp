#include "app/desktop_program.h"

#include <QApplication>
#include <filesystem>

#include "app/main_form.h"
#include "files/working_directory.h"
#include "widgets/command_guard.h"

namespace orvale {

namespace {

// The samples installed with the program; for a program run from its build folder
// (build/src/orvale), those beside the sources.
std::string SamplesDirectory(const std::string& executableDirectory) {
    namespace fs = std::filesystem;
    if (std::string installed = InstalledSamplesDirectory(executableDirectory); !installed.empty())
        return installed;
    std::error_code ec;
    for (const fs::path& candidate :
         {fs::path(executableDirectory) / "../../samples", fs::path(ORVALE_SOURCE_SAMPLES)}) {
        if (fs::is_directory(candidate, ec))
            return fs::weakly_canonical(candidate, ec).string() + "/";
    }
    return {};
}

}  // namespace

StartupEnvironment DesktopEnvironment(const std::string& executableDirectory) {
    StartupEnvironment env;
    env.now = std::time(nullptr);
    env.programDirectory = ChooseProgramDirectory(executableDirectory);
    env.bundledSamplesDirectory = SamplesDirectory(executableDirectory);
    return env;
}

DesktopProgram::DesktopProgram(const StartupEnvironment& env) {
    RunCommand(dialogs_, [&] { InitProgramState(state_, env, dialogs_); });
    mainForm_ = std::make_unique<TMainform>(state_, dialogs_);
    QApplication::setApplicationName(kApplicationTitle);
    mainForm_->CreateForms();
    dialogs_.Attach(mainForm_.get(), mainForm_->ErrorBox, mainForm_->ShowDtaDlg);
}

DesktopProgram::~DesktopProgram() = default;

}  // namespace orvale
