#include "formula/formula_evaluator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "formula/page_cache.h"

namespace orvale {

namespace {

constexpr float kPi = 3.14159274f;
// Beyond this the processor's sine and cosine give up; the result is then 0.
constexpr double kTrigLimit = 9223372036854775808.0;  // 2^63

// The operator after the last slot is the "+" the compiler leaves there.
char OpAt(const Formula& formula, int slot) {
    if (slot < 0 || slot >= kFormulaSlots)
        return '+';
    return formula.Op[static_cast<size_t>(slot)];
}

// Functions are taken in double from the single argument and rounded back to single.
float Single(double x) {
    return static_cast<float>(x);
}

// acc ^ v as e^(v ln|acc|), negative again for an odd whole power of at least 1 of a negative
// base; 0 to any power stays 0.
float Power(float acc, float v) {
    if (acc == 0.0f)
        return acc;
    const bool negative = acc < 0.0f;
    float result = Single(std::exp(static_cast<double>(v) * std::log(std::fabs(double{acc}))));
    if (negative && v >= 1.0f && std::isfinite(v) && std::fmod(std::nearbyint(v), 2.0f) != 0.0f)
        result = -result;
    return result;
}

// Applies one operator; true when it closes the group.
bool Apply(char op, float& acc, float v) {
    switch (op) {
        case '+':
            acc = acc + v;
            break;
        case '-':
            acc = acc - v;
            break;
        case '*':
            acc = acc * v;
            break;
        case '/':
            acc = v == 0.0f ? 0.0f : acc / v;
            break;
        case '^':
            acc = Power(acc, v);
            break;
        case kCloseOp:
            return true;
        default:
            break;
    }
    return false;
}

// The raw reading of the channel a slot names; false when it cannot be read (including a slot
// whose channel number no compilation could have produced).
bool ReadChannel(AppState& state, float channelNumber, uint16_t& raw, int& index) {
    if (!(channelNumber >= 0.5f && channelNumber <= static_cast<float>(kReadChannels) + 0.5f))
        return false;
    index = static_cast<int>(std::nearbyint(channelNumber)) - 1;
    if (index < 0 || index >= kReadChannels)
        return false;
    const auto i = static_cast<size_t>(index);
    const int32_t page = state.formula.readPage[i];
    const int32_t offset = state.formula.readOffset[i];
    uint8_t low = 0;
    if (!ReadDataByte(state, page, offset, low))
        return false;
    uint32_t value = low * 16u;
    if (i < state.twoByteSample.size() && state.twoByteSample[i]) {
        uint8_t high = 0;
        if (offset == std::numeric_limits<int32_t>::max() ||
            !ReadDataByte(state, page, offset + 1, high))
            return false;
        value = high * 256u + low;
    }
    // Only the accelerometer may read above the 12-bit range (the conversion clamps it).
    if (index != 0 && value >= kChannelTableSize)
        value = 0;
    raw = static_cast<uint16_t>(value);
    return true;
}

bool IsBracketed(uint8_t kind) {
    switch (kind) {
        case kKindGroup:
        case kKindExp:
        case kKindLn:
        case kKindSin:
        case kKindCos:
        case kKindIntegral:
        case kKindDerivative:
        case kKindHistogram:
        case kKindAtan:
        case kKindAbs:
            return true;
        default:
            return false;
    }
}

// The running integral or derivative of depth k, fed with the group's value g.
float Accumulate(FormulaState& fs, uint8_t kind, int32_t k, float g) {
    auto& st = fs.integratorState;
    if (k < 0 || k >= (kIntegratorStateSize - 1) / 2)
        return g;  // no state for this depth: pass the value through
    const auto sum = static_cast<size_t>(2 * k + 1);
    const auto previous = sum + 1;
    if (kind == kKindIntegral) {
        st[sum] = st[sum] + st[0] * (g + st[previous]) / 2.0f;
    } else if (fs.pointNumber > 1) {
        st[sum] = st[0] == 0.0f ? 0.0f : (g - st[previous]) / st[0];
    }
    st[previous] = g;
    return st[sum];
}

float ApplyFunction(AppState& state, uint8_t kind, int32_t depth, float g) {
    switch (kind) {
        case kKindExp:
            return Single(std::exp(double{g}));
        case kKindLn:
            return g > 0.0f ? Single(std::log(double{g})) : g;
        case kKindSin:
            return std::fabs(double{g}) >= kTrigLimit ? 0.0f : Single(std::sin(double{g}));
        case kKindCos:
            return std::fabs(double{g}) >= kTrigLimit ? 0.0f : Single(std::cos(double{g}));
        case kKindAtan:
            return Single(std::atan(double{g}));
        case kKindAbs:
            return std::fabs(g);
        case kKindIntegral:
        case kKindDerivative:
            return Accumulate(state.formula, kind, depth, g);
        case kKindHistogram:
            state.formula.histogramBinWidth = g > 0.0f ? double{g} : 1.0;
            return 0.0f;
        default:
            return g;
    }
}

}  // namespace

float EvaluateFormula(AppState& state, const Formula& formula, int& slot, bool useTable,
                      uint16_t& rawOut, const ChannelTable& table) {
    const int count = std::min<int>(formula.Count, kFormulaSlots);
    // A group opened by the last slot has nothing in it.
    if (slot < 0 || slot >= count)
        return 0.0f;
    FormulaState& fs = state.formula;
    float acc = 0.0f;
    float v = 0.0f;
    bool ended = false;
    do {
        const int s = slot;
        int m = 1;
        const uint8_t kind = formula.Kind[static_cast<size_t>(s)];
        if (kind == kKindChannel) {
            uint16_t raw = 0;
            int index = 0;
            if (!ReadChannel(state, formula.Value[static_cast<size_t>(s)], raw, index)) {
                fs.readErrorCode = kReadErrorCode;
                slot = count;
                return 0.0f;
            }
            rawOut = raw;
            v = useTable && index != 0 ? table[raw] : ConvertReading(state, raw, index);
        } else if (kind == kKindNumber) {
            v = formula.Value[static_cast<size_t>(s)];
        } else if (kind == kKindPi) {
            v = kPi;
        } else if (kind == kKindTime) {
            v = state.samplesPerSecond == 0 ? 0.0f
                                            : Single(static_cast<double>(fs.sampleNumber) /
                                                     static_cast<double>(state.samplesPerSecond));
        } else if (kind == kKindSpectrum || kind == kKindPowerSpectrum) {
            // The spectrum is the series' business: the value is the rest of the formula.
            slot = s + 1;
            v = EvaluateFormula(state, formula, slot, useTable, rawOut, table);
            slot = count;
        } else if (IsBracketed(kind)) {
            const bool deeper = kind == kKindIntegral || kind == kKindDerivative;
            const int32_t depth = fs.IntegratorIndex;
            if (deeper && depth < std::numeric_limits<int32_t>::max())
                fs.IntegratorIndex = depth + 1;
            slot = s + 1;
            const float g = EvaluateFormula(state, formula, slot, useTable, rawOut, table);
            m = slot - s;
            slot = s;
            if (deeper)
                fs.IntegratorIndex = depth;
            v = ApplyFunction(state, kind, depth, g);
        }
        ended = Apply(OpAt(formula, slot), acc, v);
        slot += m;
    } while (!ended && slot < count);
    return acc;
}

}  // namespace orvale
