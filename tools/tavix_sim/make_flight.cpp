#include <cmath>
#include <stdexcept>
#include <string>

#include "flight_physics.h"
#include "flight_spec.h"
#include "recorder_image.h"

namespace tavix {

namespace {

void Require(bool ok, const char* what) {
    if (!ok)
        throw std::invalid_argument(what);
}

bool Positive(double x) {
    return std::isfinite(x) && x > 0.0;
}

void CheckMotor(const MotorStage& motor) {
    Require(Positive(motor.averageThrustLbf), "motor thrust must be positive");
    Require(Positive(motor.burnTimeS), "motor burn time must be positive");
    Require(std::isfinite(motor.propellantLb) && motor.propellantLb >= 0.0,
            "propellant weight must not be negative");
}

void CheckSpec(const FlightSpec& spec) {
    Require(spec.stages == 1 || spec.stages == 2, "stages must be 1 or 2");
    Require(
        spec.mainAltitudeFt == 600 || spec.mainAltitudeFt == 1200 || spec.mainAltitudeFt == 2400,
        "main altitude must be 600, 1200 or 2400 feet");
    Require(spec.drogueToMain || !spec.noDrogueFire,
            "a missing drogue fire needs drogue-to-main mode");
    // Beyond this range the site's pressure no longer fits the recorder's byte.
    Require(std::isfinite(spec.siteElevationFt) && spec.siteElevationFt >= -1000.0 &&
                spec.siteElevationFt <= 12000.0,
            "site elevation must be between -1000 and 12000 feet");
    Require(Positive(spec.dryWeightLb), "dry weight must be positive");
    Require(Positive(spec.bodyDiameterIn), "body diameter must be positive");
    Require(std::isfinite(spec.dragCoefficient) && spec.dragCoefficient >= 0.0,
            "drag coefficient must not be negative");
    Require(Positive(spec.drogueDescentFtS) && Positive(spec.mainDescentFtS) &&
                Positive(spec.tumbleDescentFtS),
            "descent rates must be positive");
    CheckMotor(spec.motor);
    if (spec.stages == 2) {
        CheckMotor(spec.sustainer);
        Require(std::isfinite(spec.boosterDryWeightLb) && spec.boosterDryWeightLb >= 0.0,
                "booster weight must not be negative");
        Require(std::isfinite(spec.stagingCoastS) && spec.stagingCoastS >= 0.0,
                "staging coast must not be negative");
    }
    Require(std::isfinite(spec.recorder.noiseSigma) && spec.recorder.noiseSigma >= 0.0,
            "sensor noise must not be negative");
}

}  // namespace

GeneratedFlight MakeFlight(const FlightSpec& spec) {
    CheckSpec(spec);
    const FlightTrack track = FlyRocket(spec);
    return {RecordImage(spec, track), track.truth};
}

}  // namespace tavix
