#include "app/summary_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "core/app_state.h"
#include "widgets/printer_choice.h"
#include "widgets/screen_placement.h"

namespace orvale {

namespace {

constexpr int kClientWidth = 441;
constexpr int kClientHeight = 367;
constexpr int kTimerInterval = 3000;

// Blank rows follow these two, grouping the launch site, the events and the extremes.
bool GapAfter(SummaryRow row) {
    return row == SummaryRow::LaunchPressure || row == SummaryRow::MainFireTime;
}

}  // namespace

TShowDtaDlg::TShowDtaDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("ShowDtaDlg");
    setWindowTitle("Summary of flight");
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(10);
    rows->setVerticalSpacing(3);
    int line = 0;
    for (int i = 0; i < kSummaryRowCount; ++i) {
        const SummaryRowInfo& info = kSummaryRowInfo[i];
        auto* caption = new QLabel(info.caption, this);
        caption->setObjectName(QString(info.name) + "L");
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* value = new QLabel(info.initial, this);
        value->setObjectName(info.name);
        value->setTextFormat(Qt::PlainText);
        captions_[i] = caption;
        values_[i] = value;
        rows->addWidget(caption, line, 0);
        rows->addWidget(value, line, 1);
        ++line;
        if (GapAfter(static_cast<SummaryRow>(i)))
            rows->setRowMinimumHeight(line++, fontMetrics().height());
    }
    rows->setColumnStretch(1, 1);

    PrintBtn = new QPushButton("Print", this);
    PrintBtn->setObjectName("PrintBtn");
    PrintBtn->setToolTip("Print this page");
    PrintBtn->setStatusTip("Print this page");
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    HelpBtn = new QPushButton("Help", this);
    HelpBtn->setObjectName("HelpBtn");
    HelpBtn->setVisible(false);
    HelpBtn->setEnabled(false);
    connect(PrintBtn, &QPushButton::clicked, this, &TShowDtaDlg::PrintBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TShowDtaDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TShowDtaDlg::CancelBtnClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TShowDtaDlg::OKBtnClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PrintBtn);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void TShowDtaDlg::Fill(const SummaryRows& rows) {
    for (int i = 0; i < kSummaryRowCount; ++i)
        values_[i]->setText(QString::fromStdString(rows.text[i]));
    // Hidden in main-only flights and when the drogue never fired.
    const int drogue = static_cast<int>(SummaryRow::DrogueFireTime);
    captions_[drogue]->setVisible(rows.drogueRowVisible);
    values_[drogue]->setVisible(rows.drogueRowVisible);
}

void TShowDtaDlg::ShowModal(AppState& state) {
    state_ = &state;
    Fill(state.summaryRows);
    // Long calibration paths widen the dialog instead of being cut off.
    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
    OKBtn->setFocus();
    exec();
    state_ = nullptr;
}

void TShowDtaDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

void TShowDtaDlg::OKBtnClick() {
    if (state_)
        state_->summaryDialogResult = 1;
    accept();
}

void TShowDtaDlg::CancelBtnClick() {
    if (state_)
        state_->summaryDialogResult = 2;
    reject();
}

void TShowDtaDlg::mouseReleaseEvent(QMouseEvent* event) {
    // A click on the background, not on a row's text, is OK; a press that ends outside the
    // window is no click.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(at) && childAt(at) == nullptr)
        OKBtnClick();
}

void TShowDtaDlg::keyPressEvent(QKeyEvent* event) {
    // Escape is the Cancel button's key; only the window frame closes without an answer.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TShowDtaDlg::PrintBtnClick() {
    const QPixmap picture = grab();
    QPrinter fallback;
    QPrinter* printer = printer_ ? printer_ : choice_ ? &choice_->Printer() : &fallback;
    QPainter painter;
    if (!painter.begin(printer)) {
        QMessageBox::warning(this, "Print",
                             "No printer is available. Choose one with File > Printer setup.");
        return;
    }
    // Half the page width keeps the dialog's text at about its size on screen.
    const QRect page = painter.viewport();
    const QSize size = picture.size().scaled(page.width() / 2, page.height(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), picture);
    painter.end();
}

}  // namespace orvale
