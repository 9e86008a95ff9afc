#include "device/calibration_fit.h"

namespace orvale {

void CalcGee(CalibrationData& c) {
    // Worked in double, each result stored as single; the residuals use the stored values.
    const double ym = c.avgMinus1g;
    const double y0 = c.avg0g;
    const double yp = c.avgPlus1g;
    c.fid0 = static_cast<float>(y0 - ym);
    c.fid1 = static_cast<float>(yp - y0);
    c.dodg = static_cast<float>((yp - ym) / 2.0);
    c.y0 = static_cast<float>((ym + y0 + yp) / 3.0);

    const double slope = c.dodg;
    const double intercept = c.y0;
    const double rm = ym + slope - intercept;
    const double r0 = y0 - intercept;
    const double rp = yp - slope - intercept;
    // 65025 is 255 squared: each average stands for 255 readings.
    const double r = 65025.0 * (rm * rm + r0 * r0 + rp * rp) / 763.0;
    const double s = 255.0 * (ym + y0 + yp);
    const double q = 255.0 * (ym * ym + y0 * y0 + yp * yp);
    const double v = (q - s * s / 765.0) / 764.0;
    if (v != 0.0)
        c.ccoff = static_cast<float>(1.0 - r / v);
}

}  // namespace orvale
