// The Configure Port dialog's logic: the list of ports, what a choice does to the port and what
// OK keeps in the settings. The dialog shows the list and calls these.
#pragma once

#include <string>
#include <vector>

#include "device/serial_devices.h"

namespace orvale {

class DeviceLink;

// "COM1" to "COM4", each standing for this system's device of that number.
std::vector<std::string> PortChoices();

// The device a list entry or a typed text stands for, as the caption beside the list shows it.
std::string ChoiceDevice(const std::string& choice);

// One line of the port list.
struct PortEntry {
    std::string choice;  // what choosing it sets: "COM2" or a device path
    std::string text;    // what the list shows: "/dev/ttyUSB0 — FT232R USB UART"
    std::string maker;   // the device's maker, shown beside the list; may be empty
};

// How a device is shown: its path, and what it calls itself (else its maker) after a dash.
std::string DeviceText(const SerialDevice& device);

// USB adapters first, then the others, each group in natural order of its paths.
void SortForList(std::vector<SerialDevice>& devices);

// The list: USB adapters first, then COM1 to COM4, then the other serial devices reported
// (those COM1 to COM4 stand for are not listed twice), then current (the Device setting) when
// it is none of these.
std::vector<PortEntry> PortEntries(const std::vector<SerialDevice>& devices,
                                   const std::string& current);

// The choice a text in the box stands for: a list line gives its device, anything else is taken
// as typed, without the spaces around it.
std::string ChoiceFromText(const std::string& text);

class PortChoice {
public:
    explicit PortChoice(DeviceLink& link) : link_(link) {}

    // On show: sets the port from the settings and applies the baud rule of OpenPort. Returns
    // the text the list should show: "COMn", or the Device setting when one is set.
    std::string Show();
    // A new selection: "COM1".."COM4", or a typed device path. The port is set and opened at
    // once; any failure raises EDeviceCommError "Comm Port Error..." with the system's reason.
    // The dialog must catch it in its handler (no exception may cross the event loop).
    void Select(const std::string& text);
    // OK: the port's number and device become the settings (written at exit).
    void Accept();

private:
    DeviceLink& link_;
};

}  // namespace orvale
