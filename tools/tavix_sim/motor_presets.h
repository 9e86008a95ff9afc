// Motors a flyer can name on the command line instead of giving thrust and burn time.
#pragma once

#include <optional>
#include <string_view>

#include "flight_spec.h"

namespace tavix {

// SMALL, MEDIUM or LARGE, in any letter case.
std::optional<MotorStage> MotorPreset(std::string_view name);

// A motor of this average thrust and burn time, with a typical composite propellant load.
MotorStage MotorFromThrust(double averageThrustLbf, double burnTimeS);

}  // namespace tavix
