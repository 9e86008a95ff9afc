#include "device/calibration_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/app_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "device/device_link.h"
#include "files/calibration_file.h"
#include "widgets/command_guard.h"
#include "widgets/entry_fields.h"
#include "widgets/screen_placement.h"

namespace orvale {

namespace {

enum class Access { Editable, ReadOnly, Disabled };

struct FieldDef {
    const char* name;
    const char* label;
    const char* hint;
    float CalibrationData::*value;
    int wholeDigits;  // the mask's digits before the point; four follow it
    Access access;
};

// In the calibration file's order.
const std::array<FieldDef, TCalDlg::kFields> kFieldDefs{{
    {"ActAltE", "Actual Altitude:", "Enter Actual Altitude", &CalibrationData::actalt, 5,
     Access::Editable},
    {"ActBPE", "Standard Barometric Pressure:", "Enter Actual Barometric Pressure",
     &CalibrationData::actbp, 4, Access::Disabled},
    {"AvgBPE", "Tavix Pressure Average:", "Average Pressure read from Tavix",
     &CalibrationData::avgbp, 3, Access::Editable},
    {"StdBPE", "Tavix Pressure Std Dev:", "Standard Deviation of Pressure data read from Tavix",
     &CalibrationData::stdbp, 3, Access::ReadOnly},
    {"OffBPE", "Barometric Pressure Offset:", "Enter Barometric Pressure Offset Value",
     &CalibrationData::offbp, 3, Access::Editable},
    {"GainBPE", "Barometric Pressure Gain:", "Enter Barometric Pressure Gain Factor",
     &CalibrationData::gainbp, 3, Access::Editable},
    {"AvgM1GE", "Minus One Gee Avg:", "Average -1 Gee reading from Tavix",
     &CalibrationData::avgMinus1g, 3, Access::Editable},
    {"StdM1GE", "Minus One Gee Std Dev:", "Standard Deviation of Gee data read from Tavix",
     &CalibrationData::stdMinus1g, 3, Access::ReadOnly},
    {"Fid0E", "Finite Difference on [ -1, 0 ]:", "Finite Difference from -1 Gee to 0 Gee",
     &CalibrationData::fid0, 3, Access::ReadOnly},
    {"Avg0GE", "Zero Gee Avg:", "Average Zero Gee read from Tavix", &CalibrationData::avg0g, 3,
     Access::Editable},
    {"Std0GE", "Zero Gee Std Dev:", "Standard Deviation of Gee data read from Tavix",
     &CalibrationData::std0g, 3, Access::ReadOnly},
    {"Fid1E", "Finite Difference on [ 0, 1 ]:", "Finite Difference from 0 Gee to +1 Gee",
     &CalibrationData::fid1, 3, Access::ReadOnly},
    {"AvgP1GE", "Plus One Gee Avg:", "Average +1 Gee read from Tavix", &CalibrationData::avgPlus1g,
     3, Access::Editable},
    {"Std1GE", "Plus One Gee Std Dev:", "Standard Deviation of Gee data read from Tavix",
     &CalibrationData::stdPlus1g, 3, Access::ReadOnly},
    {"SlopeE", "Slope of Tavix Output per G:", "Slope of Gee readings per Gee",
     &CalibrationData::dodg, 3, Access::Editable},
    {"Y0E", "Y-Intercept of Tavix Output:", "Y Intercept of Gee Readings", &CalibrationData::y0, 3,
     Access::Editable},
    {"CCoffE", "Correlation Coefficient", "This should be greater than 0.9",
     &CalibrationData::ccoff, 3, Access::ReadOnly},
}};

// Fields by what a step changes.
constexpr int kAvgBP = 2, kStdBP = 3, kAvgM1G = 6, kStdM1G = 7, kFid0 = 8, kAvg0G = 9, kStd0G = 10,
              kFid1 = 11, kAvgP1G = 12, kStdP1G = 13, kSlope = 14, kY0 = 15, kCCoff = 16;
// The fields left of the reading buttons: the site and the barometer.
constexpr int kPressureFields = 6;

QLineEdit* NumberField(const FieldDef& def, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(def.name);
    field->setToolTip(def.hint);
    field->setStatusTip(def.hint);
    field->setAlignment(Qt::AlignRight);
    const QString pattern = QString("\\s*[-+]?\\d{0,%1}(\\.\\d{0,4})?\\s*").arg(def.wholeDigits);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
    // Room for the mask's digits, a sign and the point.
    field->setMinimumWidth(
        field->fontMetrics().horizontalAdvance(QString(def.wholeDigits + 7, '0')));
    if (def.access == Access::ReadOnly) {
        field->setReadOnly(true);
        // Results look it: the window's colour behind them, not an entry field's.
        QPalette look = field->palette();
        look.setColor(QPalette::Base, look.color(QPalette::Window));
        field->setPalette(look);
        // Its text can still be selected with the mouse, but Tab passes it by.
        field->setFocusPolicy(Qt::ClickFocus);
    } else if (def.access == Access::Disabled) {
        field->setEnabled(false);
    }
    return field;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TCalDlg::TCalDlg(DeviceLink& link, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(link.state()), link_(link), prompts_(prompts) {
    setObjectName("CalDlg");
    setWindowTitle("Calibrate Tavix");

    auto* pressureBox = new QGroupBox("Site and barometer", this);
    auto* geeBox = new QGroupBox("Accelerometer", this);
    auto* pressureGrid = new QGridLayout(pressureBox);
    auto* geeGrid = new QGridLayout(geeBox);
    for (int i = 0; i < kFields; ++i) {
        const FieldDef& def = kFieldDefs[static_cast<size_t>(i)];
        QWidget* box = i < kPressureFields ? pressureBox : geeBox;
        QGridLayout* grid = i < kPressureFields ? pressureGrid : geeGrid;
        const int row = i < kPressureFields ? i : i - kPressureFields;
        auto* label = new QLabel(def.label, box);
        label->setObjectName(QString(def.name).chopped(1) + "L");
        QLineEdit* field = NumberField(def, box);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        Fields[static_cast<size_t>(i)] = field;
    }

    ReadBP = Button("ReadBP", "Read Barometric Pressure", this);
    ReadM1gBtn = Button("ReadM1gBtn", "Read Minus One Gee", this);
    Read0GBtn = Button("Read0GBtn", "Read Zero Gee", this);
    ReadP1GBtn = Button("ReadP1GBtn", "Read Plus One Gee", this);
    BitBtn1 = Button("BitBtn1", "Calibrate", this);
    BitBtn1->setToolTip("Do full Tavix calibration");
    BitBtn1->setStatusTip("Do full Tavix calibration");
    connect(ReadBP, &QPushButton::clicked, this,
            [this] { ReadClick(CalibrationReading::Pressure); });
    connect(ReadM1gBtn, &QPushButton::clicked, this,
            [this] { ReadClick(CalibrationReading::MinusOneGee); });
    connect(Read0GBtn, &QPushButton::clicked, this,
            [this] { ReadClick(CalibrationReading::ZeroGee); });
    connect(ReadP1GBtn, &QPushButton::clicked, this,
            [this] { ReadClick(CalibrationReading::PlusOneGee); });
    connect(BitBtn1, &QPushButton::clicked, this, &TCalDlg::BitBtn1Click);

    auto* calFileL = new QLabel("Calibration File:", this);
    calFileL->setObjectName("CalFileL");
    CalFileE = new QLineEdit(this);
    CalFileE->setObjectName("CalFileE");
    CalFileE->setToolTip("Calibration File Name");
    CalFileE->setStatusTip("Calibration File Name");
    // A path, like every calibration file path the program keeps.
    CalFileE->setMaxLength(kPathLimit);
    calFileL->setBuddy(CalFileE);

    OKBtn = Button("OKBtn", "OK", this);
    OKBtn->setDefault(true);
    CancelBtn = Button("CancelBtn", "Cancel", this);
    HelpBtn = Button("HelpBtn", "Help", this);
    HelpBtn->setEnabled(false);
    HelpBtn->hide();
    connect(OKBtn, &QPushButton::clicked, this, &TCalDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TCalDlg::reject);

    auto* readings = new QVBoxLayout;
    readings->addWidget(ReadBP);
    readings->addStretch(1);
    readings->addWidget(ReadM1gBtn);
    readings->addWidget(Read0GBtn);
    readings->addWidget(ReadP1GBtn);
    readings->addStretch(1);
    readings->addWidget(BitBtn1);
    auto* left = new QVBoxLayout;
    left->addWidget(pressureBox);
    left->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(geeBox);
    columns->addLayout(readings);
    auto* file = new QHBoxLayout;
    file->addWidget(calFileL);
    file->addWidget(CalFileE, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(file);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab walks the editable fields down the barometer, then the accelerometer, then the file.
    QWidget* previous = nullptr;
    for (QLineEdit* field : Fields) {
        if (field->focusPolicy() != Qt::StrongFocus || !field->isEnabled())
            continue;
        if (previous)
            setTabOrder(previous, field);
        previous = field;
    }
    setTabOrder(previous, CalFileE);
    previous = CalFileE;
    for (QWidget* next : std::initializer_list<QWidget*>{ReadBP, ReadM1gBtn, Read0GBtn, ReadP1GBtn,
                                                         BitBtn1, OKBtn, CancelBtn}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

QLineEdit* TCalDlg::Field(const char* name) const {
    for (size_t i = 0; i < Fields.size(); ++i)
        if (QString(kFieldDefs[i].name) == name)
            return Fields[i];
    return nullptr;
}

void TCalDlg::ShowField(int index) {
    const size_t i = static_cast<size_t>(index);
    const float value = state_.calibration.*kFieldDefs[i].value;
    shownValue_[i] = value;
    shownText_[i] = QString::fromStdString(Fixed(value, 1, 4));
    Fields[i]->setText(shownText_[i]);
    Fields[i]->setCursorPosition(0);
}

void TCalDlg::ShowStep(CalibrationReading step) {
    switch (step) {
        case CalibrationReading::Pressure:
            ShowField(kAvgBP);
            ShowField(kStdBP);
            return;
        case CalibrationReading::MinusOneGee:
            ShowField(kAvgM1G);
            ShowField(kStdM1G);
            break;
        case CalibrationReading::ZeroGee:
            ShowField(kAvg0G);
            ShowField(kStd0G);
            break;
        case CalibrationReading::PlusOneGee:
            ShowField(kAvgP1G);
            ShowField(kStdP1G);
            break;
    }
    for (int fitted : {kFid0, kFid1, kSlope, kY0, kCCoff})
        ShowField(fitted);
}

void TCalDlg::showEvent(QShowEvent* event) {
    CalFileE->setText(QString::fromStdString(state_.flight.calibrationFile));
    for (int i = 0; i < kFields; ++i)
        ShowField(i);
    CentreOnScreen(*this);
    QDialog::showEvent(event);
    OKBtn->setFocus();
}

void TCalDlg::SetButtonsEnabled(bool on) {
    for (QPushButton* b : {ReadBP, ReadM1gBtn, Read0GBtn, ReadP1GBtn, BitBtn1, OKBtn})
        b->setEnabled(on);
}

void TCalDlg::ReadClick(CalibrationReading step) {
    // The readings wait in an event loop, where these buttons still work: one at a time.
    if (link_.Busy())
        return;
    SetButtonsEnabled(false);
    RunCommand(prompts_, [&] {
        if (RunCalibrationReading(link_, prompts_, step))
            ShowStep(step);
    });
    SetButtonsEnabled(true);
    repaint();
}

void TCalDlg::BitBtn1Click() {
    if (link_.Busy())
        return;
    SetButtonsEnabled(false);
    RunCommand(prompts_, [&] {
        RunFullCalibration(link_, prompts_, [this](CalibrationReading step) {
            ShowStep(step);
            repaint();
        });
    });
    SetButtonsEnabled(true);
    repaint();
}

void TCalDlg::OKBtnClick() {
    if (link_.Busy())
        return;
    std::array<float, kFields> values{};
    for (size_t i = 0; i < Fields.size(); ++i) {
        const QString text = Fields[i]->text();
        if (text == shownText_[i]) {
            values[i] = shownValue_[i];
            continue;
        }
        const std::optional<double> typed = ParseDecimal(text.trimmed().toStdString());
        if (!typed) {
            QString label = kFieldDefs[i].label;
            if (label.endsWith(':'))
                label.chop(1);
            prompts_.ShowWarning(label.toStdString() +
                                 " must be a number with up to four decimals, such as 12.5.");
            Fields[i]->setFocus();
            Fields[i]->selectAll();
            return;
        }
        values[i] = static_cast<float>(*typed);
    }
    const std::string file = CutText(CalFileE->text().toStdString(), kPathLimit);
    state_.flight.calibrationFile = file;
    state_.calibrationFilePath = file;
    for (size_t i = 0; i < Fields.size(); ++i)
        state_.calibration.*kFieldDefs[i].value = values[i];
    accept();
}

void TCalDlg::reject() {
    if (link_.Busy()) {
        link_.Cancel();
        return;
    }
    RunCommand(prompts_, [this] { ReadCalibrationFile(state_, prompts_); });
    QDialog::reject();
}

}  // namespace orvale
