#include "app/cli_formula.h"

#include <array>
#include <ctime>
#include <optional>
#include <ostream>

#include "app/cli_options.h"
#include "app/cli_recording_prompts.h"
#include "app/json_writer.h"
#include "core/file_error.h"
#include "files/ini_file.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"
#include "files/startup_files.h"
#include "formula/formula_compiler.h"

namespace orvale {

namespace {

// Every recorded flight holds channels 1 and 2.
constexpr uint32_t kFlightChannelMask = 3;

struct FormulaOptions {
    std::optional<std::string> text;
    uint32_t mask = kFlightChannelMask;
    std::optional<std::string> parFile;
    bool json = false;
};

// What each slot kind is written as, for the text listing.
constexpr std::array<const char*, 17> kKindNames{
    "none", "channel", "number", "group", "EXP(", "LN(",  "SIN(", "COS(", "PI",
    "X",    "INT(",    "DIF(",   "FFT(",  "HST",  "ATN(", "PSD(", "ABS("};

// Returns an error text, or empty when the arguments are good. Options start with "--", so a
// formula may start with "-"; after "--" everything is the formula.
std::string ParseFormulaArgs(const std::vector<std::string>& args, FormulaOptions& o) {
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.rfind("--", 0) != 0) {
            if (o.text)
                return "one formula only; quote a formula that holds blanks";
            o.text = a;
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--mask" || a == "--par") {
            const auto v = OptionValue(args, i);
            if (!v)
                return a + " needs a value";
            if (a == "--par") {
                o.parFile = *v;
                continue;
            }
            const auto mask = ParseChannelMask(*v);
            if (!mask)
                return "--mask needs a channel mask such as 3 or 0x7, not \"" + *v + "\"";
            o.mask = *mask;
        } else {
            return "unknown option " + a;
        }
    }
    if (!o.text)
        return "no formula given";
    return {};
}

void WriteJson(std::ostream& out, const Formula& f, int count, bool single, int first,
               const RecordingPrompts& prompts) {
    JsonArray slots;
    for (int s = 1; s < count; ++s) {
        const auto at = static_cast<size_t>(s);
        JsonObject slot;
        slot.Add("slot", static_cast<int32_t>(s))
            .Add("op", std::string(1, f.Op[at]))
            .Add("kind", static_cast<int32_t>(f.Kind[at]))
            .Add("value", f.Value[at]);
        slots.AddRaw(slot.Text());
    }
    JsonObject o;
    o.Add("ok", count > 0)
        .Add("count", static_cast<int32_t>(count))
        .Add("single_channel", single)
        .Add("first_channel", static_cast<int32_t>(first))
        .AddRaw("slots", slots.Text())
        .AddRaw("messages", ReportsJson(prompts.Reports()));
    out << o.Text() << "\n";
}

// The slots as the compiled forms are usually written: "slot 2: * 3 0 (group)".
void WriteText(std::ostream& out, const Formula& f, int count, bool single, int first) {
    for (int s = 1; s < count; ++s) {
        const auto at = static_cast<size_t>(s);
        const uint8_t kind = f.Kind[at];
        out << "slot " << s << ": " << f.Op[at] << " " << static_cast<int>(kind) << " "
            << JsonNumber(f.Value[at]) << " ("
            << (kind < kKindNames.size() ? kKindNames[kind] : "unknown") << ")\n";
    }
    out << "count " << count << ", single channel " << (single ? "true" : "false")
        << ", first channel " << first << "\n";
}

}  // namespace

int RunFormulaCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& programDirectory) {
    FormulaOptions o;
    if (std::string problem = ParseFormulaArgs(args, o); !problem.empty()) {
        err << "orvale-cli formula: " << problem << "\n" << OwnUsage(kFormulaUsage);
        return 2;
    }
    RecordingPrompts prompts(err, !o.json);
    AppState state;
    try {
        InitProgramState(state, {std::time(nullptr), programDirectory, {}}, prompts);
        // FCHn expands the formulas of the named parameter file's channels.
        if (o.parFile) {
            if (!PathExists(*o.parFile))
                throw FileError(*o.parFile + ": no such parameter file");
            ReadParameters(IniFile::Load(*o.parFile), state);
        }
    } catch (const FileError& e) {
        err << "orvale-cli: " << e.what() << "\n";
        return 1;
    }
    state.recordedChannelMask = o.mask;
    Formula formula;
    bool single = false;
    int first = -1;
    const int count = CompileFormula(state, prompts, *o.text, formula, 1, single, first);
    if (o.json)
        WriteJson(out, formula, count, single, first, prompts);
    else if (count > 0)
        WriteText(out, formula, count, single, first);
    return count > 0 ? 0 : 1;
}

}  // namespace orvale
