// The prompts the main window's commands use: every dialog as the given prompts show it, with
// the enabling of the flight commands applied to the window before it is passed on. Tests give
// a fake for the dialogs and still see the window's buttons follow the flight.
#pragma once

#include <functional>
#include <utility>

#include "core/prompts.h"

namespace orvale {

class FormPrompts final : public Prompts {
public:
    FormPrompts(Prompts& dialogs, std::function<void(bool)> enableFlightCommands)
        : dialogs_(dialogs), enable_(std::move(enableFlightCommands)) {}

    void ShowErrorBox(const std::string& message, const std::string& line2,
                      const std::string& line3) override {
        dialogs_.ShowErrorBox(message, line2, line3);
    }
    void ShowSummaryDialog(AppState& state) override { dialogs_.ShowSummaryDialog(state); }
    void ShowWarning(const std::string& text) override { dialogs_.ShowWarning(text); }
    bool ConfirmWarning(const std::string& text) override { return dialogs_.ConfirmWarning(text); }
    bool ConfirmDestructive(const std::string& text) override {
        return dialogs_.ConfirmDestructive(text);
    }
    bool ConfirmInformation(const std::string& text) override {
        return dialogs_.ConfirmInformation(text);
    }
    void ShowInformation(const std::string& text) override { dialogs_.ShowInformation(text); }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override {
        return dialogs_.AskOpenFileName(request);
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override {
        return dialogs_.AskSaveFileName(request);
    }
    void SetFlightCommandsEnabled(bool enabled) override {
        enable_(enabled);
        dialogs_.SetFlightCommandsEnabled(enabled);
    }

private:
    Prompts& dialogs_;
    std::function<void(bool)> enable_;
};

}  // namespace orvale
