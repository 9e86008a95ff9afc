// A decoded test flight loaded into graph entry 1, whose accelerometer readings are set sample
// by sample as values in g, and a shorthand to prepare channel 1's series from a window.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/image_decode.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "graph/series_preparation.h"
#include "test_image.h"

namespace orvale::test {

class SeriesFixture : public ::testing::Test {
protected:
    static constexpr int kLeadFrames = 4;  // frame k holds sample k - 4

    SeriesFixture() { SetProgramDefaults(state, 0); }

    // Sample n (0 and later) reads g: with a zero-g reading of 100 and 2 readings per g.
    void SetG(int sample, float g) {
        image.SetAccel(sample + kLeadFrames, static_cast<uint8_t>(100 + 2 * g));
    }

    void Load() {
        state.imageFilePath = image.Write(dir.path() / "FLIGHT.DAT");
        state.currentEntry = 1;
        ProcessImage(state, prompts, true, false);
        state.calibration.dodg = 2.0f;
        state.formula.displayMinimum = 0.0;
        state.formula.displayMaximum = 4095.0;
    }

    // Channel 1's series of the window, as the graph asks for it.
    bool Prepare(const std::string& formula, double start, double length, float k = 1.0f) {
        state.channels[0].formula = formula;
        entry().graphStart = start;
        entry().graphLength = length;
        return PrepareSeries(state, prompts, 0, static_cast<int32_t>(std::nearbyint(16 * start)),
                             k);
    }

    DataFileEntry& entry() { return state.entries[1]; }
    const ChannelSamples& series() const { return state.series[1]; }
    float X(int p) const { return series().x[static_cast<size_t>(p)]; }
    float Y(int p) const { return series().y[static_cast<size_t>(p)]; }

    TempDir dir;
    TestImage image;
    AppState state;
    FakePrompts prompts;
};

}  // namespace orvale::test
