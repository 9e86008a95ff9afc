// A compiled channel formula: a flat row of slots that the evaluator walks strictly left to
// right. Groups are not nested in the layout; a group runs from its opening slot to the next
// closing slot at the same depth, found while walking.
#pragma once

#include <array>
#include <cstdint>

namespace orvale {

constexpr int kFormulaSlots = 61;  // slot 0 is left unused by a channel's own formula

// What a slot holds (the Kind codes).
constexpr uint8_t kKindNone = 0;  // closing slot or empty preparation
constexpr uint8_t kKindChannel = 1;
constexpr uint8_t kKindNumber = 2;
constexpr uint8_t kKindGroup = 3;  // "(" "[" "{" and the expansion of FCHn
constexpr uint8_t kKindExp = 4;
constexpr uint8_t kKindLn = 5;
constexpr uint8_t kKindSin = 6;
constexpr uint8_t kKindCos = 7;
constexpr uint8_t kKindPi = 8;
constexpr uint8_t kKindTime = 9;
constexpr uint8_t kKindIntegral = 10;
constexpr uint8_t kKindDerivative = 11;
constexpr uint8_t kKindSpectrum = 12;
constexpr uint8_t kKindHistogram = 13;
constexpr uint8_t kKindAtan = 14;
constexpr uint8_t kKindPowerSpectrum = 15;
constexpr uint8_t kKindAbs = 16;

constexpr char kCloseOp = ')';

struct Formula {
    uint8_t Count = 0;  // one past the last used slot; 0 when the text did not compile
    std::array<char, kFormulaSlots> Op{};
    std::array<uint8_t, kFormulaSlots> Kind{};
    std::array<float, kFormulaSlots> Value{};
};

}  // namespace orvale
