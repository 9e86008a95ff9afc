// The serial devices this machine has, as the kernel lists them: each tty with hardware behind
// it, and for a USB adapter the product and maker it reports. Read without Qt, so that the
// command-line tool and the desktop program list the same ports.
#pragma once

#include <string>
#include <vector>

namespace orvale {

struct SerialDevice {
    std::string location;      // the device path: /dev/ttyUSB0
    std::string description;   // what the device calls itself: "FT232R USB UART"
    std::string manufacturer;  // its maker: "FTDI"
    bool usb = false;          // a USB adapter (or a recorder with its own USB port)
};

// The ttys under classRoot (the kernel's /sys/class/tty) that have a device behind them, named
// under devRoot, in natural order (ttyUSB2 before ttyUSB10). The legacy serial ports the kernel
// always lists are left out when no chip answers there. A folder that cannot be read gives an
// empty list: having no ports is not an error.
std::vector<SerialDevice> ReadSerialDevices(const std::string& classRoot = "/sys/class/tty",
                                            const std::string& devRoot = "/dev");

// Adds the devices of more that devices does not have, and fills in a description or maker that
// devices lacks, so that two ways of asking the system give one list.
void MergeSerialDevices(std::vector<SerialDevice>& devices, const std::vector<SerialDevice>& more);

// "a2" before "a10": digit runs compare by their value.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace orvale
