#include "core/pressure_altitude.h"

#include <cmath>

namespace orvale {

float PressureAltitude(const CalibrationData& cal, float reading, float reference) {
    if (!(reading > 0.0f))
        return kNoHeight;
    // Each product is rounded to single before the offset is added.
    const float scaled = reading * cal.gainbp;
    const float scaledRef = reference * cal.gainbp;
    const float p = scaled + cal.offbp;
    const float p0 = scaledRef + cal.offbp;
    // A calibration that makes the reference pressure zero or negative (or a ratio that is not
    // positive) has no height; without this guard the result would be infinite or NaN.
    if (!(p0 > 0.0f))
        return kNoHeight;
    const float ratio = p / p0;
    if (!(ratio > 0.0f) || !std::isfinite(ratio))
        return kNoHeight;
    const float l = static_cast<float>(std::log(static_cast<long double>(ratio)));
    const long double e = std::exp(static_cast<long double>(l) / 5.2556L);
    const float height = static_cast<float>((1.0L - e) / 0.00000688L);
    return height;
}

}  // namespace orvale
