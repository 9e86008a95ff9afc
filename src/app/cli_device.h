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
