// The rocket's vertical flight, integrated finely and sampled at the recorder's frame times, with
// the recorder's own decisions to fire the recovery charges.
#pragma once

#include <vector>

#include "flight_spec.h"

namespace tavix {

constexpr int kFrameCount = 4088;
constexpr int kLaunchFrame = 4;
constexpr int kFramesPerSecond = 16;

inline double FrameTime(int frame) {
    return static_cast<double>(frame - kLaunchFrame) / kFramesPerSecond;
}

struct FlightTrack {
    std::vector<double> heightFt;     // per frame, above the launch site
    std::vector<double> axialForceG;  // per frame, what the accelerometer feels: 1 at rest
    int drogueFrame = -1;
    int mainFrame = -1;
    FlightTruth truth;
};

// Throws std::invalid_argument when the rocket never leaves the pad, falls back while its motors
// are still to burn, or would fire its main after the recorder's memory is full.
FlightTrack FlyRocket(const FlightSpec& spec);

}  // namespace tavix
