#include "sensor_stream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

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

SensorStream::SensorStream(const RecorderModel& recorder, SensorScene start, double noiseSigma,
                           uint32_t seed, std::vector<SensorChange> script)
    : recorder_(recorder), start_(start), script_(std::move(script)), noise_(seed, noiseSigma) {}

std::vector<uint8_t> SensorStream::NextBlock(double start, double byteTime) {
    ++blocks_;
    std::vector<uint8_t> block(kSensorBlockSize);
    for (int i = 0; i < kSensorRecords; ++i) {
        // A record is what the sensors read when its last byte goes out.
        const SensorScene scene =
            SceneAt(script_, start_, start + 8.0 * (i + 1) * byteTime, blocks_);
        // The flight image's zero-g reading is the recorder at rest upright, at 1 g.
        const double accel = recorder_.zeroGReading + (scene.gee - 1.0) * recorder_.readingsPerG;
        uint8_t* record = block.data() + 8 * i;
        PutDigits(Reading(accel + noise_.Next()), record);
        record[3] = ',';
        PutDigits(Reading(scene.pressure + noise_.Next()), record + 4);
        record[7] = '\r';
    }
    block[kSensorBlockSize - 2] = '\r';
    block[kSensorBlockSize - 1] = '\n';
    return block;
}

}  // namespace tavix
