// Translates a channel's formula text into its flat compiled form, telling the user through the
// error box why a text cannot be used.
#pragma once

#include <string>

#include "core/app_state.h"
#include "core/formula.h"
#include "core/prompts.h"

namespace orvale {

constexpr int kFormulaTextLimit = 255;  // characters of a text that are looked at
constexpr int kMaxIntegrators = 2;      // INT( and DIF( per compilation

// Fills formula from startSlot on and returns its Count; 0 means the text cannot be used and
// the user has been told why. singleChannel and firstChannel say whether exactly one raw channel
// is read (and which, 0-based), which lets the evaluator use a conversion table. Also resets and
// raises state.formula.IntegratorIndex and sets the series mode for INT(/DIF(.
int CompileFormula(AppState& state, Prompts& prompts, const std::string& text, Formula& formula,
                   int startSlot, bool& singleChannel, int& firstChannel);

}  // namespace orvale
