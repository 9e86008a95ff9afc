#include <gtest/gtest.h>

#include <fstream>

#include "core/pressure_altitude.h"
#include "formula/channel_conversion.h"
#include "formula/page_cache.h"
#include "formula_fixture.h"
#include "test_image.h"

namespace orvale::test {
namespace {

using FormulaReading = FormulaFixture;

uint8_t FileByte(int64_t at) {
    return static_cast<uint8_t>(at * 7 + at / kPageSize);
}

TEST_F(FormulaReading, PagesComeFromTheImageFileThroughOneCache) {
    TempDir dir;
    state.imageFilePath = dir.File("flight.dat");
    {
        std::ofstream out(state.imageFilePath, std::ios::binary);
        for (int64_t i = 0; i < 3 * kPageSize; ++i)
            out.put(static_cast<char>(FileByte(i)));
    }
    state.page[10] = 0xAB;  // page 0 is the decoded image the graph copied in, not the file
    uint8_t byte = 0;
    ASSERT_TRUE(ReadDataByte(state, 0, 10, byte));
    EXPECT_EQ(byte, 0xAB);
    ASSERT_TRUE(ReadDataByte(state, 0, kPageSize + 5, byte));
    EXPECT_EQ(byte, FileByte(kPageSize + 5));
    EXPECT_EQ(state.formula.cachedPage, 1);
    ASSERT_TRUE(ReadDataByte(state, 2, -1, byte));
    EXPECT_EQ(byte, FileByte(2 * kPageSize - 1));
    ASSERT_TRUE(ReadDataByte(state, 2, 3, byte));
    EXPECT_EQ(byte, FileByte(2 * kPageSize + 3));
    ASSERT_TRUE(ReadDataByte(state, 0, 10, byte));
    EXPECT_EQ(byte, FileByte(10));

    // Past the end of the file the read fails and the cache keeps the page it had.
    EXPECT_FALSE(ReadDataByte(state, 3, 0, byte));
    EXPECT_FALSE(ReadDataByte(state, -1, 0, byte));
    EXPECT_EQ(state.formula.cachedPage, 0);
    std::filesystem::resize_file(state.imageFilePath, 2 * kPageSize + 100);
    EXPECT_FALSE(ReadDataByte(state, 2, 0, byte));
    std::filesystem::remove(state.imageFilePath);
    ASSERT_TRUE(ReadDataByte(state, 0, 11, byte));
    EXPECT_EQ(byte, FileByte(11));
    EXPECT_FALSE(ReadDataByte(state, 1, 0, byte));
}

TEST_F(FormulaReading, ConvertsBothChannels) {
    // The 12-bit reading drops its low four bits and stops at 4095.
    EXPECT_EQ(ConvertReading(state, 103 * 16, 0), 1.5f);
    EXPECT_EQ(ConvertReading(state, 103 * 16 + 15, 0), 1.5f);
    EXPECT_EQ(ConvertReading(state, 65535, 0), 77.5f);
    state.results.zeroGReading = 101.5f;
    state.calibration.dodg = 3.4588f;
    EXPECT_EQ(ConvertReading(state, 96 * 16, 0), -5.5f / 3.4588f);
    state.calibration.dodg = 0.0f;
    EXPECT_EQ(ConvertReading(state, 96 * 16, 0), 0.0f);

    EXPECT_NEAR(ConvertReading(state, 200 * 16, 1), 1343.1f, 0.05f);
    EXPECT_EQ(ConvertReading(state, 15, 1), kNoHeight);
    ChannelTable table{};
    BuildChannelTable(state, 1, table);
    for (int raw = 0; raw < kChannelTableSize; ++raw)
        ASSERT_EQ(table[raw], PressureAltitude(state.calibration, raw / 16, 210.0f)) << raw;
}

}  // namespace
}  // namespace orvale::test
