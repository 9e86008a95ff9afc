#include "core/time_window.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/program_state.h"
#include "fake_prompts.h"

namespace orvale {
namespace {

// A decoded flight: first sample at -0.25 s, 255.5 s long, so the data end at 255.25 s.
class TimeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDefaults(state, 0);
        state.loadedDataSize = 8;
        state.currentEntry = 4;
        entry().startTime = -0.25;
        entry().duration = 255.5;
        entry().sampleInterval = 0.0625;
    }
    DataFileEntry& entry() { return state.entries[4]; }

    AppState state;
};

std::vector<std::string> Messages(const char* message) {
    return message ? std::vector<std::string>{message} : std::vector<std::string>{};
}

TEST_F(TimeWindow, StartStaysInsideTheFlight) {
    const char* beyond = "Start is beyond EOF";
    struct Case {
        bool showErrors;
        double start;
        double expected;
        const char* message;
    };
    const Case cases[] = {
        {true, 300, -0.25, beyond},      {false, 300, -0.25, nullptr},
        {true, -3, -0.25, nullptr},      {true, 100, 100, nullptr},
        {true, 255.25, 255.25, nullptr}, {true, 255.2501, -0.25, beyond},
        {true, -0.25, -0.25, nullptr},   {true, NAN, -0.25, beyond},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << (c.showErrors ? " shown" : ""));
        test::FakePrompts box;
        entry().graphStart = 42;
        SetGraphStart(state, box, c.showErrors, c.start);
        EXPECT_EQ(entry().graphStart, c.expected);
        EXPECT_EQ(box.errors, Messages(c.message));
    }
    EXPECT_EQ(state.entries[0].graphStart, 0.0) << "another entry's window changed";
}

TEST_F(TimeWindow, LengthIsCutToWhatRemainsComparedInMilliseconds) {
    const char* fiveQuarters = "5.250 is the remaining length of the file";
    struct Case {
        bool showErrors;
        double start;
        double length;
        double expected;
        const char* message;
    };
    const Case cases[] = {
        {true, 250, 10, 5.25, fiveQuarters},
        {false, 250, 10, 5.25, nullptr},
        {true, 250, 5.2504, 5.2504, nullptr},  // less than half a millisecond too long
        {true, 250, 5.2506, 5.25, fiveQuarters},
        {true, 250, 5.25, 5.25, nullptr},
        {true, -0.25, 255.5, 255.5, nullptr},
        {true, -0.25, 300, 255.5, "255.500 is the remaining length of the file"},
        {true, 255.25, 1, 0, "0.000 is the remaining length of the file"},
        {true, 10, 0.5, 0.5, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "start " << c.start << " length " << c.length);
        test::FakePrompts box;
        entry().graphStart = c.start;
        SetGraphLength(state, box, c.showErrors, c.length);
        EXPECT_DOUBLE_EQ(entry().graphLength, c.expected);
        EXPECT_EQ(entry().graphStart, c.start);
        EXPECT_EQ(box.errors, Messages(c.message));
    }
    EXPECT_EQ(state.entries[0].graphLength, 0.1) << "another entry's window changed";
}

TEST_F(TimeWindow, NoFlightLoaded) {
    state.loadedDataSize = 0;
    entry().graphStart = 12;
    entry().graphLength = 3;
    for (bool showErrors : {true, false}) {
        SCOPED_TRACE(showErrors);
        test::FakePrompts box;
        SetGraphStart(state, box, showErrors, 50);
        SetGraphLength(state, box, showErrors, 7);
        EXPECT_EQ(entry().graphStart, 0.0);
        EXPECT_EQ(entry().graphLength, 3.0);
        EXPECT_EQ(state.loadedDataSize, 0);
        if (showErrors)
            EXPECT_EQ(box.errors, std::vector<std::string>(2, "No flight data is loaded"));
        else
            EXPECT_TRUE(box.errors.empty());
    }
}

}  // namespace
}  // namespace orvale
