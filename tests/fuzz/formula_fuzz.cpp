// libFuzzer entry for the formula compiler: the input is up to fourteen lines, the formula text
// then the formulas of channels 1 to 13; the first byte also picks the recorded channels and
// two-byte samples. The compiled formula is evaluated; the formula text also goes through
// `orvale-cli formula --json`, whose line must be valid UTF-8 and whose exit status must match
// its "ok" and messages.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "app/cli_formula.h"
#include "fake_prompts.h"
#include "formula/formula_compiler.h"
#include "formula/formula_evaluator.h"
#include "fuzz_checks.h"

namespace {

// `orvale-cli formula --json TEXT`: one valid UTF-8 line whose "ok" matches the exit status, with
// a message whenever the formula is refused.
void CheckCommandLine(const std::string& text) {
    using namespace orvale;
    // A text starting with '-' would be taken as an option, and a NUL cannot be an argument.
    if (text.empty() || text[0] == '-' || text.find('\0') != std::string::npos)
        return;
    static const std::string programDirectory = [] {
        const auto dir = fuzz::ScratchFolder() / "program";
        std::filesystem::create_directories(dir);
        return dir.string() + "/";
    }();
    std::ostringstream out, err;
    const int status = RunFormulaCli({"formula", text, "--json"}, out, err, programDirectory);
    const std::string line = out.str();
    fuzz::CheckText("formula JSON", line);
    fuzz::CheckText("formula errors", err.str());
    if (line.empty() || line.find('\n') != line.size() - 1)
        fuzz::Fail("formula JSON", "not exactly one line");
    const bool ok = line.find("\"ok\":true") != std::string::npos;
    const bool messages = line.find("\"messages\":[]") == std::string::npos;
    if (status != (ok ? 0 : 1))
        fuzz::Fail("formula exit status", line);
    if (!ok && !messages)
        fuzz::Fail("formula refused without a message", line);
}

}  // namespace

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
    const int count = CompileFormula(state, prompts, lines[0], formula, 1, single, first);
    const bool validText =
        fuzz::IsValidUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    if (validText) {
        for (const std::string& e : prompts.errors)
            fuzz::CheckText("formula message", e);
        CheckCommandLine(lines[0]);
    }
    if (count == 0)
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
