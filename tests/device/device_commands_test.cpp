// The main window's short recorder commands: the clear asks first and says whether the recorder
// confirmed, the deployment altitude warns only when the recorder stayed silent.
#include "device/device_commands.h"

#include "device/link_fixture.h"
#include "fake_prompts.h"

namespace orvale::test {
namespace {

class DeviceCommandsTest : public LinkTest {
protected:
    FakePrompts prompts;
};

TEST_F(DeviceCommandsTest, ClearAsksThenClearsAndSaysSo) {
    port.Arrive(clock.now + 3000, {'O', 'K'});
    EXPECT_TRUE(ClearDataBuffer(link, prompts));
    EXPECT_EQ(prompts.confirmations,
              std::vector<std::string>{"About to Clear Tavix's data buffer"});
    EXPECT_EQ(port.written, Bytes("/CC"));
    EXPECT_EQ(port.openedDevice, "/dev/ttyS0");
    EXPECT_EQ(prompts.notes, std::vector<std::string>{"Tavix's data buffer is now clear"});
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_FALSE(status.showing);
}

TEST_F(DeviceCommandsTest, ClearCancelledSendsNothing) {
    prompts.confirmAnswer = false;
    EXPECT_FALSE(ClearDataBuffer(link, prompts));
    EXPECT_TRUE(port.written.empty());
    EXPECT_TRUE(prompts.notes.empty());
    EXPECT_EQ(status.shows, 0);
}

TEST_F(DeviceCommandsTest, SilentRecorderIsNotReportedAsCleared) {
    EXPECT_FALSE(ClearDataBuffer(link, prompts));
    EXPECT_EQ(Elapsed(), 56001);
    EXPECT_TRUE(prompts.notes.empty());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0], kClearUnconfirmed);
}

TEST_F(DeviceCommandsTest, DeploymentIsSilentWhenConfirmedAndWarnsWhenNot) {
    state.settings.port = 3;
    port.Arrive(clock.now + 200, {0, 0});
    EXPECT_TRUE(SetMainDeployAltitude(link, prompts, 'M'));
    EXPECT_EQ(port.written, Bytes("/M"));
    EXPECT_EQ(port.openedDevice, "/dev/ttyS2");  // the setting, not where the port last was
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_TRUE(prompts.notes.empty());

    EXPECT_FALSE(SetMainDeployAltitude(link, prompts, 'H'));
    EXPECT_EQ(port.written, Bytes("/M/H"));
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{kDeployUnconfirmed});
}

}  // namespace
}  // namespace orvale::test
