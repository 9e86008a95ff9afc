// Everything the Qt-free procedures ask of the user or show to them goes through this interface,
// so tests can answer and the command-line tool can stay silent. The desktop program implements
// it with Qt dialogs.
#pragma once

#include <optional>
#include <string>

namespace orvale {

struct AppState;

// What a file open or save dialog is asked to show.
struct FileDialogRequest {
    std::string title;
    std::string filter;   // "Data files|*.dat|Parameter files|*.par"
    int filterIndex = 1;  // 1-based, the filter selected at first
    std::string defaultExtension;
    std::string initialDirectory;
    std::string proposedName;
    bool folder = false;  // an open dialog that chooses an existing folder instead of a file
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // The modal error box: the message line and two fixed-pitch detail lines (usually blank).
    virtual void ShowErrorBox(const std::string& message, const std::string& line2,
                              const std::string& line3) = 0;

    // The modal "Summary of flight" dialog showing state.summaryRows; OK sets the summary dialog
    // result to 1 and Cancel to 2, any other way of closing leaves it as it was.
    virtual void ShowSummaryDialog(AppState& state) = 0;

    // A message box with a single OK button.
    virtual void ShowWarning(const std::string& text) = 0;

    // A warning box with OK and Cancel; true when the flyer chose OK.
    virtual bool ConfirmWarning(const std::string& text) = 0;

    // The same box before something that cannot be undone: Cancel is its default button, so
    // Enter keeps what is there. Prompts without buttons answer as for ConfirmWarning.
    virtual bool ConfirmDestructive(const std::string& text) { return ConfirmWarning(text); }

    // An information box with OK and Cancel before a step the flyer prepares for; true on OK.
    // Prompts without their own answer it as ConfirmWarning.
    virtual bool ConfirmInformation(const std::string& text) { return ConfirmWarning(text); }

    // A message box with a single OK button that informs rather than warns.
    virtual void ShowInformation(const std::string& text) = 0;

    // File dialogs: the chosen full path, or nothing when the user cancelled. The open dialog
    // accepts only an existing file; the save dialog does not confirm replacing a file (the
    // save commands ask about every file of the flight they replace, in any letter case).
    virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;

    // Graph menu item, draw-graph, start/length and summary buttons of the main window.
    virtual void SetFlightCommandsEnabled(bool enabled) = 0;
};

// Shows the text of an error slot in the error box.
void ShowError(const AppState& state, Prompts& prompts, int slot);

}  // namespace orvale
