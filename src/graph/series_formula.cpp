#include "graph/series_formula.h"

#include "core/prompts.h"
#include "formula/formula_compiler.h"
#include "formula/formula_evaluator.h"

namespace orvale {

bool CompileChannelFormula(AppState& state, Prompts& prompts, int channelSlot, Formula& formula,
                           ChannelTable& table) {
    if (channelSlot < 0 || channelSlot >= kChannelSlots)
        return false;
    FormulaState& fs = state.formula;
    const std::string& text = state.channels[static_cast<size_t>(channelSlot)].formula;
    if (text.empty()) {
        state.errorMessages.Set("No formula");
        ShowError(state, prompts, kErrorSlot);
        return false;
    }
    if (CompileFormula(state, prompts, text, formula, 1, fs.singleChannel, fs.firstChannel) == 0)
        return false;
    if (fs.singleChannel)
        BuildChannelTable(state, fs.firstChannel, table);
    return true;
}

void ResetIntegratorState(AppState& state, double sampleInterval) {
    state.formula.integratorState.fill(0.0f);
    state.formula.integratorState[0] = static_cast<float>(sampleInterval);
}

float EvaluateSample(AppState& state, const Formula& formula, const ChannelTable& table) {
    FormulaState& fs = state.formula;
    int slot = 1;
    uint16_t raw = 0;
    fs.IntegratorIndex = 0;
    return EvaluateFormula(state, formula, slot, fs.singleChannel, raw, table);
}

}  // namespace orvale
