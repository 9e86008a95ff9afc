#include "core/calibration_check.h"

#include <cmath>
#include <limits>

#include <cstdio>

namespace orvale {

namespace {

// The largest step a reading can make (a byte), the frames of a flight and 16 frames a second:
// the greatest speed and height a whole flight can integrate to with a given slope.
constexpr double kLargestReading = 255.0;
constexpr double kFrames = 4088.0;
constexpr double kGravity = 32.17;

}  // namespace

bool UsableSlope(float dodg) {
    if (!std::isfinite(dodg) || std::fpclassify(dodg) != FP_NORMAL)
        return false;
    const double perFrame = kGravity / std::fabs(static_cast<double>(dodg)) / 16.0;
    const double speed = 2.0 * kLargestReading * perFrame * kFrames;
    const double height = speed * kFrames / 16.0;
    return height < static_cast<double>(std::numeric_limits<float>::max());
}

std::optional<std::string> CalibrationProblem(const CalibrationData& cal) {
    if (UsableSlope(cal.dodg))
        return std::nullopt;
    char value[32];
    std::snprintf(value, sizeof value, "%g", static_cast<double>(cal.dodg));
    return std::string("do/dg ") + value +
           " makes the acceleration conversion meaningless: speeds and accelerations read 0";
}

}  // namespace orvale
