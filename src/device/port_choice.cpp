#include "device/port_choice.h"

#include <algorithm>

#include "device/device_link.h"
#include "device/message_table.h"

namespace orvale {

namespace {

// Between a device's path and its name in the list. No device path holds it, so a line of the
// list always gives back its path.
constexpr char kNameDash[] = " \u2014 ";

// The number of a "COMn" entry, or 0 for anything else.
int ChoiceNumber(const std::string& choice) {
    if (choice.size() == 4 && choice.compare(0, 3, "COM") == 0 && choice[3] >= '1' &&
        choice[3] <= '4')
        return choice[3] - '0';
    return 0;
}

}  // namespace

std::vector<std::string> PortChoices() {
    return {"COM1", "COM2", "COM3", "COM4"};
}

std::string ChoiceDevice(const std::string& choice) {
    const int number = ChoiceNumber(choice);
    return number > 0 ? PortDeviceName(number, {}) : choice;
}

std::string DeviceText(const SerialDevice& device) {
    const std::string& name = device.description.empty() ? device.manufacturer : device.description;
    return name.empty() ? device.location : device.location + kNameDash + name;
}

void SortForList(std::vector<SerialDevice>& devices) {
    // USB adapters first: they are what a flyer plugs in for the recorder.
    std::stable_sort(devices.begin(), devices.end(),
                     [](const SerialDevice& a, const SerialDevice& b) {
                         if (a.usb != b.usb)
                             return a.usb;
                         return NaturalLess(a.location, b.location);
                     });
}

std::vector<PortEntry> PortEntries(const std::vector<SerialDevice>& devices,
                                   const std::string& current) {
    std::vector<SerialDevice> sorted = devices;
    SortForList(sorted);
    std::vector<PortEntry> entries;
    const auto listed = [&](const std::string& choice) {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const PortEntry& e) { return e.choice == choice; });
    };
    const auto add = [&](const SerialDevice& d) {
        if (!listed(d.location))
            entries.push_back({d.location, DeviceText(d), d.manufacturer});
    };
    for (const SerialDevice& d : sorted)
        if (d.usb)
            add(d);
    std::vector<std::string> numbered;
    for (const std::string& choice : PortChoices()) {
        entries.push_back({choice, choice, {}});
        numbered.push_back(ChoiceDevice(choice));
    }
    for (const SerialDevice& d : sorted)
        if (!d.usb && std::find(numbered.begin(), numbered.end(), d.location) == numbered.end())
            add(d);
    if (!current.empty() && !listed(current))
        entries.push_back({current, current, {}});
    return entries;
}

std::string ChoiceFromText(const std::string& text) {
    std::string choice = text.substr(0, text.find(kNameDash));
    const char* spaces = " \t\r\n";
    const size_t first = choice.find_first_not_of(spaces);
    if (first == std::string::npos)
        return {};
    return choice.substr(first, choice.find_last_not_of(spaces) - first + 1);
}

std::string PortChoice::Show() {
    AppState& state = link_.state();
    SerialPort& port = link_.port();
    port.SetPort(state.settings.port, state.device.deviceName);
    Settings& s = state.settings;
    if (s.baud <= 20)
        s.baud = port.BaudRate();
    else
        port.SetBaudRate(s.baud);
    if (!state.device.deviceName.empty())
        return state.device.deviceName;
    return ChoiceNumber("COM" + std::to_string(s.port)) > 0 ? "COM" + std::to_string(s.port)
                                                            : std::string();
}

void PortChoice::Select(const std::string& text) {
    if (text.empty())
        return;
    SerialPort& port = link_.port();
    const int number = ChoiceNumber(text);
    try {
        if (number > 0)
            port.SetPort(number, {});
        else
            port.SetPort(port.PortNumber(), text);
        port.Open();
    } catch (const std::exception& e) {
        link_.RaiseDeviceError(msg::kPortError, e.what());
    }
}

void PortChoice::Accept() {
    AppState& state = link_.state();
    state.settings.port = link_.port().PortNumber();
    state.device.deviceName = link_.port().DeviceName();
}

}  // namespace orvale
