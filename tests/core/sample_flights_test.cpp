// The shipped sample flights, summarised as a flyer would see them, against the true flights
// the generator simulated (their apogees are listed in samples/README.md).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/image_decode.h"
#include "fake_prompts.h"
#include "files/startup_files.h"
#include "test_image.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

struct Sample {
    std::string file;
    double trueApogee;
};

fs::path SamplesDir() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? fs::path(env) : fs::path(ORVALE_SOURCE_DIR) / "samples";
}

std::vector<Sample> ReadmeSamples() {
    std::ifstream in(SamplesDir() / "README.md");
    std::vector<Sample> samples;
    const std::regex line(R"(`(FLT-\d+\.DAT)`.*true apogee ([0-9.]+) ft)");
    std::string text;
    while (std::getline(in, text)) {
        std::smatch m;
        if (std::regex_search(text, m, line))
            samples.push_back({m[1], std::stod(m[2])});
    }
    return samples;
}

TEST(SampleFlights, SummaryApogeesAreCloseToTheSimulatedTruth) {
    const auto samples = ReadmeSamples();
    ASSERT_GE(samples.size(), 5u);
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        test::TempDir dir;
        test::FakePrompts prompts;
        AppState state;
        InitProgramState(state, {0, dir.path().string(), {}}, prompts);
        state.imageFilePath = (SamplesDir() / sample.file).string();
        state.current().dataFileName = state.imageFilePath;
        ProcessImage(state, prompts, true, true);
        const FlightResults& r = state.results;

        // Integrating an 8-bit accelerometer drifts a little: within 8 %.
        EXPECT_NEAR(r.maxInertialHeight, sample.trueApogee, 0.08 * sample.trueApogee);
        // The pressure apogee is the height at the apogee charge, one 8-bit pressure step (about
        // 120 ft at sea level, 150 ft at a high site) or a few percent off. Without a drogue
        // charge it is the main's height.
        if (!r.noDrogueFire) {
            EXPECT_NEAR(r.apogeePressureHeight, sample.trueApogee,
                        std::max(170.0, 0.04 * sample.trueApogee));
            EXPECT_NEAR(r.apogeeTime, r.maxInertialHeightTime, 1.0);
        }
        EXPECT_GT(r.maxSpeed, 100.0f);
        EXPECT_GT(r.maxAccel, 3.0f);
        EXPECT_LT(r.minAccel, -0.5f);
        EXPECT_GT(state.endOfFlightTime, r.apogeeTime);
        for (const std::string& row : state.summaryRows.text) {
            EXPECT_EQ(row.find("nan"), std::string::npos) << row;
            EXPECT_EQ(row.find("inf"), std::string::npos) << row;
        }
    }
}

}  // namespace
}  // namespace orvale
