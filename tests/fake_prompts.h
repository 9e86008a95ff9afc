// A Prompts that records what would have been shown and answers the summary dialog as told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/prompts.h"

namespace orvale::test {

class FakePrompts : public Prompts {
public:
    void ShowErrorBox(const std::string& message, const std::string& line2,
                      const std::string& line3) override {
        errors.push_back(message);
        detailLines.push_back(line2 + "|" + line3);
    }
    void ShowSummaryDialog(AppState& state) override {
        ++summariesShown;
        shownRows.push_back(state.summaryRows);
        if (summaryAnswer != 0)
            state.summaryDialogResult = summaryAnswer;
    }
    void SetFlightCommandsEnabled(bool enabled) override { commandsEnabled.push_back(enabled); }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    bool ConfirmWarning(const std::string& text) override {
        confirmations.push_back(text);
        if (!confirmAnswers.empty()) {
            const bool answer = confirmAnswers.front();
            confirmAnswers.erase(confirmAnswers.begin());
            return answer;
        }
        return confirmAnswer;
    }
    void ShowInformation(const std::string& text) override { notes.push_back(text); }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override {
        return Answer(request);
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override {
        return Answer(request);
    }

    // Answers of the file dialogs, in order; an empty optional cancels.
    std::vector<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> warnings;
    std::vector<std::string> notes;
    std::vector<std::string> confirmations;
    bool confirmAnswer = true;         // OK
    std::vector<bool> confirmAnswers;  // answered first, in order, before confirmAnswer

    uint16_t summaryAnswer = 1;  // 1 OK, 2 Cancel, 0 closed by the window frame
    int summariesShown = 0;
    std::vector<SummaryRows> shownRows;
    std::vector<std::string> errors;
    std::vector<std::string> detailLines;
    std::vector<bool> commandsEnabled;

private:
    std::optional<std::string> Answer(const FileDialogRequest& request) {
        fileRequests.push_back(request);
        if (fileRequests.size() > fileAnswers.size())
            return std::nullopt;
        return fileAnswers[fileRequests.size() - 1];
    }
};

}  // namespace orvale::test
