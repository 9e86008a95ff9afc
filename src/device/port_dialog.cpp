#include "device/port_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include "device/device_link.h"
#include "device/port_choice.h"
#include "widgets/command_guard.h"
#include "widgets/screen_placement.h"

namespace orvale {

TconfgDAUForm::TconfgDAUForm(DeviceLink& link, Prompts& prompts, QWidget* parent)
    : QDialog(parent), link_(link), prompts_(prompts) {
    setObjectName("confgDAUForm");
    setWindowTitle("Configure Port");

    auto* group = new QGroupBox("Communication Options", this);
    group->setObjectName("GroupBox1");
    auto* label = new QLabel("Comm Port:", group);
    label->setObjectName("Label1");
    ComboBox1 = new QComboBox(group);
    ComboBox1->setObjectName("ComboBox1");
    // A device that is not in the list (a USB adapter that came later, tavix-sim's line) can be
    // typed in.
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumContentsLength(18);
    label->setBuddy(ComboBox1);
    DeviceLabel = new QLabel(group);
    DeviceLabel->setObjectName("DeviceLabel");
    DeviceLabel->setTextFormat(Qt::PlainText);
    auto* grid = new QGridLayout(group);
    grid->addWidget(label, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(DeviceLabel, 1, 1);
    connect(ComboBox1, &QComboBox::textActivated, this, &TconfgDAUForm::ComboBox1Change);
    connect(ComboBox1, &QComboBox::editTextChanged, this, [this](const QString& text) {
        DeviceLabel->setText(QString::fromStdString(ChoiceDevice(text.trimmed().toStdString())));
    });

    OKbtn = new QPushButton("OK", this);
    OKbtn->setObjectName("OKbtn");
    OKbtn->setDefault(true);
    connect(OKbtn, &QPushButton::clicked, this, &TconfgDAUForm::OKbtnClick);
    BitBtn1 = new QPushButton("Cancel", this);
    BitBtn1->setObjectName("BitBtn1");
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKbtn);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TconfgDAUForm::FillList(const QString& current) {
    QStringList entries;
    QStringList numbered;  // the devices the COM entries stand for
    for (const std::string& choice : PortChoices()) {
        entries << QString::fromStdString(choice);
        numbered << QString::fromStdString(ChoiceDevice(choice));
    }
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    devices.sort();
    for (const QString& device : devices)
        if (!numbered.contains(device) && !entries.contains(device))
            entries << device;
    if (!current.isEmpty() && !entries.contains(current))
        entries << current;
    ComboBox1->clear();
    ComboBox1->addItems(entries);
}

void TconfgDAUForm::showEvent(QShowEvent* event) {
    QString current;
    RunCommand(prompts_, [&] { current = QString::fromStdString(PortChoice(link_).Show()); });
    FillList(current);
    const int index = ComboBox1->findText(current);
    ComboBox1->setCurrentIndex(index);
    if (index < 0)
        ComboBox1->setEditText(current);
    DeviceLabel->setText(QString::fromStdString(ChoiceDevice(current.toStdString())));
    tried_ = current;
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

bool TconfgDAUForm::Choose(const QString& text) {
    const QString choice = text.trimmed();
    if (choice.isEmpty())
        return true;
    tried_ = choice;
    return RunCommand(prompts_, [&] { PortChoice(link_).Select(choice.toStdString()); });
}

void TconfgDAUForm::ComboBox1Change(const QString& text) {
    Choose(text);
}

void TconfgDAUForm::OKbtnClick() {
    // A device typed but not yet tried is tried now, so its failure is reported too. Either way
    // the choice is kept: a flyer may set the port up before the adapter is plugged in.
    const QString typed = ComboBox1->currentText().trimmed();
    if (typed != tried_)
        Choose(typed);
    PortChoice(link_).Accept();
    accept();
}

}  // namespace orvale
