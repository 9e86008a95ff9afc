#include "device/dial_scale.h"

#include <algorithm>
#include <cmath>

#include "core/calibration_check.h"

namespace orvale {

namespace {

constexpr float kDefaultGLimit = 10.0f;
constexpr float kHighestReading = 255.0f;

}  // namespace

float NeedleAngle(const DialScale& scale, float value) {
    const float span = scale.high - scale.low;
    if (!std::isfinite(value) || !(span > 0.0f))
        return scale.startDeg;
    float share = (value - scale.low) / span;
    if (scale.wraps)
        share -= std::floor(share);
    else
        share = std::clamp(share, 0.0f, 1.0f);
    return scale.startDeg + share * scale.sweepDeg;
}

bool OffScale(const DialScale& scale, float value) {
    return !scale.wraps && std::isfinite(value) && (value < scale.low || value > scale.high);
}

std::vector<float> ScaleTicks(float low, float high, int about) {
    std::vector<float> ticks;
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) || about < 1)
        return ticks;
    const double rough = (static_cast<double>(high) - low) / about;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double factor : {2.0, 5.0, 10.0})
        if (step < rough)
            step = factor * power;
    // Whole steps from the first one at or above low; the count is bounded by the choice of step.
    for (double t = std::ceil(low / step) * step; t <= high + step * 1e-6; t += step)
        ticks.push_back(std::abs(t) < step * 1e-6 ? 0.0f : static_cast<float>(t));
    return ticks;
}

DialScale GMeterScale(const CalibrationData& calibration) {
    DialScale scale;
    scale.low = -kDefaultGLimit;
    scale.high = kDefaultGLimit;
    if (!UsableSlope(calibration.dodg))
        return scale;
    const float atZero = (0.0f - calibration.avg0g) / calibration.dodg;
    const float atTop = (kHighestReading - calibration.avg0g) / calibration.dodg;
    const float low = std::floor(std::min(atZero, atTop));
    const float high = std::ceil(std::max(atZero, atTop));
    // A slope too steep for a whole g between the ends is still shown over one g.
    if (std::isfinite(low) && std::isfinite(high) && high - low >= 1.0f) {
        scale.low = low;
        scale.high = high;
    }
    return scale;
}

}  // namespace orvale
