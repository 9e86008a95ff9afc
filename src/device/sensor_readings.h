// The recorder's sensor stream: blocks of 8-byte records, each "aaa?ppp?" with the acceleration
// reading in characters 0-2 and the pressure reading in characters 4-6 as decimal digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvale {

class DeviceLink;

constexpr int kSensorRecordSize = 8;
constexpr int kSensorRecords = 256;
constexpr int kAccelOffset = 0;
constexpr int kPressureOffset = 4;

// The number written by three characters, or nothing when any of them is not a digit: such a
// reading is a bad record, not a number.
std::optional<int> ParseReading(const uint8_t* chars);

struct ReadingSummary {
    float average = 0.0f;
    float deviation = 0.0f;
    int records = 0;  // readable records the figures come from
};

// Average and standard deviation of the readings at offset (0 acceleration, 4 pressure) of the
// 256 records that start at block, in single precision. Records whose reading is not three digits
// are left out; nothing when fewer than one remains.
std::optional<ReadingSummary> ReadingStatistics(const uint8_t* block, int offset);

// Reads one block of sensor records into the receive buffer and returns its start. A block that
// did not arrive complete is reported (EDeviceCommError): statistics are never taken from stale
// bytes.
const uint8_t* ReadCompleteSensorBlock(DeviceLink& link);

// A calibration reading step: reads one block from the recorder and stores the statistics of the
// readings at offset in average and deviation. A block that did not arrive complete, or holds no
// readable record, is reported (EDeviceCommError) and both values stay as they were.
void MeasureReadings(DeviceLink& link, int offset, float& average, float& deviation);

}  // namespace orvale
