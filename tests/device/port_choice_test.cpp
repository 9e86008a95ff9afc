// The Configure Port dialog's logic: the list, opening at once on a choice, keeping it on OK.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli_device.h"
#include "device/link_fixture.h"
#include "device/message_table.h"
#include "device/port_choice.h"
#include "test_image.h"

namespace orvale::test {
namespace {

using PortChoiceTest = LinkTest;

TEST_F(PortChoiceTest, ListAndDevices) {
    EXPECT_EQ(PortChoices(), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(ChoiceDevice("COM2"), "/dev/ttyS1");
    EXPECT_EQ(ChoiceDevice("/dev/pts/7"), "/dev/pts/7");
}

TEST_F(PortChoiceTest, ShowSelectsTheSettingAndAppliesTheBaudRule) {
    state.settings.port = 3;
    state.settings.baud = 0;
    PortChoice choice(link);
    EXPECT_EQ(choice.Show(), "COM3");
    EXPECT_EQ(port.Device(), "/dev/ttyS2");
    EXPECT_EQ(state.settings.baud, 9600);
    state.device.deviceName = "/dev/ttyUSB1";
    state.settings.baud = 4800;
    EXPECT_EQ(choice.Show(), "/dev/ttyUSB1");
    EXPECT_EQ(port.BaudRate(), 4800);
}

TEST_F(PortChoiceTest, ChoiceOpensAtOnceAndOkKeepsIt) {
    PortChoice choice(link);
    choice.Show();
    choice.Select("COM4");
    EXPECT_EQ(port.openedDevice, "/dev/ttyS3");
    EXPECT_EQ(state.settings.port, 1);  // not before OK
    choice.Accept();
    EXPECT_EQ(state.settings.port, 4);
    choice.Select("/dev/pts/5");
    EXPECT_EQ(port.openedDevice, "/dev/pts/5");
    choice.Accept();
    EXPECT_EQ(state.device.deviceName, "/dev/pts/5");
}

TEST_F(PortChoiceTest, PortThatCannotOpenIsReportedAtOnce) {
    PortChoice choice(link);
    port.openFailure = "/dev/ttyS1: cannot open the port (No such file or directory)";
    try {
        choice.Select("COM2");
        FAIL() << "opened";
    } catch (const EDeviceCommError& e) {
        EXPECT_EQ(e.id(), msg::kPortError);
        EXPECT_EQ(std::string(e.what()),
                  "Comm Port Error - Check port, device, and Windows settings (/dev/ttyS1: "
                  "cannot open the port (No such file or directory))");
    }
}

// The kernel's tty list as a folder tree: each tty's "device" links to where its hardware sits,
// a USB adapter's descriptors one or two folders above that.
class FakeTtyClass {
public:
    FakeTtyClass() {
        // An FTDI converter: its tty hangs below the interface, below the device.
        Usb("ttyUSB0", "usb1/1-1", "usb1/1-1/1-1:1.0/ttyUSB0", "FT232R USB UART", "FTDI");
        // A CDC device: its tty's device is the interface itself; it gives only its maker.
        Usb("ttyACM0", "usb1/1-2", "usb1/1-2/1-2:1.0", "", "Microchip");
        Usb("ttyUSB10", "usb1/1-3", "usb1/1-3/1-3:1.0/ttyUSB10", "CP2102 USB to UART", "");
        Tty("ttyS0", "platform/serial8250", "4");  // a real 16550 on COM1
        Tty("ttyS1", "platform/serial8250", "0");  // listed by the kernel, no chip behind it
        Tty("ttyS5", "pnp/00:05", "4");
        std::filesystem::create_directories(dir.path() / "class/tty/tty0");  // a virtual terminal
    }
    std::string Class() const { return dir.File("class/tty"); }

private:
    void Tty(const std::string& name, const std::string& device, const std::string& type) {
        const std::filesystem::path tty = dir.path() / "class/tty" / name;
        std::filesystem::create_directories(tty);
        std::filesystem::create_directories(dir.path() / "devices" / device);
        std::filesystem::create_directory_symlink(dir.path() / "devices" / device, tty / "device");
        if (!type.empty())
            std::ofstream(tty / "type") << type << "\n";
    }
    void Usb(const std::string& name, const std::string& usbDevice, const std::string& device,
             const std::string& product, const std::string& maker) {
        Tty(name, device, "");
        const std::filesystem::path usb = dir.path() / "devices" / usbDevice;
        std::ofstream(usb / "idVendor") << "0403\n";
        if (!product.empty())
            std::ofstream(usb / "product") << product << "\n";
        if (!maker.empty())
            std::ofstream(usb / "manufacturer") << maker << "\n";
    }
    TempDir dir;
};

TEST(PortListTest, UsbAdaptersFirstByNameThenComPortsThenTheRest) {
    FakeTtyClass sys;
    const std::vector<SerialDevice> devices = ReadSerialDevices(sys.Class(), "/dev");
    std::vector<std::string> texts;
    std::vector<std::string> choices;
    for (const PortEntry& e : PortEntries(devices, "/dev/pts/9")) {
        texts.push_back(e.text);
        choices.push_back(e.choice);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "/dev/ttyACM0 \u2014 Microchip",
                         "/dev/ttyUSB0 \u2014 FT232R USB UART",
                         "/dev/ttyUSB10 \u2014 CP2102 USB to UART",
                         "COM1",
                         "COM2",
                         "COM3",
                         "COM4",
                         "/dev/ttyS5",
                         "/dev/pts/9",
                     }));
    // Each line, chosen or typed back, stands for its device; the settings keep that.
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(ChoiceFromText(texts[i]), choices[i]) << texts[i];
    EXPECT_EQ(choices[1], "/dev/ttyUSB0");
    EXPECT_EQ(ChoiceFromText("  /dev/ttyUSB3 \t"), "/dev/ttyUSB3");
    // The Device setting already in the list is not added again.
    EXPECT_EQ(PortEntries(devices, "/dev/ttyUSB0").size(), texts.size() - 1);

    // The command-line tool lists the same devices, with the maker, and no COM names.
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ListPorts(devices, out, err), 0);
    EXPECT_EQ(out.str(),
              "/dev/ttyACM0 \u2014 Microchip\n"
              "/dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)\n"
              "/dev/ttyUSB10 \u2014 CP2102 USB to UART\n"
              "/dev/ttyS0\n"
              "/dev/ttyS5\n");
    EXPECT_EQ(err.str(), "");
    // No ports, or no tty list at all, is said, not an error.
    EXPECT_TRUE(ReadSerialDevices(sys.Class() + "/missing").empty());
    EXPECT_EQ(ListPorts({}, out, err), 0);
    EXPECT_NE(err.str().find("no serial ports found"), std::string::npos);
}

}  // namespace
}  // namespace orvale::test
