// libFuzzer entry for the calibration file reader: the input is a .cal file. It is read as the
// start of the program reads it; the values written back must read as the same values, and a
// sample flight's summary under this calibration must carry no infinity or NaN in any row or
// result (see fuzz_checks.h).
#include <cstddef>
#include <cstdint>

#include "core/file_error.h"
#include "core/image_decode.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/calibration_file.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvale;
    static const std::string path = (fuzz::ScratchFolder() / "FUZZ.cal").string();
    fuzz::WriteBytes(path, data, size);

    AppState state;
    SetProgramDefaults(state, 0);
    state.calibrationFilePath = path;
    test::FakePrompts prompts;
    try {
        ReadCalibrationFile(state, prompts);
    } catch (const FileError& e) {
        fuzz::CheckText("read error", e.what());
        return 0;
    }
    for (const std::string& e : prompts.errors)
        fuzz::CheckText("error", e);
    for (const std::string& w : prompts.warnings)
        fuzz::CheckText("warning", w);

    const std::string written = CalibrationFileText(state.calibration);
    fuzz::CheckText("calibration file", written);
    CalibrationData again;
    ApplyCalibrationText(written, again);
    if (CalibrationFileText(again) != written)
        fuzz::Fail("calibration file", "the values written read back as other values");

    state.imageFilePath = ORVALE_SOURCE_DIR "/samples/FLT-001.DAT";
    state.current().dataFileName = "FLT-001.DAT";
    ProcessImage(state, prompts, true, true);
    fuzz::CheckSummary(state);
    return 0;
}
