// The command-line tool's recorder commands: capture, clear, deploy, sensors and live. They talk
// to the recorder over a termios device with the same protocol code as the desktop program.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "device/device_link.h"

namespace orvale {

bool IsDeviceCommand(const std::string& name);

// Runs `orvale-cli COMMAND ARGS...` for a device command; returns the exit status: 0 done,
// 1 the recorder, the port or a file failed (the message is on err), 2 bad usage. Progress goes
// to err, results to out. The tests pass short time-outs.
int RunDeviceCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory, const DeviceTimeouts& timeouts = {});

}  // namespace orvale
