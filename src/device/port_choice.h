// The Configure Port dialog's logic: the list of ports, what a choice does to the port and what
// OK keeps in the settings. The dialog shows the list and calls these.
#pragma once

#include <string>
#include <vector>

namespace orvale {

class DeviceLink;

// "COM1" to "COM4", each standing for this system's device of that number.
std::vector<std::string> PortChoices();

// The device a list entry or a typed text stands for, as the caption beside the list shows it.
std::string ChoiceDevice(const std::string& choice);

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
