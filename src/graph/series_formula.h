// The formula side of a series: a channel's formula compiled, with the conversion table of its
// one channel when it reads only one, and a fresh integrator state.
#pragma once

#include "core/app_state.h"
#include "core/formula.h"
#include "formula/channel_conversion.h"

namespace orvale {

class Prompts;

// Compiles the formula of channel slot channelSlot into formula, leaving singleChannel and
// firstChannel in state.formula, and fills table for a single-channel formula. False, after
// telling the user, for an empty formula ("No formula") or one that does not compile.
bool CompileChannelFormula(AppState& state, Prompts& prompts, int channelSlot, Formula& formula,
                           ChannelTable& table);

// Integrals and derivatives start from nothing; element 0 is the time between samples.
void ResetIntegratorState(AppState& state, double sampleInterval);

// One evaluation of the whole formula for the sample at the read positions.
float EvaluateSample(AppState& state, const Formula& formula, const ChannelTable& table);

}  // namespace orvale
