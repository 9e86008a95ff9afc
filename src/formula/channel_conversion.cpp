#include "formula/channel_conversion.h"

#include <algorithm>
#include <cmath>

#include "core/calibration_check.h"
#include "core/pressure_altitude.h"

namespace orvale {

namespace {

constexpr int kRawMax = kChannelTableSize - 1;
constexpr int kRawPerReading = 16;  // the 8-bit reading scaled into the 12-bit range

}  // namespace

float ConvertReading(const AppState& state, uint16_t raw, int channelIndex) {
    const float reading = static_cast<float>(std::min<int>(raw, kRawMax) / kRawPerReading);
    switch (channelIndex) {
        case 0: {
            const float dodg = state.calibration.dodg;
            // A slope of zero (three equal calibration averages), or one whose conversion
            // overflows, has no meaning; reading 0 g keeps infinities out of the graph and the
            // gauges, as the summary does.
            if (!UsableSlope(dodg))
                return 0.0f;
            return (reading - state.results.zeroGReading) / dodg;
        }
        case 1:
            return PressureAltitude(state.calibration, reading,
                                    state.results.groundPressureReading);
        default:
            return reading;
    }
}

void BuildChannelTable(const AppState& state, int channelIndex, ChannelTable& table) {
    // Every raw value of one reading converts alike, so each reading is converted once and
    // fills its run of 16; a two-byte channel then finds a value at every index too.
    for (int reading = 0; reading * kRawPerReading < kChannelTableSize; ++reading) {
        const int first = reading * kRawPerReading;
        const float value = ConvertReading(state, static_cast<uint16_t>(first), channelIndex);
        std::fill_n(table.begin() + first, kRawPerReading, value);
    }
}

}  // namespace orvale
