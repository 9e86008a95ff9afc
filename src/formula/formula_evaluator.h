// Walks a compiled formula for one sample: strictly left to right, no precedence, single
// precision at every stored step.
#pragma once

#include <cstdint>

#include "core/app_state.h"
#include "core/formula.h"
#include "formula/channel_conversion.h"

namespace orvale {

// Evaluates from `slot` until the group that starts there ends or the formula does; `slot` is
// left one past the last slot used. Reads samples at the read positions of state.formula and
// keeps integrals and derivatives in its integrator state by nesting depth. rawOut receives the
// raw reading of the last channel read; useTable lets channels other than the accelerometer be
// looked up in table. A sample that cannot be read sets the read-error code and gives 0.
float EvaluateFormula(AppState& state, const Formula& formula, int& slot, bool useTable,
                      uint16_t& rawOut, const ChannelTable& table);

}  // namespace orvale
