// What a generated flight is made of: the rocket, its motors, the recorder's settings and sensors,
// and what really happened during the simulated flight.
#pragma once

#include <cstdint>
#include <vector>

namespace tavix {

struct MotorStage {
    double averageThrustLbf = 36.0;
    double burnTimeS = 2.0;
    double propellantLb = 0.42;
};

// The recorder's sensors and its own decisions, with the calibration the program starts with.
struct RecorderModel {
    double pressureGain = 1.0;
    double pressureOffset = 23.3;
    double seaLevelReading = 210.0;
    double readingsPerG = 3.4588;
    // Low enough that a boost of +15 g still fits in the byte.
    double zeroGReading = 72.0;
    double noiseSigma = 0.3;
    // The recorder keeps a finer pressure value than the byte it stores; it calls apogee once
    // that value has fallen by about this many feet, a fraction of a second after the top.
    double apogeeDropFt = 6.0;
};

struct FlightSpec {
    uint32_t seed = 1;
    bool drogueToMain = true;   // false: main only, fired at apogee
    bool noDrogueFire = false;  // drogue-to-main mode only: the drogue never fires
    int stages = 1;
    int mainAltitudeFt = 1200;  // 600, 1200 or 2400 above the launch site
    double siteElevationFt = 0.0;

    // The sustainer of a two-stage rocket, or the whole rocket, without propellant.
    double dryWeightLb = 3.0;
    double boosterDryWeightLb = 1.2;  // dropped when the sustainer lights
    double bodyDiameterIn = 2.6;
    double dragCoefficient = 0.5;
    MotorStage motor;      // the only motor, or the booster's
    MotorStage sustainer;  // second stage only
    double stagingCoastS = 1.8;

    // Sea-level descent rates of the recovered rocket.
    double drogueDescentFtS = 65.0;
    double mainDescentFtS = 20.0;
    double tumbleDescentFtS = 200.0;  // no parachute out: the airframe tumbles

    RecorderModel recorder;
};

// Times are seconds after launch, heights feet above the launch site.
struct FlightTruth {
    double apogeeFt = 0.0;
    double apogeeTime = 0.0;
    double maxSpeedFtS = 0.0;
    double maxSpeedTime = 0.0;
    double maxAccelG = 0.0;  // largest upward acceleration on the way up
    double drogueFireTime = -1.0;
    double mainFireTime = -1.0;
    double landingTime = -1.0;  // may lie beyond the end of the recorder's memory
};

struct GeneratedFlight {
    std::vector<uint8_t> file;  // the 8192-byte image and its 4-byte trailer
    FlightTruth truth;
};

// Throws std::invalid_argument for settings the recorder does not have, or a flight whose main
// would fire after the memory is full.
GeneratedFlight MakeFlight(const FlightSpec& spec);

}  // namespace tavix
