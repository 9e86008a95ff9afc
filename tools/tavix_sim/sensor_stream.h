// What the recorder sends for "/T": 256 sensor records of a recorder at rest, each the ASCII form
// "aaa,ppp\r" (acceleration and pressure readings, three digits each), then "\r\n". What it
// feels may change from record to record as a sensor script says.
#pragma once

#include <cstdint>
#include <vector>

#include "flight_spec.h"
#include "sensor_noise.h"
#include "sensor_script.h"

namespace tavix {

constexpr int kSensorRecords = 256;
constexpr int kSensorBlockSize = kSensorRecords * 8 + 2;

class SensorStream {
public:
    // start.gee: the specific force along the recorder's axis, 1 standing upright, 0 lying flat,
    // -1 upside down; start.pressure: the raw pressure reading. noiseSigma in readings.
    SensorStream(const RecorderModel& recorder, SensorScene start, double noiseSigma, uint32_t seed,
                 std::vector<SensorChange> script = {});
    // The next block, whose first byte goes out at `start` seconds and each byte takes byteTime:
    // every record shows the scene of the moment it is sent.
    std::vector<uint8_t> NextBlock(double start = 0.0, double byteTime = 0.0);

private:
    RecorderModel recorder_;
    SensorScene start_;
    std::vector<SensorChange> script_;
    SensorNoise noise_;
    int blocks_ = 0;
};

}  // namespace tavix
