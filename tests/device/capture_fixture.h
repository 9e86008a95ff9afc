// A flyer's folder for capture tests: the state the program would have, a prompt that answers
// the file name, an older flight kept under the same name, and the checks that a failed capture
// processed nothing and destroyed nothing.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "test_image.h"

namespace orvale::test {

// 2026-03-14 15:09:26 UTC, a Saturday afternoon on the field.
constexpr std::time_t kCaptureTime = 1773500966;

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class CaptureFolder {
public:
    CaptureFolder() {
        SetProgramDefaults(state, kCaptureTime - 86400);
        folder = dir.path().string() + "/";
        state.programDirectory = folder;
        state.workingDirectory = folder;
        prompts.fileAnswers = {folder + "FLIGHT.dat"};
        // A recorder image with a signature in its unused first bytes, as the recorder sends it
        // (a leading byte below 25 would be taken for noise before the image).
        TestImage image(100, 200);
        image.bytes[0] = 'T';
        image.bytes[1] = 'V';
        image.bytes[2] = 'X';
        image.bytes[3] = '1';
        image.SetMain(20, 0, 190);
        imagePath = image.Write(dir.path() / "served.img");
        file = image.bytes;
    }

    std::string Path(const std::string& name) const { return folder + name; }

    // A flight captured earlier under the name about to be used.
    void KeepOlderFlight() {
        std::ofstream(Path("FLIGHT.DAT"), std::ios::binary) << "an older flight";
    }

    void ExpectNothingProcessed() const {
        EXPECT_EQ(prompts.summariesShown, 0);
        EXPECT_FALSE(std::filesystem::exists(Path("FLIGHT.PAR")));
        const std::vector<uint8_t> old = ReadBytes(Path("FLIGHT.DAT"));
        EXPECT_EQ(std::string(old.begin(), old.end()), "an older flight");
        // Nothing half-written is left beside it.
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "FLIGHT.DAT" || name == "served.img") << name;
        }
    }

    TempDir dir;
    std::string folder;
    AppState state;
    FakePrompts prompts;
    std::string imagePath;      // the image and trailer the recorder holds
    std::vector<uint8_t> file;  // its bytes
};

}  // namespace orvale::test
