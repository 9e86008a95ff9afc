// Whether a calibration gives the acceleration conversion a meaning: do/dg turns readings into
// g, and a slope of zero, a subnormal or non-finite one, or one so small that a flight's speeds
// or heights overflow, turns every flight into zeros or infinities.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"

namespace orvale {

// True when do/dg converts every reading of a whole flight to finite speeds and heights.
bool UsableSlope(float dodg);

// A warning naming the value when the calibration makes the conversion meaningless; nullopt
// for a usable calibration.
std::optional<std::string> CalibrationProblem(const CalibrationData& cal);

}  // namespace orvale
