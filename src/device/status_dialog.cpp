#include "device/status_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/screen_placement.h"

namespace orvale {

TStatusDlg::TStatusDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName("StatusDlg");
    setWindowTitle("Communication Status");
    setModal(false);

    StatusLine = new QLabel("Initializing...", this);
    StatusLine->setObjectName("StatusLine");
    StatusLine->setTextFormat(Qt::PlainText);
    QFont bold = StatusLine->font();
    bold.setBold(true);
    StatusLine->setFont(bold);
    StatusLine->setMinimumWidth(260);

    ProgressMeter = new QProgressBar(this);
    ProgressMeter->setObjectName("ProgressMeter");
    ProgressMeter->setRange(0, 100);
    ProgressMeter->setValue(0);
    ProgressMeter->setTextVisible(true);
    ProgressMeter->setAlignment(Qt::AlignCenter);
    // Blue whatever the style's own colour; text over it stays readable. The bar's background
    // is white on any desktop, so its text is black too: a dark theme's light text would vanish.
    ProgressMeter->setStyleSheet(
        "QProgressBar { border: 1px solid #808080; background: white; color: black; "
        "text-align: center; }"
        "QProgressBar::chunk { background-color: #4f86f7; }");

    Button1 = new QPushButton(kCancelCaption, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TStatusDlg::ButtonPressed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StatusLine);
    layout->addWidget(ProgressMeter);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TStatusDlg::SetMeter(unsigned percent) {
    ProgressMeter->setValue(static_cast<int>(std::min(percent, 100u)));
}

void TStatusDlg::SetButtonCaption(const std::string& caption) {
    Button1->setText(QString::fromStdString(caption));
}

void TStatusDlg::SetStatusLine(const std::string& text) {
    StatusLine->setText(QString::fromStdString(text));
}

void TStatusDlg::Show() {
    show();
    raise();
}

void TStatusDlg::Hide() {
    hide();
}

void TStatusDlg::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

void TStatusDlg::reject() {
    Button1->click();
}

void TStatusDlg::closeEvent(QCloseEvent* event) {
    // Only the link hides the dialog; a window manager's close request is the button.
    if (!isVisible()) {
        event->accept();
        return;
    }
    event->ignore();
    Button1->click();
}

}  // namespace orvale
