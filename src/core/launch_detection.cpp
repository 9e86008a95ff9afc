#include "core/launch_detection.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/calibration_check.h"
#include "core/image_decode.h"

namespace orvale {

namespace {

uint8_t AccelReading(const AppState& state, int32_t frame) {
    return state.image[static_cast<size_t>(image_offset::kFirstFrame + 2 * frame)];
}

}  // namespace

std::optional<int32_t> LaunchFrame(const AppState& state) {
    if (state.loadedDataSize == 0 || state.image.size() < static_cast<size_t>(kImageSize))
        return std::nullopt;
    std::array<float, 4> pad{};
    for (int32_t k = 0; k < 4; ++k)
        pad[static_cast<size_t>(k)] = AccelReading(state, k);
    std::sort(pad.begin(), pad.end());
    const float rest = (pad[1] + pad[2]) / 2.0f;

    const float dodg = state.calibration.dodg;
    const float oneG = UsableSlope(dodg) ? std::fabs(dodg) : 0.0f;
    const float band = std::max(oneG, kRestBandReadings);

    int32_t run = 0;
    for (int32_t k = 0; k < kFrameCount; ++k) {
        if (std::fabs(AccelReading(state, k) - rest) > band) {
            if (++run == kLaunchFrames)
                return k - (kLaunchFrames - 1);
        } else {
            run = 0;
        }
    }
    return std::nullopt;
}

std::optional<double> LaunchTime(const AppState& state) {
    const std::optional<int32_t> frame = LaunchFrame(state);
    if (!frame || state.samplesPerSecond <= 0)
        return std::nullopt;
    return static_cast<double>(*frame + state.firstSampleNumber) / state.samplesPerSecond;
}

}  // namespace orvale
