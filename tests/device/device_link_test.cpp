// The command protocol: exact bytes, reply lengths and time-outs, progress, the status button
// and Cancel, the baud rule and the choice of device.
#include <gtest/gtest.h>

#include "device/link_fixture.h"
#include "device/message_table.h"

namespace orvale::test {
namespace {

using Bytes8 = std::vector<uint8_t>;

// --- What goes on the line -------------------------------------------------------------------

TEST_F(LinkTest, ClearSendsSlashAndTheLetterTwice) {
    port.Arrive(clock.now + 5, Bytes("OK"));
    EXPECT_TRUE(link.ClearDeviceBuffer());
    EXPECT_EQ(port.written, (Bytes8{47, 67, 67}));
}

TEST_F(LinkTest, DeploymentCommandsSendTwoBytesEach) {
    for (char letter : {'L', 'M', 'H'}) {
        port.written.clear();
        port.Arrive(clock.now + 5, Bytes("OK"));
        EXPECT_TRUE(link.SetMainDeployment(letter));
        EXPECT_EQ(port.written, (Bytes8{47, static_cast<uint8_t>(letter)}));
    }
    EXPECT_THROW(link.SetMainDeployment('X'), std::invalid_argument);
}

TEST_F(LinkTest, SensorBlockSendsSlashT) {
    port.Arrive(clock.now + 5, Bytes8(kSensorReplyLength, '1'));
    EXPECT_TRUE(link.ReadSensorBlock());
    EXPECT_EQ(port.written, (Bytes8{47, 84}));
}

TEST_F(LinkTest, SendCommandFlushesBeforeWritingAndOpensAClosedPort) {
    EXPECT_FALSE(port.IsOpen());
    link.SendCommand('R');
    EXPECT_TRUE(port.IsOpen());
    ASSERT_EQ(port.calls.size(), 3u);
    EXPECT_EQ(port.calls[0], "open /dev/ttyS0 9600");
    EXPECT_EQ(port.calls[1], "flush input (0 waiting)");
    EXPECT_EQ(port.calls[2], "flush output");
    EXPECT_EQ(port.written, (Bytes8{47, 82}));
}

// --- Replies ---------------------------------------------------------------------------------

TEST_F(LinkTest, ReplyInPiecesCompletesWhenTheTotalArrives) {
    port.Arrive(clock.now + 10, {0x11});
    port.Arrive(clock.now + 30, {0x22});
    EXPECT_TRUE(link.SetMainDeployment('M'));
    EXPECT_EQ(Elapsed(), 30);
    EXPECT_EQ(state.device.receive[0], 0x11);
    EXPECT_EQ(state.device.receive[1], 0x22);
}

TEST_F(LinkTest, SurplusBytesWaitUntilTheNextCommandFlushesThem) {
    port.Arrive(clock.now + 5, Bytes("OKX"));
    EXPECT_TRUE(link.SetMainDeployment('L'));
    EXPECT_EQ(port.BytesAvailable(), 1u);
    link.SendCommand('H');
    EXPECT_NE(std::find(port.calls.begin(), port.calls.end(), "flush input (1 waiting)"),
              port.calls.end());
    EXPECT_EQ(port.BytesAvailable(), 0u);
}

TEST_F(LinkTest, ReplyIsStoredAtBlockIndexTimesBlockSize) {
    port.Open();
    port.ArriveNow({1, 2, 3, 4});
    EXPECT_TRUE(link.WaitForReply(1, 1, 8192, 100, 4));
    EXPECT_EQ(state.device.receive[8192], 1);
    EXPECT_EQ(state.device.receive[8195], 4);
    EXPECT_THROW(link.WaitForReply(1, 1, 8192, 100, 5), std::logic_error);
}

TEST_F(LinkTest, RepliesNeverTouchTheLoadedImage) {
    state.image.assign(kImageBufferSize, 0xAA);
    port.Arrive(clock.now + 5, Bytes("OK"));
    link.ClearDeviceBuffer();
    EXPECT_EQ(state.image[0], 0xAA);
    EXPECT_EQ(state.device.receive[0], 'O');
    EXPECT_GE(state.device.receive.size(), 8196u);
}

// --- Time-outs -------------------------------------------------------------------------------

TEST_F(LinkTest, SilentRecorderTimeOutsAreThoseOfEachCommand) {
    EXPECT_FALSE(link.ClearDeviceBuffer());
    EXPECT_EQ(Elapsed(), 56001);
    const int64_t afterClear = clock.now;
    EXPECT_FALSE(link.SetMainDeployment('H'));
    EXPECT_EQ(clock.now - afterClear, 1001);
    const int64_t afterDeploy = clock.now;
    EXPECT_FALSE(link.ReadSensorBlock());
    EXPECT_EQ(clock.now - afterDeploy, 8001);
}

TEST_F(LinkTest, ShortExchangeTimeOutShowsNoErrorButCompletesTheSequence) {
    EXPECT_FALSE(link.SetMainDeployment('L'));
    EXPECT_EQ(status.lines, (std::vector<std::string>{MessageTable(msg::kAttempting),
                                                      MessageTable(msg::kEstablished),
                                                      MessageTable(msg::kComplete)}));
    EXPECT_FALSE(status.showing);
    EXPECT_FALSE(state.device.TransferAborted);
}

TEST_F(LinkTest, ZeroTimeOutStillPollsOnce) {
    port.Open();
    port.ArriveNow({9, 9});
    EXPECT_TRUE(link.WaitForReply(0, 1, 2, 0, 2));
    EXPECT_FALSE(link.WaitForReply(0, 1, 2, 0, 2));
    EXPECT_EQ(waiter.waits, 1);
}

TEST_F(LinkTest, WaitsSleepUntilDataInsteadOfPolling) {
    port.Open();
    port.Arrive(clock.now + 700, {1, 2});
    EXPECT_TRUE(link.WaitForReply(0, 1, 2, 30000, 2));
    EXPECT_EQ(waiter.waits, 1);
    EXPECT_EQ(Elapsed(), 700);
}

TEST_F(LinkTest, LongReplyAtTheLineRateWakesAFewTimesAndNeverBeforeItsBytes) {
    waiter.sleepThroughBytes = true;
    port.Open();  // 9600 baud: a byte every 1.042 ms
    for (int i = 0; i < kSensorReplyLength; ++i)
        port.Arrive(clock.now + 1 + i * 1042 / 1000, {static_cast<uint8_t>(i)});
    const int64_t lastByte = 1 + (kSensorReplyLength - 1) * 1042 / 1000;
    EXPECT_TRUE(link.WaitForReply(0, 1, kSensorReplyLength, 8000, kSensorReplyLength));
    EXPECT_EQ(Elapsed(), lastByte);
    EXPECT_EQ(state.device.receive[kSensorReplyLength - 1],
              static_cast<uint8_t>(kSensorReplyLength - 1));
    // About a wake-up each 200 ms and one per byte of the last 20 ms, not one per byte.
    EXPECT_GT(waiter.sleeps, 5);
    EXPECT_LT(waiter.waits, 40);
    EXPECT_LE(waiter.longestSleep, 200);
}

TEST_F(LinkTest, CancelEndsASleepAtOnce) {
    waiter.sleepThroughBytes = true;
    waiter.during = [&](int n) {
        if (n == 3)
            link.StatusButtonClicked();
    };
    EXPECT_THROW(link.ReadSensorBlock(), EDeviceCommError);
    EXPECT_EQ(waiter.waits, 3);
    EXPECT_EQ(waiter.sleeps, 3);
    EXPECT_EQ(Elapsed(), 400);  // two sleeps passed in full, the third not at all
}

// --- Progress and the status display ---------------------------------------------------------

TEST_F(LinkTest, ProgressIsTheShareOfTheReplyRoundedTiesToEven) {
    port.Open();
    port.Arrive(clock.now + 1, Bytes8(5, 'a'));   // 2.5 % -> 2
    port.Arrive(clock.now + 2, Bytes8(2, 'a'));   // 3.5 % -> 4
    port.Arrive(clock.now + 3, Bytes8(93, 'a'));  // 50 %
    port.Arrive(clock.now + 4, Bytes8(100, 'a'));
    EXPECT_TRUE(link.WaitForReply(0, 1, 200, 1000, 200));
    EXPECT_EQ(status.meter, (std::vector<unsigned>{0, 2, 4, 50, 100}));
    EXPECT_EQ(link.ButtonCaption(), kOkCaption);
}

TEST_F(LinkTest, ProgressOverAHundredShowsAHundredWithOk) {
    port.Open();
    port.ArriveNow(Bytes("OKOK"));
    EXPECT_TRUE(link.WaitForReply(0, 1, 2, 100, 2));
    EXPECT_EQ(status.meter.back(), 100u);
    EXPECT_EQ(status.captions.back(), kOkCaption);
}

TEST_F(LinkTest, SecondBlockStartsItsProgressAtAHundred) {
    port.Open();
    EXPECT_FALSE(link.WaitForReply(1, 1, 8192, 10, 4));
    EXPECT_EQ(status.meter.front(), 100u);
}

TEST_F(LinkTest, SetProgressLimitsAndShowsTheDisplay) {
    link.SetProgress(250);
    EXPECT_EQ(status.meter.back(), 100u);
    EXPECT_TRUE(status.showing);
    link.SetProgress(99);
    EXPECT_EQ(link.ButtonCaption(), kCancelCaption);
    link.HideStatus();
    link.SetStatusText(msg::kInitiating);
    EXPECT_TRUE(status.showing);
    EXPECT_EQ(status.lines.back(), "Initiating Transfer...");
}

TEST_F(LinkTest, ButtonReadingOkOnlyHidesAndResetsTheCaption) {
    link.SetProgress(100);
    link.StatusButtonClicked();
    EXPECT_FALSE(status.showing);
    EXPECT_EQ(link.ButtonCaption(), kCancelCaption);
    EXPECT_EQ(status.captions.back(), kCancelCaption);
    EXPECT_FALSE(state.device.TransferAborted);
}

TEST_F(LinkTest, CancelEndsTheWaitAndRaisesAfterIt) {
    waiter.during = [&](int n) {
        if (n == 2)
            link.StatusButtonClicked();  // the button, pressed inside the second wait
    };
    port.Arrive(clock.now + 10, {1});  // wakes the first wait; the reply never completes
    try {
        link.ReadSensorBlock();
        FAIL() << "no error";
    } catch (const EDeviceCommError& e) {
        EXPECT_EQ(e.id(), msg::kUserAborted);
        EXPECT_STREQ(e.what(), "User aborted transfer");
    }
    EXPECT_EQ(waiter.waits, 2);  // no wait after the button
    EXPECT_LT(Elapsed(), 100);
    EXPECT_TRUE(state.device.TransferAborted);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(status.showing);
}

TEST_F(LinkTest, EachWaitClearsTransferAborted) {
    state.device.TransferAborted = true;
    port.Arrive(clock.now + 5, Bytes("OK"));
    link.SetMainDeployment('M');
    EXPECT_FALSE(state.device.TransferAborted);
}

TEST_F(LinkTest, RaiseDeviceErrorClosesPortAndDisplay) {
    port.Open();
    link.SetProgress(10);
    try {
        link.RaiseDeviceError(msg::kChecksumMismatch, "detail");
        FAIL() << "no error";
    } catch (const EDeviceCommError& e) {
        EXPECT_STREQ(e.what(), "Verification Error - Checksum did not match (detail)");
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(status.showing);
    EXPECT_TRUE(state.device.TransferAborted);

    // With the display hidden the flag stays as it was.
    state.device.TransferAborted = false;
    EXPECT_THROW(link.RaiseDeviceError(msg::kDiskFull), EDeviceCommError);
    EXPECT_FALSE(state.device.TransferAborted);
}

TEST_F(LinkTest, NoSecondExchangeWhileOneWaits) {
    bool busyInside = false;
    bool refused = false;
    waiter.during = [&](int) {
        busyInside = link.Busy();
        try {
            link.SetMainDeployment('H');
        } catch (const EDeviceError&) {
            refused = true;
        }
    };
    link.SetMainDeployment('L');
    EXPECT_TRUE(busyInside);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(link.Busy());
}

// --- Opening the port ------------------------------------------------------------------------

TEST_F(LinkTest, BaudOfTwentyOrLessTakesThePortsRateAndStoresIt) {
    for (int32_t stored : {0, 20, -5}) {
        state.settings.baud = stored;
        link.OpenPort();
        EXPECT_EQ(state.settings.baud, 9600);
        EXPECT_EQ(port.openedBaud, 9600);
    }
    port.SetBaudRate(19200);
    state.settings.baud = 7;
    link.OpenPort();
    EXPECT_EQ(state.settings.baud, 19200);
}

TEST_F(LinkTest, BaudAboveTwentyIsGivenToThePort) {
    state.settings.baud = 21;
    link.OpenPort();
    EXPECT_EQ(port.openedBaud, 21);
    state.settings.baud = 4800;
    link.OpenPort();
    EXPECT_EQ(port.openedBaud, 4800);
    EXPECT_EQ(state.settings.baud, 4800);
}

TEST_F(LinkTest, DeviceSettingWinsOverThePortNumber) {
    state.settings.port = 3;
    link.OpenPort();
    EXPECT_EQ(port.openedDevice, "/dev/ttyS2");
    state.device.deviceName = "/dev/ttyUSB0";
    link.OpenPort();
    EXPECT_EQ(port.openedDevice, "/dev/ttyUSB0");
}

TEST_F(LinkTest, PortNumberOutsideOneToFourIsReported) {
    state.settings.port = 0;
    try {
        link.OpenPort();
        FAIL() << "opened";
    } catch (const PortError& e) {
        EXPECT_NE(std::string(e.what()).find("port number 0"), std::string::npos);
    }
}

TEST_F(LinkTest, OpenFailureCarriesThePortsMessage) {
    port.openFailure = "/dev/ttyS0: cannot open the port (Permission denied)";
    EXPECT_THROW(link.OpenPort(), PortError);
    EXPECT_FALSE(port.IsOpen());
}

TEST(PortDeviceNameTest, NumbersAndNames) {
    EXPECT_EQ(PortDeviceName(1, ""), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(4, ""), "/dev/ttyS3");
    EXPECT_EQ(PortDeviceName(5, ""), "");
    EXPECT_EQ(PortDeviceName(0, "/dev/pts/4"), "/dev/pts/4");
}

TEST(MessageTableTest, TextsByNumber) {
    EXPECT_EQ(MessageTable(25112), "Verification Error - Checksum did not match");
    EXPECT_EQ(MessageTable(25117), "Error - Not enough disk space remaining");
    EXPECT_EQ(MessageTable(25118), "User aborted transfer");
    EXPECT_EQ(MessageTable(25123), "Comm Port Error - Check port, device, and Windows settings");
    EXPECT_EQ(MessageTable(27001), "Attempting to Communicate with DAU...");
    EXPECT_EQ(MessageTable(27002), "Communication Established.");
    EXPECT_EQ(MessageTable(27007), "Initiating Transfer...");
    EXPECT_EQ(MessageTable(27008), "Transfering Data");
    EXPECT_EQ(MessageTable(27009), "Transfer Complete.");
    EXPECT_EQ(MessageTable(1), "Message 1");
}

}  // namespace
}  // namespace orvale::test
