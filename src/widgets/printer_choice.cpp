#include "widgets/printer_choice.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace orvale {

PrinterChoice::PrinterChoice() = default;
PrinterChoice::~PrinterChoice() = default;

QPrinter& PrinterChoice::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *printer_;
}

bool PrinterChoice::Setup(QWidget* parent) {
    QPrintDialog dialog(&Printer(), parent);
    dialog.setWindowTitle("Printer setup");
    // Page ranges and copies belong to a print, not to the set-up.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText("OK");
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace orvale
