// Random formula texts, channel definitions and damaged compiled forms: the compiler and the
// evaluator must neither crash nor loop, whatever they are given (run under the sanitizers too).
#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "formula_fixture.h"
#include "test_image.h"

namespace orvale::test {
namespace {

const std::vector<std::string> kLanguage = {
    "0",   "1",    "7",    "25",   ".5",   "1.5.3", "1E3",  "9E99", "1E-50", " ",   "  ", "+",
    "-",   "*",    "/",    "^",    "(",    ")",     "[",    "]",    "{",     "}",   ",",  "CH1",
    "CH2", "CH01", "FCH1", "FCH2", "FCH5", "FCH13", "fch3", "INT(", "DIF(",  "HST", "PI", "X",
    "x",   "EXP(", "LN(",  "SIN(", "COS(", "ATN(",  "ABS(", "FFT(", "PSD("};
const std::vector<std::string> kHostile = {".",    "E",    "2E",  "CH",       "CH3",   "CH0",
                                           "CH32", "CH99", "CHX", "FCH",      "FCH14", "FCH0",
                                           "EXQ",  "#",    "\t",  "\xC3\xA9", "c",     "IN("};

class FormulaRobustness : public FormulaFixture {
protected:
    // Half the texts keep to the language, the rest take any token or byte now and then.
    std::string RandomText(int maxTokens) {
        std::string text;
        const bool hostile = Pick(2) == 0;
        const int n = Pick(maxTokens + 1);
        for (int i = 0; i < n; ++i) {
            if (hostile && Pick(8) == 0)
                text += Pick(2) == 0 ? std::string(1, static_cast<char>(Pick(256)))
                                     : kHostile[static_cast<size_t>(Pick(kHostile.size()))];
            else
                text += kLanguage[static_cast<size_t>(Pick(kLanguage.size()))];
        }
        return text;
    }
    int Pick(size_t n) { return static_cast<int>(rng() % n); }
    float RandomFloat() {
        const float special[] = {0.0f,
                                 -0.0f,
                                 1.0f,
                                 -1.0f,
                                 1e30f,
                                 -1e30f,
                                 std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
        return Pick(3) == 0 ? special[Pick(8)] : static_cast<float>(Pick(200)) / 4.0f - 10.0f;
    }
    void RandomiseEvaluation() {
        for (int i = 0; i < kReadChannels; ++i) {
            state.formula.readPage[i] = Pick(8) == 0 ? Pick(4) - 1 : 0;
            state.formula.readOffset[i] = Pick(16) == 0 ? std::numeric_limits<int32_t>::max()
                                                        : Pick(2 * kPageBufferSize) - 100;
        }
        for (bool& twoByte : state.twoByteSample)
            twoByte = Pick(4) == 0;
        state.formula.sampleNumber = Pick(5000) - 4;
        state.formula.readErrorCode = 0;
    }

    std::mt19937 rng{20240611};
};

TEST_F(FormulaRobustness, RandomTextsCompileAndEvaluateSafely) {
    TempDir dir;
    state.imageFilePath = dir.File("flight.dat");
    std::vector<char> bytes(2 * kImageSize);
    for (char& b : bytes)
        b = static_cast<char>(Pick(256));
    std::ofstream(state.imageFilePath, std::ios::binary).write(bytes.data(), bytes.size());
    for (auto& b : state.page)
        b = static_cast<uint8_t>(Pick(256));

    for (int round = 0; round < 3000; ++round) {
        if (round % 50 == 0) {
            for (ChannelDef& channel : state.channels)
                channel.formula = RandomText(6);
            state.recordedChannelMask = Pick(4) == 0 ? static_cast<uint32_t>(rng()) : 3u;
        }
        const std::string text = RandomText(24);
        const size_t shown = prompts.errors.size();
        const int count = Compile(text);
        ASSERT_EQ(count, formula.Count);
        ASSERT_LE(count, kFormulaSlots);
        // Refused exactly when the user was told something.
        ASSERT_EQ(count == 0, prompts.errors.size() > shown) << text;
        ASSERT_LE(state.formula.IntegratorIndex, 2);
        for (int s = 1; s < count; ++s) {
            ASSERT_LE(formula.Kind[s], kKindAbs) << text;
            ASSERT_NE(std::string("+-*/^)").find(formula.Op[s]), std::string::npos) << text;
        }
        if (count == 0)
            continue;
        state.formula.integratorState = {0.0625f};
        for (int point = 1; point <= 3; ++point) {
            RandomiseEvaluation();
            state.formula.pointNumber = point;
            Evaluate();
            ASSERT_GE(slot, 1);
            ASSERT_LE(slot, count + 1) << text;
            ASSERT_EQ(state.formula.IntegratorIndex, 0);
        }
    }
}

TEST_F(FormulaRobustness, DamagedCompiledFormsEvaluateSafely) {
    state.imageFilePath = "/nonexistent/orvale.dat";
    for (float& value : table)
        value = RandomFloat();
    for (int round = 0; round < 3000; ++round) {
        formula.Count = static_cast<uint8_t>(Pick(256));
        for (int s = 0; s < kFormulaSlots; ++s) {
            formula.Kind[s] = static_cast<uint8_t>(Pick(4) == 0 ? Pick(256) : Pick(18));
            formula.Op[s] = "+-*/^)?"[Pick(7)];
            formula.Value[s] = RandomFloat();
        }
        RandomiseEvaluation();
        const int32_t depths[] = {0,
                                  1,
                                  60,
                                  61,
                                  62,
                                  -1,
                                  std::numeric_limits<int32_t>::max(),
                                  std::numeric_limits<int32_t>::min()};
        state.formula.pointNumber = Pick(3);
        for (float& s : state.formula.integratorState)
            s = RandomFloat();
        slot = Pick(70) - 3;
        const int start = slot;
        state.formula.IntegratorIndex = depths[Pick(8)];
        const int32_t depth = state.formula.IntegratorIndex;
        EvaluateFormula(state, formula, slot, Pick(2) == 0, raw, table);
        ASSERT_EQ(state.formula.IntegratorIndex, depth);
        ASSERT_TRUE(slot == start || (slot > start && slot <= kFormulaSlots + 1));
    }
}

}  // namespace
}  // namespace orvale::test
