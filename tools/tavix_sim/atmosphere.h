// The standard atmosphere as the recorder's pressure sensor sees it.
#pragma once

namespace tavix {

constexpr double kGravityFtS2 = 32.17;

// Pressure at a height above a reference place, as a fraction of the pressure there.
double PressureRatio(double heightFt);

// Air density in slugs per cubic foot at an altitude above sea level.
double AirDensity(double altitudeFt);

}  // namespace tavix
