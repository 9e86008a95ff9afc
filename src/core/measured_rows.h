// The summary rows that carry a unit, written from their figures in feet or in metres.
#pragma once

#include "core/summary_rows.h"
#include "core/units.h"

namespace orvale {

// Writes the launch site altitude, the two events, the maximum heights, the maximum velocity and
// the two acceleration rows from rows.figures in the given units; the rest stays. Rows not yet
// filled from a flight (no figures) are left alone.
void WriteMeasuredRows(SummaryRows& rows, Units units);

}  // namespace orvale
