// The Configure Port dialog's logic: the list, opening at once on a choice, keeping it on OK.
#include <gtest/gtest.h>

#include "device/link_fixture.h"
#include "device/message_table.h"
#include "device/port_choice.h"

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

}  // namespace
}  // namespace orvale::test
