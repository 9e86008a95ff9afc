// The summary rows that carry a unit, written from their figures in feet or in metres.
#pragma once

#include <cstdint>

#include "core/summary_rows.h"
#include "core/units.h"

namespace orvale {

// A height by pressure in feet as a whole number of the given units (an infinite one saturates, a
// nan reads 0). The marker of a reading that has no height stays 999999 in any units: converted it
// would look like a real height.
int32_t WholePressureHeight(float feet, Units units);

// Writes the launch site altitude, the two events, the maximum heights, the maximum velocity and
// the two acceleration rows from rows.figures in the given units; the rest stays. Rows not yet
// filled from a flight (no figures) are left alone.
void WriteMeasuredRows(SummaryRows& rows, Units units);

}  // namespace orvale
