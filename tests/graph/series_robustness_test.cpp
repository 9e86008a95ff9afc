// Random formulas, windows and display ranges through the series preparation: whatever they are,
// nothing reads or writes outside its buffers, no value converts out of range (the sanitizer
// build checks both) and a usable series stays within the 1024 points the graph can be given.
#include <array>
#include <random>

#include "series_fixture.h"

namespace orvale::test {
namespace {

using SeriesRobustness = SeriesFixture;

TEST_F(SeriesRobustness, RandomRequestsStayInsideTheBuffers) {
    const char* const pieces[] = {"CH1",  "CH2", "HST ", "FFT(", "PSD(", "INT(", "DIF(", "X",
                                  "1E38", "0",   "0.01", "25",   "-",    "*",    "/",    "^",
                                  "(",    ")",   ",",    "EXP(", "LN(",  "PI",   " "};
    std::mt19937 random(20240611);
    auto pick = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int n = 0; n < 4088; n += 7)
        SetG(n, static_cast<float>(n % 77));
    Load();
    std::array<int, 5> prepared{};  // by series mode
    for (int round = 0; round < 400; ++round) {
        std::string formula;
        const int length = std::uniform_int_distribution<int>(1, 8)(random);
        for (int i = 0; i < length; ++i)
            formula += pieces[random() % std::size(pieces)];
        state.formula.displayMinimum = random() % 4 == 0 ? 5.0 : pick(-1e6, 1e6);
        state.formula.displayMaximum = random() % 4 == 0 ? 5.0 : pick(-1e6, 1e6);
        SCOPED_TRACE(formula);
        if (Prepare(formula, pick(-10, 300), pick(-5, 400), static_cast<float>(pick(0, 1)))) {
            RecordSeriesRange(state);
            ++prepared[series().seriesMode];
            EXPECT_GE(series().pointCount, -1);
            EXPECT_LE(series().pointCount, 1024);
        }
        EXPECT_FALSE(state.formula.powerOfTwoTrim);
        EXPECT_EQ(state.formula.readErrorCode, 0);
    }
    // Every kind of series was among them.
    for (uint8_t mode : {kSeriesPlain, kSeriesPowerOfTwo, kSeriesIntegral, kSeriesHistogram})
        EXPECT_GT(prepared[mode], 0) << static_cast<int>(mode);
}

}  // namespace
}  // namespace orvale::test
