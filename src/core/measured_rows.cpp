#include "core/measured_rows.h"

#include <cmath>

#include "core/pressure_altitude.h"
#include "core/text_format.h"

namespace orvale {

namespace {

// A row never shows inf or nan, whatever the calibration: such a value reads as 0.
float Finite(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

std::string PressureHeight(float feet, Units units) {
    return std::to_string(WholePressureHeight(feet, units));
}

}  // namespace

int32_t WholePressureHeight(float feet, Units units) {
    if (feet == kNoHeight)
        return RoundToInt32(feet);
    return RoundToInt32(InUnits(feet, units));
}

void WriteMeasuredRows(SummaryRows& rows, Units units) {
    if (!rows.figures)
        return;
    const SummaryFigures& f = *rows.figures;
    const UnitNames& n = NamesOf(units);
    const std::string unit = std::string(" ") + n.length;
    const auto at = [](float t) { return " @ " + Fixed(t, 5, 4) + " sec"; };
    const auto eventRow = [&](float time, float height) {
        return Fixed(time, 5, 4) + " sec    ( " + PressureHeight(height, units) + unit + " AGL)";
    };
    const auto accelRow = [&](float g, float t) {
        return Fixed(InUnits(g * kFeetPerSecond2PerG, units), 3, 2) + " " + n.accel + " (" +
               Fixed(g, 3, 1) + "G)" + at(t);
    };

    rows[SummaryRow::LaunchAlt] =
        std::to_string(RoundToInt32(InUnits(Finite(f.launchSiteAltitude), units))) + " " + n.word;
    rows[SummaryRow::DrogueFireTime] = eventRow(f.drogueTime, Finite(f.drogueHeight));
    rows[SummaryRow::MainFireTime] = eventRow(f.mainTime, Finite(f.mainHeight));
    rows[SummaryRow::MaxPressureAlt] =
        PressureHeight(f.apogeeHeight, units) + unit + at(f.apogeeTime);
    rows[SummaryRow::MaxInertialAlt] =
        Fixed(InUnits(f.maxInertialHeight, units), 1, 0) + unit + at(f.maxInertialHeightTime);
    rows[SummaryRow::MaxVelocity] =
        Fixed(InUnits(f.maxSpeed, units), 3, 2) + " " + n.speed + at(f.maxSpeedTime);
    rows[SummaryRow::MaxAccel] = accelRow(f.maxAccel, f.maxAccelTime);
    rows[SummaryRow::MinAccel] = accelRow(f.minAccel, f.minAccelTime);
}

}  // namespace orvale
