// What the resting recorder feels while it streams "/T" blocks: its attitude and the pressure
// reading, changed over time or block by block by a small script, so that a flyer without
// hardware (and a test) can walk a whole calibration or watch the gauges move.
//
//     # the barometer first, then upside down, flat and upright, one "/T" block each
//     block 1 gee 1 pressure 205
//     block 2 gee -1
//     block 3 gee 0
//     block 4 gee 1
//     # or by time: seconds since the emulator started serving
//     at 2.5 gee 3
//     at 3.0 gee 1 pressure 200
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavix {

struct SensorScene {
    double gee = 1.0;       // 1 upright, 0 flat, -1 upside down
    double pressure = 0.0;  // the raw pressure reading, 0 to 255
};

struct SensorChange {
    enum class When { Seconds, Block };
    When when = When::Seconds;
    double at = 0.0;  // seconds since serving started, or the block number (1 is the first "/T")
    std::optional<double> gee;
    std::optional<double> pressure;
};

// The scene at a moment of block `block`: every change whose time or block has come, applied in
// script order over start.
SensorScene SceneAt(const std::vector<SensorChange>& script, SensorScene start, double seconds,
                    int block);

struct SensorScript {
    std::vector<SensorChange> changes;
    std::string error;  // "line 3: ...", empty when the script is good
};

SensorScript ParseSensorScript(std::string_view text);

}  // namespace tavix
