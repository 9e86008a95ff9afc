// libFuzzer entry: the input is up to fourteen lines, the formula text then the formulas of
// channels 1 to 13; the first byte also picks the recorded channels and two-byte samples. Built
// with clang only (see tests.cmake); run as formula_fuzz [corpus folder].
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_prompts.h"
#include "formula/formula_compiler.h"
#include "formula/formula_evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvale;
    if (size == 0)
        return 0;
    static AppState state;
    static ChannelTable table{};
    state.recordedChannelMask = (data[0] & 0x80) != 0 ? 0xFFFFFFFFu : 3u;
    state.twoByteSample[0] = (data[0] & 1) != 0;
    state.twoByteSample[1] = (data[0] & 2) != 0;
    state.samplesPerSecond = 16;
    state.page.assign(kPageBufferSize, data[0]);
    state.imageFilePath = "/nonexistent/orvale-fuzz.dat";
    state.formula = FormulaState{};
    state.formula.readOffset[1] = (data[0] & 4) != 0 ? 8191 : 1;
    state.formula.integratorState[0] = 0.0625f;

    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string lines[14];
    for (std::string& line : lines) {
        const size_t end = rest.find('\n');
        line = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    for (int i = 0; i < kChannelSlots; ++i)
        state.channels[static_cast<size_t>(i)].formula = lines[i + 1];

    test::FakePrompts prompts;
    Formula formula;
    bool single = false;
    int first = -1;
    if (CompileFormula(state, prompts, lines[0], formula, 1, single, first) == 0)
        return 0;
    for (int point = 1; point <= 3; ++point) {
        state.formula.pointNumber = point;
        state.formula.IntegratorIndex = 0;
        int slot = 1;
        uint16_t raw = 0;
        EvaluateFormula(state, formula, slot, single, raw, table);
        if (slot < 1 || slot > formula.Count + 1)
            __builtin_trap();
    }
    return 0;
}
