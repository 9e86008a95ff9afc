// "Communication Status": what the link is doing, how far a transfer has got, and the button
// that cancels it. It never blocks the main window and stays above it while the recorder talks.
#pragma once

#include <QDialog>

#include "device/status_display.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvale {

class TStatusDlg : public QDialog, public StatusDisplay {
    Q_OBJECT
public:
    explicit TStatusDlg(QWidget* parent = nullptr);

    void SetMeter(unsigned percent) override;
    void SetButtonCaption(const std::string& caption) override;
    void SetStatusLine(const std::string& text) override;
    void Show() override;
    void Hide() override;
    bool IsShowing() const override { return isVisible(); }

    QLabel* StatusLine;
    QProgressBar* ProgressMeter;
    QPushButton* Button1;

Q_SIGNALS:
    // The link decides what the button means: cancel while it reads "&Cancel".
    void ButtonPressed();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape is the button, like a click; the frame has no close box to press.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace orvale
