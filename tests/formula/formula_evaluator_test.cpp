#include <gtest/gtest.h>

#include <vector>

#include "core/pressure_altitude.h"
#include "formula/channel_conversion.h"
#include "formula_fixture.h"

namespace orvale::test {
namespace {

using FormulaEvaluator = FormulaFixture;

TEST_F(FormulaEvaluator, StrictlyLeftToRightInSingles) {
    struct Case {
        const char* text;
        float value;
    };
    for (const Case& c : std::vector<Case>{{"2+3*4", 20.0f},
                                           {"8/2/2", 2.0f},
                                           {"2^3^2", 64.0f},
                                           {"5/0", 0.0f},
                                           {"(5/0)+1", 1.0f},
                                           {"LN(0-3)", -3.0f},
                                           {"EXP(1)+2", 4.7182817f},
                                           {"(0-2)^3", -8.0f},
                                           {"(0-2)^2", 4.0f},
                                           {"(0-8)^0.5", 2.828427f},
                                           {"(0-2)^(0-1)", 0.5f},
                                           {"0^5", 0.0f},
                                           {"2*-3 4", 3.0f},
                                           {"ATN(1)*4", 3.14159274f},
                                           {"PI-ABS(0-PI)", 0.0f},
                                           {"SIN(1E30)+COS(0-1E19)+COS(0)", 1.0f},
                                           {"0.1+0.2", 0.3f},
                                           {"2+(", 2.0f}}) {
        EXPECT_EQ(Evaluate(c.text), c.value) << c.text;
        EXPECT_EQ(slot, formula.Count) << c.text;
    }
}

TEST_F(FormulaEvaluator, ChannelsAndTheWorkedExample) {
    state.page[100] = 103;  // (103 - 100) / 2 = 1.5 g
    state.page[101] = 200;
    EXPECT_EQ(Evaluate("2*(CH1+3)"), 9.0f);
    EXPECT_EQ(slot, 6);
    EXPECT_EQ(raw, 103 * 16);
    EXPECT_EQ(Evaluate("CH1)+2"), 1.5f);
    EXPECT_EQ(Evaluate("CH2+0"), 0.0f);  // single channel: looked up in the (empty) table
    table[200 * 16] = 7.0f;
    EXPECT_EQ(Evaluate("CH2"), 7.0f);
    EXPECT_EQ(Evaluate("CH2+CH1"), PressureAltitude(state.calibration, 200, 210) + 1.5f);
    state.formula.sampleNumber = -4;
    EXPECT_EQ(Evaluate("FFT(X)*3"), -0.25f);  // the rest is the spectrum's; nothing multiplies
}

TEST_F(FormulaEvaluator, TwoByteSamples) {
    state.twoByteSample[0] = state.twoByteSample[1] = true;
    state.formula.readOffset[1] = 8191;  // the high byte lies on the next page
    state.page[8191] = 0x00;
    state.imageFilePath = "/nonexistent/orvale.dat";
    EXPECT_EQ(Evaluate("CH2"), 0.0f);
    EXPECT_EQ(state.formula.readErrorCode, kReadErrorCode);
    state.formula.readOffset[1] = 101;
    state.page[101] = 0x00;
    state.page[102] = 0x10;  // 4096: beyond the 12-bit range of every channel but the first
    table[0] = 5.0f;
    EXPECT_EQ(Evaluate("CH2"), 5.0f);
    EXPECT_EQ(raw, 0);
    state.page[100] = 0x00;
    state.page[101] = 0x20;  // 8192 on channel 1 converts as the largest reading, 255
    EXPECT_EQ(Evaluate("CH1"), 77.5f);
    EXPECT_EQ(raw, 8192);
}

TEST_F(FormulaEvaluator, ReadFailureStopsTheWalk) {
    state.formula.readPage[0] = 3;
    state.imageFilePath = "/nonexistent/orvale.dat";
    EXPECT_EQ(Evaluate("2+CH1*5"), 0.0f);
    EXPECT_EQ(slot, formula.Count);
    EXPECT_EQ(state.formula.readErrorCode, kReadErrorCode);
}

TEST_F(FormulaEvaluator, IntegralsAndDerivativesKeepStateByDepth) {
    Compile("INT(1)");
    for (float expected : {0.03125f, 0.09375f, 0.15625f})
        EXPECT_EQ(Evaluate(), expected);
    EXPECT_EQ(state.formula.integratorState[2], 1.0f);

    state.formula.integratorState = {0.0625f};
    Compile("INT(INT(1))");
    Evaluate();
    EXPECT_EQ(state.formula.integratorState[3], 0.03125f);  // inner: depth 1
    EXPECT_EQ(state.formula.integratorState[1], 0.0009765625f);

    state.formula.integratorState = {0.0625f, 42.0f};
    Compile("DIF(X*X)");
    std::vector<float> got;
    for (int n = 1; n <= 3; ++n) {
        state.formula.pointNumber = n;
        state.formula.sampleNumber = 16 * n;  // X = n seconds
        got.push_back(Evaluate());
    }
    EXPECT_EQ(got, (std::vector<float>{42.0f, 48.0f, 80.0f}));
}

TEST_F(FormulaEvaluator, HistogramWidth) {
    EXPECT_EQ(Evaluate("HST 25"), 0.0f);
    EXPECT_EQ(state.formula.histogramBinWidth, 25.0);
    Evaluate("HST 0-3");
    EXPECT_EQ(state.formula.histogramBinWidth, 1.0);
}

}  // namespace
}  // namespace orvale::test
