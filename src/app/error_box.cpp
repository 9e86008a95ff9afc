#include "app/error_box.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/screen_placement.h"

namespace orvale {

namespace {

constexpr int kClientWidth = 323;
constexpr int kClientHeight = 126;

QLabel* PlainLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TErrorBox::TErrorBox(QWidget* parent) : QDialog(parent) {
    setObjectName("ErrorBox");
    setWindowTitle("Error Message");

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);

    ErrorMsg = PlainLabel("ErrorMsg", "Error Message", panel);
    QFont bold = ErrorMsg->font();
    bold.setBold(true);
    ErrorMsg->setFont(bold);
    // The detail lines put a caret under one character of the line above: they need a font in
    // which every character has the same width.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Line2 = PlainLabel("Line2", " ", panel);
    Line3 = PlainLabel("Line3", " ", panel);
    Line2->setFont(fixed);
    Line3->setFont(fixed);

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(ErrorMsg);
    panelLayout->addWidget(Line2);
    panelLayout->addWidget(Line3);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setFont(bold);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
}

void TErrorBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

void TErrorBox::ShowReport(const QString& message, const QString& line2, const QString& line3) {
    const bool detail = !line2.isEmpty() || !line3.isEmpty();
    ErrorMsg->setText(message);
    if (detail) {
        Line2->setText(line2);
        Line3->setText(line3);
    }
    // A message of the full 80 characters is shown whole: the box widens rather than cutting it.
    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
    OKButton->setFocus();
    exec();
    if (detail) {
        Line2->clear();
        Line3->clear();
    }
}

}  // namespace orvale
