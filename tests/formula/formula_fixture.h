// A flight state with channels 1 and 2 recorded, an error box that records, and shorthands to
// compile and evaluate formula texts.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_prompts.h"
#include "formula/formula_compiler.h"
#include "formula/formula_evaluator.h"

namespace orvale::test {

class FormulaFixture : public ::testing::Test {
protected:
    FormulaFixture() {
        state.recordedChannelMask = 3;
        state.samplesPerSecond = 16;
        state.page.assign(kPageBufferSize, 0);
        state.results.zeroGReading = 100.0f;
        state.calibration.dodg = 2.0f;
        state.calibration.gainbp = 1.0f;
        state.results.groundPressureReading = 210.0f;
        state.formula.readOffset[0] = 100;
        state.formula.readOffset[1] = 101;
        state.formula.integratorState[0] = 0.0625f;
    }

    int Compile(const std::string& text) {
        return CompileFormula(state, prompts, text, formula, 1, single, first);
    }

    // One evaluation as the series does it for a point; compiles first when text is given.
    float Evaluate(const std::string& text = "") {
        if (!text.empty()) {
            EXPECT_GT(Compile(text), 0) << text;
        }
        slot = 1;
        state.formula.IntegratorIndex = 0;
        return EvaluateFormula(state, formula, slot, single, raw, table);
    }

    AppState state;
    FakePrompts prompts;
    Formula formula;
    ChannelTable table{};
    bool single = false;
    int first = -1;
    int slot = 0;
    uint16_t raw = 0;
};

}  // namespace orvale::test
