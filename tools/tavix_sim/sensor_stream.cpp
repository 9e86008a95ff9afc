#include "sensor_stream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "recorder_image.h"

namespace tavix {

namespace {

int Reading(double value) {
    return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

void PutDigits(int value, uint8_t* out) {
    char text[4];
    std::snprintf(text, sizeof text, "%03d", value);
    std::copy(text, text + 3, out);
}

}  // namespace

SensorStream::SensorStream(const RecorderModel& recorder, double gee, uint32_t seed)
    : recorder_(recorder), gee_(gee), noise_(seed, recorder.noiseSigma) {}

std::vector<uint8_t> SensorStream::NextBlock() {
    // The flight image's zero-g reading is the recorder at rest upright, at 1 g.
    const double accel = recorder_.zeroGReading + (gee_ - 1.0) * recorder_.readingsPerG;
    const double pressure = SiteReading(recorder_, 0.0);
    std::vector<uint8_t> block(kSensorBlockSize);
    for (int i = 0; i < kSensorRecords; ++i) {
        uint8_t* record = block.data() + 8 * i;
        PutDigits(Reading(accel + noise_.Next()), record);
        record[3] = ',';
        PutDigits(Reading(pressure + noise_.Next()), record + 4);
        record[7] = '\r';
    }
    block[kSensorBlockSize - 2] = '\r';
    block[kSensorBlockSize - 1] = '\n';
    return block;
}

}  // namespace tavix
