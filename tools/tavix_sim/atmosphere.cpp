#include "atmosphere.h"

#include <cmath>

namespace tavix {

namespace {
constexpr double kLapseFactor = 6.88e-6;  // per foot
constexpr double kPressureExponent = 5.2556;
constexpr double kSeaLevelDensity = 0.0023769;
}  // namespace

double PressureRatio(double heightFt) {
    return std::pow(1.0 - kLapseFactor * heightFt, kPressureExponent);
}

double AirDensity(double altitudeFt) {
    // Density follows pressure over temperature, which in this atmosphere drops one power.
    return kSeaLevelDensity * std::pow(1.0 - kLapseFactor * altitudeFt, kPressureExponent - 1.0);
}

}  // namespace tavix
