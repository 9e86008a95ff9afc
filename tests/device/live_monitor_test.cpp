// The live display's ticks: records taken, the stream restarted, the needles moved.
#include <gtest/gtest.h>

#include <cstdio>

#include "device/link_fixture.h"
#include "device/live_monitor.h"
#include "device/sensor_readings.h"
#include "formula/channel_conversion.h"

namespace orvale::test {
namespace {

class LiveTest : public LinkTest {
protected:
    void SetUp() override {
        state.calibration.avg0g = 100.0f;
        state.calibration.dodg = 10.0f;
        state.calibration.avgbp = 200.0f;
        state.calibration.gainbp = 1.0f;
        state.calibration.offbp = 23.3f;
        StartLiveMonitor(link, needles);
        port.written.clear();
    }
    static std::vector<uint8_t> Record(int accel, int pressure) {
        char text[9];
        std::snprintf(text, sizeof text, "%03d,%03d\r", accel, pressure);
        return std::vector<uint8_t>(text, text + 8);
    }
    LiveNeedles needles;
};

TEST_F(LiveTest, StartingSendsTAndTakesTheCalibration) {
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(state.results.zeroGReading, 100.0f);
    EXPECT_EQ(state.results.groundPressureReading, 200.0f);
    EXPECT_EQ(state.device.recordCount, 0);
    EXPECT_EQ(state.device.receive[0], 0);  // nothing stale passes for a record
}

TEST_F(LiveTest, NoRecordYetRestartsTheStream) {
    port.ArriveNow({'1', '2'});  // part of a record
    EXPECT_EQ(LiveMonitorTick(link, needles), LiveTickResult::Restarted);
    EXPECT_EQ(port.written, Bytes("/T"));
    EXPECT_EQ(port.BytesAvailable(), 0u);  // the part was discarded
}

TEST_F(LiveTest, OnlyTheNewestOfSeveralRecordsIsShownButAllAreCounted) {
    std::vector<uint8_t> three = Record(100, 200);
    for (const auto& r : {Record(110, 200), Record(120, 200)})
        three.insert(three.end(), r.begin(), r.end());
    port.ArriveNow(three);
    int taken = -1;
    EXPECT_EQ(LiveMonitorTick(link, needles, &taken), LiveTickResult::Shown);
    EXPECT_EQ(taken, 3);
    EXPECT_EQ(state.device.recordCount, 3);
    // A tick with nothing new shows the same record again and says it took none.
    EXPECT_EQ(LiveMonitorTick(link, needles, &taken), LiveTickResult::Shown);
    EXPECT_EQ(taken, 0);
    EXPECT_EQ(needles.gMeter[1], 120.0f);
    EXPECT_EQ(needles.gMeter[0], 2.0f);
    EXPECT_EQ(needles.altimeter[2], 200.0f);
}

TEST_F(LiveTest, ExtremesStartAtZero) {
    port.ArriveNow(Record(100, 200));  // 0 g: neither extreme moves
    LiveMonitorTick(link, needles);
    EXPECT_EQ(state.device.maxG, 0.0f);
    EXPECT_EQ(state.device.minG, 0.0f);
    port.ArriveNow(Record(120, 200));
    LiveMonitorTick(link, needles);
    port.ArriveNow(Record(90, 200));
    LiveMonitorTick(link, needles);
    EXPECT_EQ(needles.gMeter[2], 2.0f);
    EXPECT_EQ(needles.gMeter[3], -1.0f);
    EXPECT_EQ(needles.gMeter[0], -1.0f);
}

TEST_F(LiveTest, AltimeterNeedles) {
    ASSERT_EQ(ConvertReading(state, 200 * 16, 1), 0.0f);  // at the ground reading
    const auto show = [&](float actalt) {
        state.calibration.actalt = actalt;
        port.ArriveNow(Record(100, 200));
        EXPECT_EQ(LiveMonitorTick(link, needles), LiveTickResult::Shown);
    };
    show(1234.0f);
    EXPECT_EQ(needles.altimeter[3], 1234.0f);
    EXPECT_EQ(needles.altimeter[1], 12.34f);
    EXPECT_FLOAT_EQ(needles.altimeter[0], 2.34f);
    show(1000.0f);
    EXPECT_EQ(needles.altimeter[0], 0.0f);
    show(-250.0f);
    EXPECT_EQ(needles.altimeter[0], -2.5f);
    show(3.0e9f);  // a wild calibration still ends the tick
    EXPECT_LT(needles.altimeter[0], 10.0f);
}

// In metres the dial reads the same height converted once: 1234 ft is 376.1232 m, so the long
// hand shows 3.76 (hundreds of metres) and the short hand 3.76 turns of a thousand.
TEST_F(LiveTest, AltimeterInMetres) {
    state.settings.units = Units::Metres;
    state.calibration.actalt = 1234.0f;
    port.ArriveNow(Record(100, 200));
    EXPECT_EQ(LiveMonitorTick(link, needles), LiveTickResult::Shown);
    EXPECT_FLOAT_EQ(needles.altimeter[3], 376.1232f);
    EXPECT_FLOAT_EQ(needles.altimeter[1], 3.761232f);
    EXPECT_FLOAT_EQ(needles.altimeter[0], 3.761232f);
    EXPECT_EQ(needles.altimeter[2], 200.0f);   // the pressure reading has no unit
    EXPECT_FLOAT_EQ(needles.gMeter[0], 0.0f);  // nor has g
    state.calibration.actalt = 4000.0f;        // 1219.2 m: the long hand comes round again
    port.ArriveNow(Record(100, 200));
    LiveMonitorTick(link, needles);
    EXPECT_FLOAT_EQ(needles.altimeter[0], 2.192f);
}

TEST_F(LiveTest, RecordWithNonDigitReadingsIsSkipped) {
    port.ArriveNow(Record(120, 200));
    LiveMonitorTick(link, needles);
    std::vector<uint8_t> bad = Record(100, 200);
    bad[5] = '#';
    port.ArriveNow(bad);
    EXPECT_EQ(LiveMonitorTick(link, needles), LiveTickResult::BadRecord);
    EXPECT_EQ(needles.gMeter[1], 120.0f);  // still the last good record
    EXPECT_TRUE(port.written.empty());     // not a restart
}

TEST_F(LiveTest, AfterTheBlocksLastRecordTheLeftoverRestartsTheStream) {
    std::vector<uint8_t> block;
    for (int i = 0; i < kSensorRecords; ++i) {
        const auto r = Record(100, 200);
        block.insert(block.end(), r.begin(), r.end());
    }
    block.push_back('\r');
    block.push_back('\n');
    port.ArriveNow(block);
    EXPECT_EQ(ReadLiveRecords(link), kSensorRecords);
    EXPECT_EQ(state.device.receive[0], '\r');
    EXPECT_EQ(LiveMonitorTick(link, needles), LiveTickResult::Restarted);
    EXPECT_EQ(state.device.recordCount, 0);
    EXPECT_EQ(port.written, Bytes("/T"));
}

TEST_F(LiveTest, ClosedPortClosesTheWindow) {
    port.Close();
    EXPECT_EQ(LiveMonitorTick(link, needles), LiveTickResult::PortClosed);
}

}  // namespace
}  // namespace orvale::test
