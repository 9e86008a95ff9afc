#include "device/port_choice.h"

#include "device/device_link.h"
#include "device/message_table.h"

namespace orvale {

namespace {

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
