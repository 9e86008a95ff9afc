// The command-line tool's recorder commands: capture, clear, deploy, sensors, live and ports.
// They talk to the recorder over a termios device with the same protocol code as the desktop
// program.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "device/serial_devices.h"

namespace orvale {

// The recorder commands' lines of the tool's usage text, and what follows them.
inline constexpr char kDeviceUsage[] =
    "       orvale-cli capture --port DEVICE [--baud N] [--dir DIR] NAME\n"
    "       orvale-cli clear --port DEVICE [--baud N]\n"
    "       orvale-cli deploy low|med|high --port DEVICE [--baud N]\n"
    "       orvale-cli sensors --port DEVICE [--baud N] [--json]\n"
    "       orvale-cli live --port DEVICE [--baud N] [--seconds S]\n"
    "       orvale-cli ports\n";
inline constexpr char kDeviceNotes[] =
    "DEVICE is a device path (/dev/ttyUSB0) or a port number 1-4 (/dev/ttyS0-3).\n"
    "Ctrl-C cancels a transfer.\n";

bool IsDeviceCommand(const std::string& name);

// `orvale-cli ports`: the serial devices, USB adapters first, one a line as Configure Port
// shows them, with the maker in brackets. None found is said on err; the status is 0 either way.
int ListPorts(std::vector<SerialDevice> devices, std::ostream& out, std::ostream& err);

// Runs `orvale-cli COMMAND ARGS...` for a device command; returns the exit status: 0 done,
// 1 the recorder, the port or a file failed (the message is on err), 2 bad usage. Progress goes
// to err, results to out. The tests pass short time-outs.
int RunDeviceCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory, const DeviceTimeouts& timeouts = {});

}  // namespace orvale
