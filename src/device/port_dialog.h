// "Configure Port": the flyer picks the serial port the Tavix is on. A choice opens the port at
// once, so a port that cannot be opened is reported before OK; OK keeps the choice in the
// settings.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "device/serial_devices.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace orvale {

class DeviceLink;
class Prompts;

class TconfgDAUForm : public QDialog {
    Q_OBJECT
public:
    TconfgDAUForm(DeviceLink& link, Prompts& prompts, QWidget* parent = nullptr);

    QComboBox* ComboBox1;
    QLabel* DeviceLabel;
    QPushButton* OKbtn;
    QPushButton* BitBtn1;

    // The serial devices the list offers, asked each time the dialog shows: the kernel's list
    // joined with Qt's. The tests put in adapters of their own.
    std::function<std::vector<SerialDevice>()> listDevices;

public Q_SLOTS:
    void ComboBox1Change(const QString& text);
    void OKbtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The list: USB adapters, COM1 to COM4, the other serial devices this system reports, and
    // the Device setting. Each line holds the choice it stands for.
    void FillList(const QString& current);
    // The device a text in the box stands for, and its maker when the list knows it.
    void ShowDevice(const QString& text);
    // Sets the port to text and opens it; false (with the message shown) when it cannot be
    // opened. The port keeps the choice either way.
    bool Choose(const QString& text);

    DeviceLink& link_;
    Prompts& prompts_;
    QString tried_;  // the text last chosen, so OK tries a typed device only once
};

}  // namespace orvale
