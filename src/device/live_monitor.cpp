#include "device/live_monitor.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "device/device_link.h"
#include "device/sensor_readings.h"
#include "formula/channel_conversion.h"

namespace orvale {

namespace {

constexpr int kAccelChannel = 0;
constexpr int kPressureChannel = 1;

// A reading as the evaluator takes it: scaled by 16 into the 12-bit range.
uint16_t ScaledReading(int reading) {
    return static_cast<uint16_t>(std::nearbyint(static_cast<float>(reading)) * 16.0f);
}

}  // namespace

void StartLiveMonitor(DeviceLink& link, LiveNeedles& needles) {
    AppState& state = link.state();
    DeviceState& device = state.device;
    link.OpenPort();
    // Nothing left over from an earlier exchange may pass for a record.
    std::fill_n(device.receive.begin(), kSensorRecordSize, uint8_t{0});
    link.SendCommand('T');
    device.recordCount = 0;
    state.results.zeroGReading = state.calibration.avg0g;
    state.results.groundPressureReading = state.calibration.avgbp;
    device.maxG = 0.0f;
    device.minG = 0.0f;
    needles.gMeter[2] = 0.0f;
    needles.gMeter[3] = 0.0f;
}

int ReadLiveRecords(DeviceLink& link) {
    SerialPort& port = link.port();
    DeviceState& device = link.state().device;
    int taken = 0;
    while (port.BytesAvailable() >= kSensorRecordSize) {
        port.ReadBlock(device.receive.data(), kSensorRecordSize);
        ++device.recordCount;
        ++taken;
    }
    if (device.recordCount > kSensorRecords - 1) {
        const size_t rest = port.BytesAvailable();
        if (rest > 0)
            port.ReadBlock(device.receive.data(), rest);
    }
    return taken;
}

LiveTickResult LiveMonitorTick(DeviceLink& link, LiveNeedles& needles, int* taken) {
    AppState& state = link.state();
    DeviceState& device = state.device;
    if (taken)
        *taken = 0;
    if (!link.port().IsOpen())
        return LiveTickResult::PortClosed;
    const int records = ReadLiveRecords(link);
    if (taken)
        *taken = records;
    const uint8_t* record = device.receive.data();
    if (record[0] < '0' || record[0] > '9') {
        link.SendCommand('T');
        device.recordCount = 0;
        return LiveTickResult::Restarted;
    }
    const std::optional<int> accel = ParseReading(record + kAccelOffset);
    const std::optional<int> pressure = ParseReading(record + kPressureOffset);
    if (!accel || !pressure)
        return LiveTickResult::BadRecord;

    needles.gMeter[1] = static_cast<float>(*accel);
    const float g = ConvertReading(state, ScaledReading(*accel), kAccelChannel);
    if (g > device.maxG) {
        device.maxG = g;
        needles.gMeter[2] = g;
    }
    if (g < device.minG) {
        device.minG = g;
        needles.gMeter[3] = g;
    }
    needles.gMeter[0] = g;

    needles.altimeter[2] = static_cast<float>(*pressure);
    // The channel's height is in feet; the dial reads in the flyer's units, converted once.
    const float h = static_cast<float>(
        InUnits(ConvertReading(state, ScaledReading(*pressure), kPressureChannel) +
                    state.calibration.actalt,
                state.settings.units));
    needles.altimeter[1] = h / 100.0f;
    needles.altimeter[3] = h;
    float f = h / 100.0f;
    // Subtracting 10 from a huge value changes nothing: a wild calibration must not hang the
    // window.
    if (std::isfinite(f) && f >= 1.0e4f)
        f = std::fmod(f, 10.0f);
    while (std::isfinite(f) && f >= 10.0f)
        f -= 10.0f;
    needles.altimeter[0] = f;
    return LiveTickResult::Shown;
}

}  // namespace orvale
