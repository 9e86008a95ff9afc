// Where a dial gauge's needle points for a value: the geometry of the Live Data gauges, kept
// apart from the painting so that it can be checked without a display.
#pragma once

#include <vector>

#include "core/app_state.h"

namespace orvale {

// A scale from low to high, laid clockwise over sweepDeg degrees from startDeg. Angles are
// degrees clockwise from twelve o'clock. A wrapping scale goes round the whole dial as a clock's
// hands do (the altimeter): a value beyond it goes round again. Any other scale pins a value
// beyond an end at that end.
struct DialScale {
    float low = 0.0f;
    float high = 10.0f;
    float startDeg = -135.0f;
    float sweepDeg = 270.0f;
    bool wraps = false;
};

// The needle's angle for value. A value that is not a number points at low.
float NeedleAngle(const DialScale& scale, float value);

// Whether value lies beyond a pinned scale's ends, so the dial can say its needle is pinned.
bool OffScale(const DialScale& scale, float value);

// Values for labelled ticks from low to high in a round step (1, 2 or 5 times a power of ten)
// giving about `about` intervals.
std::vector<float> ScaleTicks(float low, float high, int about);

// The g meter's scale: every acceleration the calibrated accelerometer can read, readings 0 to
// 255 converted with the zero-g reading and slope, widened to whole g. A calibration whose
// slope has no meaning gives -10 to +10 g.
DialScale GMeterScale(const CalibrationData& calibration);

}  // namespace orvale
