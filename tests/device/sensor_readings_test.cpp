// Sensor records, reading statistics and the accelerometer fit, with the worked examples.
#include <gtest/gtest.h>

#include <cstdio>

#include "device/calibration_fit.h"
#include "device/link_fixture.h"
#include "device/message_table.h"
#include "device/sensor_readings.h"

namespace orvale::test {
namespace {

// A 2050-byte "T" reply whose records hold the given readings.
std::vector<uint8_t> Block(const std::vector<int>& accel, int pressure) {
    std::vector<uint8_t> block(kSensorReplyLength, '\n');
    for (int i = 0; i < kSensorRecords; ++i) {
        char record[9];
        std::snprintf(record, sizeof record, "%03d,%03d\r", accel[i % accel.size()], pressure);
        std::copy_n(record, 8, block.begin() + 8 * i);
    }
    return block;
}

// --- Readings --------------------------------------------------------------------------------

TEST(ParseReadingTest, ThreeDigitsOrNothing) {
    const auto parse = [](const char* text) {
        return ParseReading(reinterpret_cast<const uint8_t*>(text));
    };
    EXPECT_EQ(parse("123"), 123);
    EXPECT_EQ(parse("007"), 7);
    EXPECT_EQ(parse("999"), 999);
    EXPECT_FALSE(parse(" 12"));
    EXPECT_FALSE(parse("1-2"));
    EXPECT_FALSE(parse("12."));
    EXPECT_FALSE(parse("+12"));
}

TEST(ReadingStatisticsTest, WorkedExample) {
    const std::vector<uint8_t> block = Block({100, 102}, 210);
    const auto accel = ReadingStatistics(block.data(), kAccelOffset);
    ASSERT_TRUE(accel);
    EXPECT_EQ(accel->average, 101.0f);
    EXPECT_FLOAT_EQ(accel->deviation, 1.0019588f);
    EXPECT_EQ(accel->records, 256);
    const auto pressure = ReadingStatistics(block.data(), kPressureOffset);
    ASSERT_TRUE(pressure);
    EXPECT_EQ(pressure->average, 210.0f);
    EXPECT_EQ(pressure->deviation, 0.0f);
}

TEST(ReadingStatisticsTest, RecordsThatAreNotDigitsAreLeftOut) {
    std::vector<uint8_t> block = Block({100, 102}, 210);
    // Two of the 102s garbled: the rest still averages as numbers, the garbage is no number.
    block[8 * 1 + 1] = 'x';
    block[8 * 3 + 0] = ' ';
    const auto accel = ReadingStatistics(block.data(), kAccelOffset);
    ASSERT_TRUE(accel);
    EXPECT_EQ(accel->records, 254);
    EXPECT_FLOAT_EQ(accel->average, (128.0f * 100 + 126.0f * 102) / 254.0f);
}

TEST(ReadingStatisticsTest, NoReadableRecordGivesNothing) {
    std::vector<uint8_t> block(kSensorReplyLength, 'z');
    EXPECT_FALSE(ReadingStatistics(block.data(), kAccelOffset));
}

// --- The fit ---------------------------------------------------------------------------------

TEST(CalcGeeTest, WorkedExample) {
    CalibrationData c;
    c.avgMinus1g = 100.0f;
    c.avg0g = 120.0f;
    c.avgPlus1g = 141.0f;
    CalcGee(c);
    EXPECT_EQ(c.fid0, 20.0f);
    EXPECT_EQ(c.fid1, 21.0f);
    EXPECT_EQ(c.dodg, 20.5f);
    EXPECT_EQ(c.y0, static_cast<float>(361.0 / 3.0));
    EXPECT_FLOAT_EQ(c.ccoff, 0.9493786f);
}

TEST(CalcGeeTest, PerfectlyLinearGivesOne) {
    CalibrationData c;
    c.avgMinus1g = 100.0f;
    c.avg0g = 120.0f;
    c.avgPlus1g = 140.0f;
    CalcGee(c);
    EXPECT_EQ(c.ccoff, 1.0f);
    EXPECT_EQ(c.dodg, 20.0f);
    EXPECT_EQ(c.y0, 120.0f);
}

TEST(CalcGeeTest, EqualAveragesKeepTheOldCoefficient) {
    CalibrationData c;
    c.avgMinus1g = c.avg0g = c.avgPlus1g = 100.0f;
    c.ccoff = 0.25f;
    CalcGee(c);
    EXPECT_EQ(c.ccoff, 0.25f);
    EXPECT_EQ(c.dodg, 0.0f);
    EXPECT_EQ(c.y0, 100.0f);
}

// --- A reading step --------------------------------------------------------------------------

using MeasureTest = LinkTest;

TEST_F(MeasureTest, CompleteBlockGivesItsStatistics) {
    port.Arrive(clock.now + 20, Block({100, 102}, 210));
    float average = 0.0f;
    float deviation = 0.0f;
    MeasureReadings(link, kAccelOffset, average, deviation);
    EXPECT_EQ(average, 101.0f);
    EXPECT_FLOAT_EQ(deviation, 1.0019588f);
}

TEST_F(MeasureTest, IncompleteBlockIsReportedAndTheOldValuesStay) {
    // An earlier complete block sits in the receive buffer: it must not be taken again.
    const std::vector<uint8_t> stale = Block({50}, 60);
    std::copy(stale.begin(), stale.end(), state.device.receive.begin());
    port.Arrive(clock.now + 20, std::vector<uint8_t>(1000, '5'));
    float average = 7.0f;
    float deviation = 8.0f;
    try {
        MeasureReadings(link, kAccelOffset, average, deviation);
        FAIL() << "no error";
    } catch (const EDeviceCommError& e) {
        EXPECT_EQ(e.id(), msg::kSensorBlockIncomplete);
        EXPECT_NE(std::string(e.what()).find("1000 of 2050 bytes arrived"), std::string::npos);
    }
    EXPECT_EQ(average, 7.0f);
    EXPECT_EQ(deviation, 8.0f);
}

TEST_F(MeasureTest, BlockWithoutReadableRecordsIsReported) {
    port.Arrive(clock.now + 20, std::vector<uint8_t>(kSensorReplyLength, '?'));
    float average = 7.0f;
    float deviation = 8.0f;
    EXPECT_THROW(MeasureReadings(link, kPressureOffset, average, deviation), EDeviceCommError);
    EXPECT_EQ(average, 7.0f);
}

}  // namespace
}  // namespace orvale::test
