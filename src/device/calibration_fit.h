// The accelerometer's calibration line through its averages at -1 g, 0 g and +1 g.
#pragma once

#include "core/app_state.h"

namespace orvale {

// From avg-1g, avg0g and avg+1g: the finite differences fid(0) and fid(1), the slope do/dg and
// intercept y[0] of the least-squares line, and its goodness of fit ccoff (kept as it was when
// the three averages are equal and the fit says nothing).
void CalcGee(CalibrationData& c);

}  // namespace orvale
