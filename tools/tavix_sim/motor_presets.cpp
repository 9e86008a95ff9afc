#include "motor_presets.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tavix {

namespace {
// Delivered impulse per pound of composite propellant, in seconds.
constexpr double kSpecificImpulseS = 170.0;
}  // namespace

std::optional<MotorStage> MotorPreset(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "SMALL")
        return MotorFromThrust(25.0, 1.6);  // about 180 N·s
    if (upper == "MEDIUM")
        return MotorFromThrust(36.0, 2.0);  // about 320 N·s
    if (upper == "LARGE")
        return MotorFromThrust(40.0, 3.2);  // about 570 N·s
    return std::nullopt;
}

MotorStage MotorFromThrust(double averageThrustLbf, double burnTimeS) {
    return {averageThrustLbf, burnTimeS, averageThrustLbf * burnTimeS / kSpecificImpulseS};
}

}  // namespace tavix
