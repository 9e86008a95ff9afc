// A composite motor's thrust over its burn: a quick spike at ignition, a slowly falling plateau,
// and a tail-off, scaled so that the average over the burn is the motor's average thrust.
#pragma once

#include "flight_spec.h"

namespace tavix {

class ThrustCurve {
public:
    ThrustCurve() = default;
    ThrustCurve(double averageThrustLbf, double burnTimeS);

    double BurnTime() const { return burnTime_; }
    // Both take the time since ignition; outside the burn the thrust is zero.
    double Thrust(double t) const;
    // Share of the total impulse delivered so far, which is also the share of propellant burnt.
    double BurntFraction(double t) const;

private:
    double averageThrust_ = 0.0;
    double burnTime_ = 0.0;
};

}  // namespace tavix
