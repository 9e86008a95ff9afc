// Forces on the rocket: motor thrust, weight that falls as propellant burns and the booster drops
// away, and air drag through whatever is facing the airflow at the moment.
#pragma once

#include "flight_spec.h"
#include "thrust_curve.h"

namespace tavix {

class RocketModel {
public:
    explicit RocketModel(const FlightSpec& spec);

    double LastBurnEnd() const;
    double Thrust(double t) const;
    double WeightLb(double t) const;

    // Upward acceleration in ft/s² of the rocket in the air.
    double Acceleration(double t, double heightFt, double speedFtS) const;
    // Thrust and drag per weight, the part of the acceleration an accelerometer can feel.
    double AxialForceG(double t, double heightFt, double speedFtS) const;

    // The drag area (drag coefficient times area, ft²) for a steady descent at this rate.
    double DescentDragArea(double rateFtS) const;
    // Moves the drag area to a new value, reached after rampS seconds. Canopies fill slowly at
    // first and snap open at the end, so the change grows with the square of the time.
    void ChangeDrag(double t, double toArea, double rampS);

private:
    double DragArea(double t) const;
    double DragLbf(double t, double heightFt, double speedFtS) const;

    const FlightSpec& spec_;
    ThrustCurve booster_;
    ThrustCurve sustainer_;
    double boosterIgnition_;
    double sustainerIgnition_;
    double changeStart_ = 0.0;
    double fromArea_;
    double toArea_;
    double rampS_ = 0.0;
};

}  // namespace tavix
