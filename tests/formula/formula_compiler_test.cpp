#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula_fixture.h"

namespace orvale::test {
namespace {

using FormulaCompiler = FormulaFixture;

// Slots 1..Count-1 as "op kind" plus the value of channel and number slots.
std::string Slots(const Formula& f) {
    std::string out;
    for (int i = 1; i < f.Count; ++i) {
        out += (i > 1 ? " | " : "") + std::string(1, f.Op[i]) + " " + std::to_string(f.Kind[i]);
        if (f.Kind[i] == kKindChannel || f.Kind[i] == kKindNumber)
            out += " " + testing::PrintToString(f.Value[i]);
    }
    return out;
}

std::string Caret(int blanks) {
    return std::string(blanks, ' ') + "^";
}

TEST_F(FormulaCompiler, CompiledForms) {
    struct Case {
        const char* text;
        const char* slots;
    };
    for (const Case& c :
         std::vector<Case>{{"CH1", "+ 1 1"},
                           {"2*(CH1+3)", "+ 2 2 | * 3 | + 1 1 | + 2 3 | ) 0"},
                           {"SIN(X)", "+ 6 | + 9 | ) 0"},
                           {"ch01", "+ 1 1"},
                           {"CH1 2.5", "+ 1 1 | + 2 2.5"},
                           {"CH1+2.5", "+ 1 1 | + 2 2.5"},
                           {"1.5.3", "+ 2 1.5 | + 2 0.3"},
                           {"2*-3", "+ 2 2 | - 2 3"},
                           {"1E3 2EXP(1)", "+ 2 1000 | + 2 2 | + 4 | + 2 1 | ) 0"},
                           {"[PI]{HST},LN(ATN(ABS(COS(",
                            "+ 3 | + 8 | ) 0 | + 3 | + 13 | ) 0 | ) 0 | + 5 | + 14 | + 16 | + 7"},
                           {"   ", ""}}) {
        prompts.errors.clear();
        EXPECT_EQ(Compile(c.text), formula.Count) << c.text;
        EXPECT_EQ(Slots(formula), c.slots) << c.text;
        EXPECT_TRUE(prompts.errors.empty()) << c.text;
    }
    EXPECT_EQ(Compile("CH1"), 2);
    EXPECT_EQ(Compile("2*(CH1+3)"), 6);
    EXPECT_EQ(Compile(""), 1);
}

TEST_F(FormulaCompiler, SingleChannelIntegratorsAndSeriesMode) {
    Compile("ch2");
    EXPECT_TRUE(single);
    EXPECT_EQ(first, 1);
    Compile("CH2*CH1");
    EXPECT_FALSE(single);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(state.formula.seriesMode, kSeriesPlain);
    Compile("INT(DIF(CH1))");
    EXPECT_EQ(state.formula.IntegratorIndex, 2);
    EXPECT_EQ(state.formula.seriesMode, kSeriesIntegral);
    EXPECT_GT(Compile("FFT(CH1)"), 0);
    EXPECT_GT(Compile("PSD(CH1)"), 0);
}

TEST_F(FormulaCompiler, ChannelExpansion) {
    state.channels[3].formula = "CH2+1";
    EXPECT_EQ(Compile("FCH4*2"), 6);
    EXPECT_EQ(Slots(formula), "+ 3 | + 1 2 | + 2 1 | ) 0 | * 2 2");
    EXPECT_FALSE(single);
    // The expansion resets the shared values; what follows it starts afresh.
    state.channels[3].formula = "2";
    Compile("FCH4+CH1");
    EXPECT_TRUE(single);
    EXPECT_EQ(first, 0);
    // A term straight after an expansion is added.
    EXPECT_EQ(Slots((Compile("FCH4 3"), formula)), "+ 3 | + 2 2 | ) 0 | + 2 3");
}

TEST_F(FormulaCompiler, PlainErrors) {
    struct Case {
        const char* text;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{"CH3", "Formula channel not active \"CH3\""},
                                           {"CH33+1", "Formula channel not active \"CH33\""},
                                           {"1+CHX", "Bad formula channel number \"CHX\""},
                                           {"CHX+12", "Bad formula channel number \"CHX+\""},
                                           {"2*FFT(CH1)", "FFT must be first term"},
                                           {"X PSD(CH1)", "PSD must be first term"},
                                           {"CH1+.", "Bad formula data \".\""},
                                           {". 5", "Bad formula data \". \""}}) {
        prompts.errors.clear();
        prompts.detailLines.clear();
        EXPECT_EQ(Compile(c.text), 0) << c.text;
        EXPECT_EQ(formula.Count, 0);
        EXPECT_EQ(prompts.errors, std::vector<std::string>{c.message}) << c.text;
        EXPECT_EQ(prompts.detailLines, std::vector<std::string>{"|"});
    }
}

TEST_F(FormulaCompiler, InvalidCharacterCaret) {
    struct Case {
        const char* text;
        int blanks;
    };
    state.channels[3].formula = "1";
    for (const Case& c : std::vector<Case>{{"ch1 # 2", 5},
                                           {"INT(INT(INT(CH1)))", 9},
                                           {"EXQ(1)", 1},
                                           {"1+CO", 3},
                                           {"2*FCH0", 3},
                                           {"FCH14", 1},
                                           {"FCH", 1},
                                           {"CH1\t", 4}}) {
        prompts.errors.clear();
        prompts.detailLines.clear();
        EXPECT_EQ(Compile(c.text), 0) << c.text;
        std::string upper = c.text;
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(prompts.errors, std::vector<std::string>{"Invalid character:"}) << c.text;
        EXPECT_EQ(prompts.detailLines,
                  std::vector<std::string>{"\"" + upper + "\"|" + Caret(c.blanks)});
    }
}

TEST_F(FormulaCompiler, FailedExpansionReportsInnerThenOuter) {
    state.channels[3].formula = "FFT(CH9)";
    EXPECT_EQ(Compile("1+FCH4"), 0);
    EXPECT_EQ(prompts.errors,
              (std::vector<std::string>{"FFT must be first term", "Invalid character:"}));
    EXPECT_EQ(prompts.detailLines.back(), "\"1+FCH4\"|" + Caret(3));
}

TEST_F(FormulaCompiler, SelfReferenceIsRefused) {
    state.channels[2].formula = "FCH3";
    state.channels[4].formula = "1+FCH6";
    state.channels[5].formula = "FCH5*2";
    for (const char* text : {"FCH3", "FCH5", "FCH6"}) {
        prompts.errors.clear();
        EXPECT_EQ(Compile(text), 0) << text;
        ASSERT_EQ(prompts.errors.size(), text == std::string("FCH3") ? 2u : 3u) << text;
        EXPECT_EQ(prompts.errors.front().rfind("Formula channel refers to itself \"FCH", 0), 0u);
        EXPECT_EQ(prompts.errors.back(), "Invalid character:");
    }
}

TEST_F(FormulaCompiler, SixtyOneSlotsAtMost) {
    std::string text = "1";
    for (int i = 0; i < 59; ++i)
        text += "+1";
    EXPECT_EQ(Compile(text + "  "), 61);  // slots 1..60
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(Compile(text + " 1"), 0);
    EXPECT_EQ(prompts.detailLines.back(), "\"" + text + " 1\"|" + Caret(121));
    EXPECT_EQ(Compile(text + ")"), 0);
    // An expansion whose closing slot would be slot 61 fails at its F, with that one report.
    prompts.errors.clear();
    state.channels[3].formula = text.substr(2);  // slots 2..60, leaving none to close it
    EXPECT_EQ(Compile("FCH4"), 0);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"Invalid character:"});
    EXPECT_EQ(prompts.detailLines.back(), "\"FCH4\"|" + Caret(1));
    state.channels[3].formula = text.substr(4);
    EXPECT_EQ(Compile("FCH4"), 61);
    EXPECT_EQ(formula.Op[60], ')');
}

}  // namespace
}  // namespace orvale::test
