// What the recorder sends for "/T": 256 sensor records of a recorder lying still, each the ASCII
// form "aaa,ppp\r" (acceleration and pressure readings, three digits each), then "\r\n".
#pragma once

#include <cstdint>
#include <vector>

#include "flight_spec.h"
#include "sensor_noise.h"

namespace tavix {

constexpr int kSensorRecords = 256;
constexpr int kSensorBlockSize = kSensorRecords * 8 + 2;

class SensorStream {
public:
    // gee: the specific force along the recorder's axis, 1 standing upright, 0 lying flat, -1
    // upside down.
    SensorStream(const RecorderModel& recorder, double gee, uint32_t seed);
    std::vector<uint8_t> NextBlock();

private:
    RecorderModel recorder_;
    double gee_;
    SensorNoise noise_;
};

}  // namespace tavix
