// The prompts of the desktop program: the real error box, summary dialog, message boxes and file
// dialogs.
#pragma once

#include <QPointer>
#include <QStringList>
#include <memory>

#include "core/prompts.h"

class QWidget;

namespace orvale {

class TErrorBox;
class TShowDtaDlg;

class QtPrompts : public Prompts {
public:
    QtPrompts();
    ~QtPrompts() override;

    // The main window and its own boxes, once it has created them. Start-up reads files before
    // any window exists; a report then gets a box of its own.
    void Attach(QWidget* window, TErrorBox* errorBox, TShowDtaDlg* summary);

    void ShowErrorBox(const std::string& message, const std::string& line2,
                      const std::string& line3) override;
    void ShowSummaryDialog(AppState& state) override;
    void ShowWarning(const std::string& text) override;
    bool ConfirmWarning(const std::string& text) override;
    bool ConfirmDestructive(const std::string& text) override;
    bool ConfirmInformation(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    // The main window applies the enabling itself.
    void SetFlightCommandsEnabled(bool) override {}

private:
    // The window a message box or file dialog opens over.
    QWidget* Owner() const;
    TErrorBox& ErrorBox();
    TShowDtaDlg& SummaryDialog();
    std::optional<std::string> AskFileName(const FileDialogRequest& request, bool save);

    QPointer<QWidget> window_;
    QPointer<TErrorBox> errorBox_;
    QPointer<TShowDtaDlg> summary_;
    std::unique_ptr<TErrorBox> ownErrorBox_;
    std::unique_ptr<TShowDtaDlg> ownSummary_;
};

// A filter in the form "Data files|*.dat|Parameter files|*.par" as Qt's file dialog takes it:
// "Data files (*.dat)", "Parameter files (*.par)".
QStringList NameFilters(const std::string& filter);

// The application title that message boxes carry.
inline const char kApplicationTitle[] = "Vantrel Orvale";

}  // namespace orvale
