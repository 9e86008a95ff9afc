#include "core/summary_pass.h"

#include <cmath>
#include <cstdint>

#include "core/calibration_check.h"
#include "core/image_decode.h"
#include "core/units.h"

namespace orvale {

namespace {

// Constants of the pass, in readings, frames and ft/s^2 per g.
constexpr float kGravity = kFeetPerSecond2PerG;
constexpr float kSlowWeight = 0.1f;
constexpr float kCoastThreshold = -0.8f;
constexpr float kSteadinessLimit = 0.5f;
constexpr float kReignitionThreshold = 1.0f;
constexpr float kEventJump = 2.0f;
constexpr int32_t kLastFrameBound = 4088;

}  // namespace

void ResetSummaryResults(FlightResults& r) {
    r.maxInertialHeight = r.maxInertialHeightTime = 0.0f;
    r.maxSpeed = r.maxSpeedTime = 0.0f;
    r.maxAccel = r.maxAccelTime = 0.0f;
    r.minAccel = r.minAccelTime = 0.0f;
}

void RunSummaryPass(AppState& state) {
    FlightResults& r = state.results;
    const uint8_t* image = state.image.data();
    const float dodg = state.calibration.dodg;
    // A do/dg of zero, a damaged value or one so small that the conversion overflows has no
    // meaning as a slope: speeds and accelerations then read 0 rather than infinities.
    const bool usableSlope = UsableSlope(dodg);
    const float coefficient = FilterCoefficient(state.channels[0].filter);
    const float ground = r.groundPressureReading;
    const float zeroG = r.zeroGReading;
    const int32_t limit = r.deploymentLimit;

    int64_t coastsLeft = static_cast<int64_t>(state.flight.stages) - 1;
    float a = 0.0f, f = 0.0f, v = 0.0f, h = 0.0f, m = 0.0f;
    bool coasting = false;
    r.deploymentDetectedTime = -1.0f;
    const float K = usableSlope ? kGravity / dodg / 2.0f / 16.0f : 0.0f;
    float endOfFlight = static_cast<float>(kLastFrameBound);
    bool landed = false;

    for (int32_t k = 0; k < kFrameCount; ++k) {
        const int32_t s = k - 3;
        const float A = image[image_offset::kFirstFrame + 2 * k];
        const float P = image[image_offset::kFirstFrame + 2 * k + 1];
        const float aPrev = a;
        a = A - zeroG;
        const float fNew = f + (a - f) * coefficient;
        v = v + (f + fNew) * K;
        f = fNew;
        const float mNew = m + (a - m) * kSlowWeight;
        if (!coasting && mNew < kCoastThreshold && std::fabs(mNew - m) < kSteadinessLimit)
            coasting = true;
        if (coasting && coastsLeft > 0 && mNew > kReignitionThreshold) {
            coasting = false;
            --coastsLeft;
        }
        m = mNew;
        h = h + v / 16.0f;
        if (r.deploymentDetectedTime < 0.0f && coasting && coastsLeft == 0 &&
            std::fabs(aPrev - a) > kEventJump)
            r.deploymentDetectedTime = static_cast<float>(s - 1) / 16.0f;

        const float t = static_cast<float>(s) / 16.0f;
        if (s <= limit) {
            if (h > r.maxInertialHeight) {
                r.maxInertialHeight = h;
                r.maxInertialHeightTime = t;
            }
            if (v > r.maxSpeed) {
                r.maxSpeed = v;
                r.maxSpeedTime = t;
            }
            if (s < limit) {
                if (f < r.minAccel) {
                    r.minAccel = f;
                    r.minAccelTime = t;
                }
                if (f > r.maxAccel) {
                    r.maxAccel = f;
                    r.maxAccelTime = t;
                }
            }
        } else if (P >= ground && !landed && s + kLandingMargin < kLastFrameBound) {
            endOfFlight = static_cast<float>(s + kLandingMargin);
            landed = true;
        }
    }

    if (usableSlope) {
        r.maxAccel = r.maxAccel / dodg;
        r.minAccel = r.minAccel / dodg;
    } else {
        r.maxAccel = r.minAccel = 0.0f;
    }
    // Whatever the calibration, no result is infinite or NaN: one that is reads as with do/dg 0.
    for (float value : {r.maxInertialHeight, r.maxSpeed, r.maxAccel, r.minAccel}) {
        if (!std::isfinite(value)) {
            ResetSummaryResults(r);
            break;
        }
    }
    state.endOfFlightTime = endOfFlight / static_cast<float>(state.samplesPerSecond);
}

}  // namespace orvale
