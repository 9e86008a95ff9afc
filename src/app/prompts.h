// Everything the Qt-free procedures ask of the user or show to them goes through this interface,
// so tests can answer and the command-line tool can stay silent. The desktop program implements
// it with Qt dialogs.
#pragma once

#include <string>

namespace orvale {

struct AppState;

class Prompts {
public:
    virtual ~Prompts() = default;

    // The modal error box: the message line and two fixed-pitch detail lines (usually blank).
    virtual void ShowErrorBox(const std::string& message, const std::string& line2,
                              const std::string& line3) = 0;

    // The modal "Summary of flight" dialog showing state.summaryRows; OK sets the summary dialog
    // result to 1 and Cancel to 2, any other way of closing leaves it as it was.
    virtual void ShowSummaryDialog(AppState& state) = 0;

    // Graph menu item, draw-graph, start/length and summary buttons of the main window.
    virtual void SetFlightCommandsEnabled(bool enabled) = 0;
};

// Shows the text of an error slot in the error box.
void ShowError(const AppState& state, Prompts& prompts, int slot);

}  // namespace orvale
