// libFuzzer entry for the parameter file reader: the input is a .PAR file. It is read as opening
// a flight reads it, written back as OK in the parameter editor does, and read and written once
// more: the second writing must give the same file (what is written is what is read back), and
// every text read must be valid UTF-8.
#include <cstddef>
#include <cstdint>

#include "core/file_error.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/parameter_file.h"
#include "fuzz_checks.h"

namespace {

// Reads the parameter file into fresh defaults and writes them back; returns the file written,
// or nothing when the file was refused.
std::optional<std::string> ReadAndWrite(const std::string& folder) {
    using namespace orvale;
    AppState state;
    SetProgramDefaults(state, 0);
    state.workingDirectory = folder;
    state.current().parameterFileName = "FUZZ.PAR";
    test::FakePrompts prompts;
    try {
        ReadParameterFile(state, prompts, true);
    } catch (const FileError& e) {
        fuzz::CheckText("read error", e.what());
        return std::nullopt;
    }
    for (const std::string& w : prompts.warnings)
        fuzz::CheckText("warning", w);
    for (const std::string& e : prompts.errors)
        fuzz::CheckText("error", e);
    fuzz::CheckFlightTexts(state);
    if (state.current().parameterFileName != "FUZZ.PAR")
        return std::nullopt;
    try {
        WriteParameterFile(state);
    } catch (const FileError& e) {
        fuzz::CheckText("write error", e.what());
        return std::nullopt;
    }
    return fuzz::ReadBytes(folder + "FUZZ.PAR");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvale;
    static const std::string folder = fuzz::ScratchFolder().string() + "/";
    fuzz::WriteBytes(folder + "FUZZ.PAR", data, size);
    const std::optional<std::string> first = ReadAndWrite(folder);
    if (!first)
        return 0;
    const std::optional<std::string> second = ReadAndWrite(folder);
    if (!second)
        fuzz::Fail("parameter file", "the program's own file was refused");
    if (*first != *second)
        fuzz::Fail("parameter file", "a second read and write changed the file");
    return 0;
}
