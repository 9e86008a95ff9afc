#include "device/serial_devices.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace orvale {

namespace {

namespace fs = std::filesystem;

// How far above a tty's device the USB device with its descriptors may sit: a USB-serial
// converter's tty hangs below its interface, which hangs below the device.
constexpr int kUsbLevels = 4;

// The first line of a small attribute file, without the spaces around it; empty when missing.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    line.erase(line.begin(), std::find_if(line.begin(), line.end(), notSpace));
    line.erase(std::find_if(line.rbegin(), line.rend(), notSpace).base(), line.end());
    return line;
}

// Fills in the USB product and maker above device, when there is a USB device above it.
void ReadUsbDescriptors(const fs::path& device, SerialDevice& out) {
    std::error_code ec;
    fs::path dir = fs::canonical(device, ec);
    if (ec)
        return;
    for (int level = 0; level < kUsbLevels && dir.has_relative_path(); ++level) {
        if (fs::exists(dir / "idVendor", ec)) {
            out.usb = true;
            out.description = ReadAttribute(dir / "product");
            out.manufacturer = ReadAttribute(dir / "manufacturer");
            return;
        }
        dir = dir.parent_path();
    }
}

}  // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ei = i;
            size_t ej = j;
            while (ei < a.size() && digit(a[ei]))
                ++ei;
            while (ej < b.size() && digit(b[ej]))
                ++ej;
            // Without leading zeros, the longer run is the larger number.
            std::string_view x(a.data() + i, ei - i);
            std::string_view y(b.data() + j, ej - j);
            x.remove_prefix(std::min(x.find_first_not_of('0'), x.size()));
            y.remove_prefix(std::min(y.find_first_not_of('0'), y.size()));
            if (x.size() != y.size())
                return x.size() < y.size();
            if (x != y)
                return x < y;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::vector<SerialDevice> ReadSerialDevices(const std::string& classRoot,
                                            const std::string& devRoot) {
    std::vector<SerialDevice> devices;
    std::error_code ec;
    fs::directory_iterator it(classRoot, ec);
    if (ec)
        return devices;
    for (const fs::directory_entry& entry : it) {
        const fs::path tty = entry.path();
        // Virtual terminals, pseudo-terminals and the console have no device behind them.
        if (!fs::exists(tty / "device", ec))
            continue;
        // The kernel lists its legacy serial ports whether or not a chip is there; the port
        // type 0 says none answered.
        if (ReadAttribute(tty / "type") == "0")
            continue;
        std::string name = tty.filename().string();
        // A tty in a subfolder of /dev is listed with '!' for '/'.
        std::replace(name.begin(), name.end(), '!', '/');
        SerialDevice device;
        device.location = devRoot + "/" + name;
        ReadUsbDescriptors(tty / "device", device);
        devices.push_back(device);
    }
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
        return NaturalLess(a.location, b.location);
    });
    return devices;
}

void MergeSerialDevices(std::vector<SerialDevice>& devices, const std::vector<SerialDevice>& more) {
    for (const SerialDevice& other : more) {
        auto known = std::find_if(devices.begin(), devices.end(), [&](const SerialDevice& d) {
            return d.location == other.location;
        });
        if (known == devices.end()) {
            devices.push_back(other);
            continue;
        }
        if (known->description.empty())
            known->description = other.description;
        if (known->manufacturer.empty())
            known->manufacturer = other.manufacturer;
        known->usb = known->usb || other.usb;
    }
}

}  // namespace orvale
