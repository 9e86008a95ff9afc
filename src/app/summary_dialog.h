// The "Summary of flight" dialog: the rows the summary pass filled, OK / Cancel for the load that
// showed it, and Print. Created once; it shows whatever rows the program state holds.
#pragma once

#include <QDialog>
#include <array>

#include "core/summary_rows.h"

class QLabel;
class QPrinter;
class QPushButton;
class QTimer;

namespace orvale {

struct AppState;
class PrinterChoice;

class TShowDtaDlg : public QDialog {
    Q_OBJECT
public:
    explicit TShowDtaDlg(QWidget* parent = nullptr);

    // Shows the rows modally. OK (also a click on the background, and the timer) sets the
    // state's summary dialog result to 1, Cancel to 2; closing by the window frame leaves it.
    void ShowModal(AppState& state);

    // Print uses this printer (the one chosen in "Printer setup"); without one, the default.
    void SetPrinter(QPrinter* printer) { printer_ = printer; }
    // Without a printer of its own, Print uses the program's printer choice.
    void SetPrinterChoice(PrinterChoice* choice) { choice_ = choice; }

    // Puts the rows into the labels without showing the dialog.
    void Fill(const SummaryRows& rows);

    QLabel* ValueLabel(SummaryRow row) const { return values_[static_cast<int>(row)]; }

    QPushButton* PrintBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    // Bound to OK and never started: the summary stays until the flyer has read it.
    QTimer* Timer1;

public Q_SLOTS:
    void OKBtnClick();
    void CancelBtnClick();
    void PrintBtnClick();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppState* state_ = nullptr;
    QPrinter* printer_ = nullptr;
    PrinterChoice* choice_ = nullptr;
    std::array<QLabel*, kSummaryRowCount> captions_{};
    std::array<QLabel*, kSummaryRowCount> values_{};
};

}  // namespace orvale
