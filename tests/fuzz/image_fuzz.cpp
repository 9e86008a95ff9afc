// libFuzzer entry for the data image reader: the input is a data file, read, decoded and run
// through the summary pass with the sample calibration, as opening a flight does. A file shorter
// than an image must be refused with a FileError; otherwise every summary row and result is
// checked (see fuzz_checks.h).
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
    static const std::string path = (fuzz::ScratchFolder() / "FUZZ.DAT").string();
    static const CalibrationData sampleCalibration = [] {
        CalibrationData cal;
        ApplyCalibrationText(fuzz::ReadBytes(ORVALE_SOURCE_DIR "/samples/Vessin.cal"), cal);
        return cal;
    }();
    fuzz::WriteBytes(path, data, size);

    AppState state;
    SetProgramDefaults(state, 0);
    state.calibration = sampleCalibration;
    state.imageFilePath = path;
    state.current().dataFileName = "FUZZ.DAT";
    test::FakePrompts prompts;
    try {
        ProcessImage(state, prompts, true, true);
    } catch (const FileError& e) {
        if (size >= static_cast<size_t>(kImageSize))
            fuzz::Fail("a whole image refused", e.what());
        fuzz::CheckText("read error", e.what());
        return 0;
    }
    if (size < static_cast<size_t>(kImageSize))
        fuzz::Fail("a short image", "opened");
    fuzz::CheckSummary(state);
    for (const std::string& w : prompts.warnings)
        fuzz::CheckText("warning", w);
    return 0;
}
