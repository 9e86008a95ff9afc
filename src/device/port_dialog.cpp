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

namespace {

// Where a line of the list keeps its device's maker (the line's own data is its choice).
constexpr int kMakerRole = Qt::UserRole + 1;

// What the system reports: the kernel's own list, with what Qt finds besides (on a system
// without it, Qt's alone).
std::vector<SerialDevice> SystemSerialDevices() {
    std::vector<SerialDevice> devices = ReadSerialDevices();
    std::vector<SerialDevice> qt;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        qt.push_back({info.systemLocation().toStdString(), info.description().toStdString(),
                      info.manufacturer().toStdString(), info.hasVendorIdentifier()});
    }
    MergeSerialDevices(devices, qt);
    return devices;
}

}  // namespace

TconfgDAUForm::TconfgDAUForm(DeviceLink& link, Prompts& prompts, QWidget* parent)
    : QDialog(parent), listDevices(SystemSerialDevices), link_(link), prompts_(prompts) {
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
    // A line naming an adapter is longer than a path: the list opens as wide as it needs.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(ComboBox1);
    DeviceLabel = new QLabel(group);
    DeviceLabel->setObjectName("DeviceLabel");
    DeviceLabel->setTextFormat(Qt::PlainText);
    auto* grid = new QGridLayout(group);
    grid->addWidget(label, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(DeviceLabel, 1, 1);
    connect(ComboBox1, &QComboBox::textActivated, this, &TconfgDAUForm::ComboBox1Change);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TconfgDAUForm::ShowDevice);

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
    ComboBox1->clear();
    const std::vector<SerialDevice> devices = listDevices ? listDevices() : SystemSerialDevices();
    for (const PortEntry& entry : PortEntries(devices, current.toStdString())) {
        ComboBox1->addItem(QString::fromStdString(entry.text),
                           QString::fromStdString(entry.choice));
        const int index = ComboBox1->count() - 1;
        const QString maker = QString::fromStdString(entry.maker);
        if (!maker.isEmpty()) {
            ComboBox1->setItemData(index, maker, kMakerRole);
            ComboBox1->setItemData(index, "Made by " + maker, Qt::ToolTipRole);
        }
    }
}

void TconfgDAUForm::ShowDevice(const QString& text) {
    const std::string choice = ChoiceFromText(text.toStdString());
    QString shown = QString::fromStdString(ChoiceDevice(choice));
    const int index = ComboBox1->findData(QString::fromStdString(choice));
    const QString maker =
        index >= 0 ? ComboBox1->itemData(index, kMakerRole).toString() : QString();
    if (!maker.isEmpty())
        shown += " (" + maker + ")";
    DeviceLabel->setText(shown);
}

void TconfgDAUForm::showEvent(QShowEvent* event) {
    QString current;
    RunCommand(prompts_, [&] { current = QString::fromStdString(PortChoice(link_).Show()); });
    FillList(current);
    const int index = ComboBox1->findData(current);
    ComboBox1->setCurrentIndex(index);
    if (index < 0)
        ComboBox1->setEditText(current);
    ShowDevice(ComboBox1->currentText());
    tried_ = current;
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

bool TconfgDAUForm::Choose(const QString& text) {
    const QString choice = QString::fromStdString(ChoiceFromText(text.toStdString()));
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
    const QString typed =
        QString::fromStdString(ChoiceFromText(ComboBox1->currentText().toStdString()));
    if (typed != tried_)
        Choose(typed);
    PortChoice(link_).Accept();
    accept();
}

}  // namespace orvale
