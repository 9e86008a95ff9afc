// The command-line tool shows no dialogs: reports go to the error stream, the summary counts as
// accepted and file dialogs as cancelled.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "core/app_state.h"
#include "core/prompts.h"

namespace orvale {

class CliPrompts : public Prompts {
public:
    explicit CliPrompts(std::ostream& err) : err_(err) {}
    void ShowErrorBox(const std::string& message, const std::string& line2,
                      const std::string& line3) override {
        err_ << "orvale-cli: " << message << "\n";
        if (!line2.empty())
            err_ << "  " << line2 << "\n  " << line3 << "\n";
    }
    void ShowSummaryDialog(AppState& state) override { state.summaryDialogResult = 1; }
    void SetFlightCommandsEnabled(bool) override {}
    void ShowWarning(const std::string& text) override { err_ << "orvale-cli: " << text << "\n"; }
    // Naming the command on the command line was the confirmation.
    bool ConfirmWarning(const std::string&) override { return true; }
    void ShowInformation(const std::string& text) override {
        err_ << "orvale-cli: " << text << "\n";
    }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return {}; }

private:
    std::ostream& err_;
};

// A capture's file dialog, answered with the path named on the command line.
class CapturePrompts : public CliPrompts {
public:
    CapturePrompts(std::ostream& err, std::string path) : CliPrompts(err), path_(std::move(path)) {}
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return path_; }

private:
    std::string path_;
};

}  // namespace orvale
