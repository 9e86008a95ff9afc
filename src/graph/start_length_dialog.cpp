#include "graph/start_length_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "widgets/command_guard.h"
#include "widgets/entry_fields.h"
#include "widgets/screen_placement.h"
#include "widgets/seconds_field.h"

namespace orvale {

namespace {

constexpr int kClientWidth = 196;
constexpr int kClientHeight = 174;

}  // namespace

TStartForm::TStartForm(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
    setObjectName("StartForm");
    setWindowTitle("Set Start and Length");

    StartField = SecondsField("StartField", "Enter Start Time", 5, false, this);
    LengthField = SecondsField("LengthField", "Enter Length of Time to Graph", 6, false, this);
    StartLabel = new QLabel("Start Time", this);
    StartLabel->setObjectName("StartLabel");
    StartLabel->setBuddy(StartField);
    LengthLabel = new QLabel("Length", this);
    LengthLabel->setObjectName("LengthLabel");
    LengthLabel->setBuddy(LengthField);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    HelpBtn = new QPushButton("Help", this);
    HelpBtn->setObjectName("HelpBtn");
    HelpBtn->setVisible(false);
    connect(OKBtn, &QPushButton::clicked, this, &TStartForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(StartLabel, 0, 0);
    fields->addWidget(StartField, 1, 0);
    fields->addWidget(LengthLabel, 2, 0);
    fields->addWidget(LengthField, 3, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(sizeHint()));
}

void TStartForm::showEvent(QShowEvent* event) {
    StartLabel->setText("Start Time");
    StartField->setText(SecondsText(state_.current().graphStart));
    LengthField->setText(SecondsText(state_.current().graphLength));
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    StartField->setFocus();
    StartField->selectAll();
}

void TStartForm::OKBtnClick() {
    const auto start = ParseDecimal(StartField->text().toStdString());
    const auto length = ParseDecimal(LengthField->text().toStdString());
    QLineEdit* refused = !start ? StartField : !length ? LengthField : nullptr;
    if (refused) {
        // The dialog stays open with what was typed, to be put right.
        prompts_.ShowWarning(refused == StartField
                                 ? "Start Time must be a number of seconds, such as 1.5."
                                 : "Length must be a number of seconds, such as 12.25.");
        refused->setFocus();
        refused->selectAll();
        return;
    }
    RunCommand(prompts_, [&] {
        // The graph works in single precision, as the fields' values are kept.
        SetGraphStart(state_, prompts_, false, static_cast<float>(*start));
        SetGraphLength(state_, prompts_, false, static_cast<float>(*length));
    });
    accept();
}

}  // namespace orvale
