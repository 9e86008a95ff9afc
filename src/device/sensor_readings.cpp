#include "device/sensor_readings.h"

#include <cmath>

#include "device/device_link.h"
#include "device/message_table.h"

namespace orvale {

namespace {

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> ParseReading(const uint8_t* chars) {
    if (!IsDigit(chars[0]) || !IsDigit(chars[1]) || !IsDigit(chars[2]))
        return std::nullopt;
    return (chars[0] - '0') * 100 + (chars[1] - '0') * 10 + (chars[2] - '0');
}

std::optional<ReadingSummary> ReadingStatistics(const uint8_t* block, int offset) {
    float sum = 0.0f;
    float sumsq = 0.0f;
    int count = 0;
    for (int i = 0; i < kSensorRecords; ++i) {
        const std::optional<int> reading = ParseReading(block + kSensorRecordSize * i + offset);
        if (!reading)
            continue;
        const float x = static_cast<float>(*reading);
        sum += x;
        sumsq += x * x;
        ++count;
    }
    if (count == 0)
        return std::nullopt;
    ReadingSummary s;
    s.records = count;
    const float n = static_cast<float>(count);
    s.average = sum / n;
    if (count > 1) {
        // The absolute value guards against a variance a rounding below zero.
        const float variance = (sumsq - s.average * s.average * n) / (n - 1.0f);
        s.deviation = std::sqrt(std::fabs(variance));
    }
    return s;
}

const uint8_t* ReadCompleteSensorBlock(DeviceLink& link) {
    if (!link.ReadSensorBlock()) {
        const size_t got = link.port().IsOpen() ? link.port().BytesAvailable() : 0;
        link.RaiseDeviceError(
            msg::kSensorBlockIncomplete,
            std::to_string(got) + " of " + std::to_string(kSensorReplyLength) + " bytes arrived");
    }
    return link.state().device.receive.data();
}

void MeasureReadings(DeviceLink& link, int offset, float& average, float& deviation) {
    const std::optional<ReadingSummary> s =
        ReadingStatistics(ReadCompleteSensorBlock(link), offset);
    if (!s)
        link.RaiseDeviceError(msg::kNoReadableRecords);
    average = s->average;
    deviation = s->deviation;
}

}  // namespace orvale
