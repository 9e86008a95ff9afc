// The formula compiler's and evaluator's shared values, held in the program state.
#pragma once

namespace orvale {

struct FormulaState {};

}  // namespace orvale
