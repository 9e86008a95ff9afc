#pragma once

#include "core/app_state.h"

namespace orvale {

// Marker height for a reading that cannot be turned into a height.
constexpr float kNoHeight = 999999.0f;

// Height in feet of a pressure reading above the place where the reference reading was taken,
// by the standard atmosphere, through the calibration's pressure gain and offset.
float PressureAltitude(const CalibrationData& cal, float reading, float reference);

}  // namespace orvale
