#include "rocket_model.h"

#include <cmath>
#include <numbers>

#include "atmosphere.h"

namespace tavix {

namespace {
// The recorder triggers on the first surge of thrust and keeps a few frames from before it, so
// the motor lights a moment before the recorder's time zero.
constexpr double kIgnitionTime = -1.0 / 32.0;
constexpr double kSeaLevelDensity = 0.0023769;
}  // namespace

RocketModel::RocketModel(const FlightSpec& spec)
    : spec_(spec),
      booster_(spec.motor.averageThrustLbf, spec.motor.burnTimeS),
      boosterIgnition_(kIgnitionTime) {
    sustainerIgnition_ = boosterIgnition_ + booster_.BurnTime() + spec.stagingCoastS;
    if (spec.stages == 2) {
        sustainer_ = ThrustCurve(spec.sustainer.averageThrustLbf, spec.sustainer.burnTimeS);
    }
    const double radiusFt = spec.bodyDiameterIn / 24.0;
    fromArea_ = toArea_ = spec.dragCoefficient * std::numbers::pi * radiusFt * radiusFt;
}

double RocketModel::LastBurnEnd() const {
    if (spec_.stages == 2)
        return sustainerIgnition_ + sustainer_.BurnTime();
    return boosterIgnition_ + booster_.BurnTime();
}

double RocketModel::Thrust(double t) const {
    double thrust = booster_.Thrust(t - boosterIgnition_);
    if (spec_.stages == 2)
        thrust += sustainer_.Thrust(t - sustainerIgnition_);
    return thrust;
}

double RocketModel::WeightLb(double t) const {
    double weight = spec_.dryWeightLb +
                    spec_.motor.propellantLb * (1.0 - booster_.BurntFraction(t - boosterIgnition_));
    if (spec_.stages == 2) {
        if (t < sustainerIgnition_)
            weight += spec_.boosterDryWeightLb;
        weight +=
            spec_.sustainer.propellantLb * (1.0 - sustainer_.BurntFraction(t - sustainerIgnition_));
    }
    return weight;
}

double RocketModel::DragArea(double t) const {
    if (rampS_ <= 0.0 || t >= changeStart_ + rampS_)
        return toArea_;
    if (t <= changeStart_)
        return fromArea_;
    const double u = (t - changeStart_) / rampS_;
    return fromArea_ + (toArea_ - fromArea_) * u * u;
}

double RocketModel::DragLbf(double t, double heightFt, double speedFtS) const {
    const double density = AirDensity(spec_.siteElevationFt + heightFt);
    return -0.5 * density * DragArea(t) * speedFtS * std::abs(speedFtS);
}

double RocketModel::Acceleration(double t, double heightFt, double speedFtS) const {
    return AxialForceG(t, heightFt, speedFtS) * kGravityFtS2 - kGravityFtS2;
}

double RocketModel::AxialForceG(double t, double heightFt, double speedFtS) const {
    return (Thrust(t) + DragLbf(t, heightFt, speedFtS)) / WeightLb(t);
}

double RocketModel::DescentDragArea(double rateFtS) const {
    // Only the sustainer comes down under the recorder's parachutes.
    return 2.0 * spec_.dryWeightLb / (kSeaLevelDensity * rateFtS * rateFtS);
}

void RocketModel::ChangeDrag(double t, double toArea, double rampS) {
    fromArea_ = DragArea(t);
    toArea_ = toArea;
    changeStart_ = t;
    rampS_ = rampS;
}

}  // namespace tavix
