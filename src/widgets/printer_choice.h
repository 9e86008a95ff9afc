// The printer the program prints on, chosen in "Printer setup" (main window) or "Setup Printer"
// (graph window): one choice, owned by the main window and lent by reference to every window
// that prints, so a printer chosen in either place is the one both use.
#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace orvale {

class PrinterChoice {
public:
    PrinterChoice();
    ~PrinterChoice();
    PrinterChoice(const PrinterChoice&) = delete;
    PrinterChoice& operator=(const PrinterChoice&) = delete;

    // Made on first use: looking for printers takes time that start-up need not spend. At the
    // screen's resolution, so the graph's text keeps its size on paper and a PDF stays vector.
    QPrinter& Printer();

    // The set-up dialog: printer, its properties and the paper. Nothing is printed there, so its
    // button says OK. True when the flyer accepted it.
    bool Setup(QWidget* parent);

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace orvale
