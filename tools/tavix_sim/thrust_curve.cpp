#include "thrust_curve.h"

#include <array>
#include <cstddef>

namespace tavix {

namespace {

struct ShapePoint {
    double u;  // share of the burn time
    double level;
};

constexpr std::array<ShapePoint, 5> kShape{{
    {0.0, 0.0},
    {0.05, 1.35},
    {0.15, 1.15},
    {0.85, 0.95},
    {1.0, 0.0},
}};

// Area under the shape from 0 to u, in units of u times level.
double ShapeArea(double u) {
    double area = 0.0;
    for (std::size_t i = 1; i < kShape.size(); ++i) {
        const ShapePoint& a = kShape[i - 1];
        const ShapePoint& b = kShape[i];
        if (u <= a.u)
            break;
        const double end = u < b.u ? u : b.u;
        const double slope = (b.level - a.level) / (b.u - a.u);
        const double endLevel = a.level + slope * (end - a.u);
        area += 0.5 * (a.level + endLevel) * (end - a.u);
    }
    return area;
}

double ShapeLevel(double u) {
    for (std::size_t i = 1; i < kShape.size(); ++i) {
        const ShapePoint& a = kShape[i - 1];
        const ShapePoint& b = kShape[i];
        if (u <= b.u)
            return a.level + (b.level - a.level) * (u - a.u) / (b.u - a.u);
    }
    return 0.0;
}

}  // namespace

ThrustCurve::ThrustCurve(double averageThrustLbf, double burnTimeS)
    : averageThrust_(averageThrustLbf), burnTime_(burnTimeS) {}

double ThrustCurve::Thrust(double t) const {
    if (t <= 0.0 || t >= burnTime_)
        return 0.0;
    return averageThrust_ * ShapeLevel(t / burnTime_) / ShapeArea(1.0);
}

double ThrustCurve::BurntFraction(double t) const {
    if (t <= 0.0)
        return 0.0;
    if (t >= burnTime_)
        return 1.0;
    return ShapeArea(t / burnTime_) / ShapeArea(1.0);
}

}  // namespace tavix
