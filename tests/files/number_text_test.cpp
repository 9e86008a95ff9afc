#include "files/number_text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace orvale {
namespace {

TEST(IniInteger, DecimalAndHexadecimalForms) {
    const std::pair<const char*, int32_t> good[] = {{"42", 42},
                                                    {"+42", 42},
                                                    {"-42", -42},
                                                    {" \t 7 \t", 7},
                                                    {"007", 7},
                                                    {"0x1F", 31},
                                                    {"0X1f", 31},
                                                    {"$1f", 31},
                                                    {"$FF", 255},
                                                    {"2147483647", INT32_MAX},
                                                    {"-2147483648", INT32_MIN},
                                                    {"0x7FFFFFFF", INT32_MAX},
                                                    {"$FFFFFFFF", -1},
                                                    {"0x80000000", INT32_MIN},
                                                    {"0x00000000001", 1}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseIniInteger(text), value) << text;
}

TEST(IniInteger, AnythingElseIsRejected) {
    for (const char* text :
         {"", "  ", "12.5", "yes", "12a", "1 2", "- 5", "+", "-", "0x", "$", "0xG", "-0x1F", "+$1F",
          "2147483648", "-2147483649", "99999999999999999999", "$100000000", "1e3"})
        EXPECT_EQ(ParseIniInteger(text), std::nullopt) << '"' << text << '"';
}

TEST(WellFormedNumber, AcceptedForms) {
    const std::pair<const char*, float> good[] = {
        {"1.5E2", 150.0f}, {".5", 0.5f},
        {"5.", 5.0f},      {"+3", 3.0f},
        {"-0.25", -0.25f}, {"1e-3", 0.001f},
        {"2E+1", 20.0f},   {"0", 0.0f},
        {"1e-60", 0.0f},   {"3.4028235e38", 3.4028235e38f},
        {"0.1", 0.1f}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseWellFormedNumber(text, false), value) << text;
}

TEST(WellFormedNumber, MalformedOrInfiniteIsRejected) {
    for (const char* text : {"", ".", "1e", "1e+", "e5", "+", "-.", "1,5", "1.5.2", "1 ", "0x10",
                             "inf", "nan", "1e400", "-1e400", "3.5e38", "1.5E2x"})
        EXPECT_EQ(ParseWellFormedNumber(text, true), std::nullopt) << '"' << text << '"';
}

TEST(WellFormedNumber, LeadingBlanksOnlyWhenAllowed) {
    EXPECT_EQ(ParseWellFormedNumber(" \t7", true), 7.0f);
    EXPECT_EQ(ParseWellFormedNumber(" 7", false), std::nullopt);
    EXPECT_EQ(ParseWellFormedNumber("   ", true), std::nullopt);
}

TEST(WellFormedNumber, IgnoresTheUsersLocale) {
    // A locale with a decimal comma, where one is installed; the reading must not change.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no German locale installed";
    std::optional<float> value = ParseWellFormedNumber("1.5", false);
    std::optional<float> comma = ParseWellFormedNumber("1,5", false);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(value, 1.5f);
    EXPECT_EQ(comma, std::nullopt);
}

TEST(NumberFormat, ReadingsAndCalibrationValues) {
    EXPECT_EQ(FormatFixed2(1000.0f), "1000.00");
    EXPECT_EQ(FormatFixed2(-2.5f), "-2.50");
    EXPECT_EQ(FormatFixed2(0.0f), "0.00");
    EXPECT_EQ(FormatFixed2(0.125f), "0.12");  // the exact binary value, ties to even
    EXPECT_EQ(FormatCalValue(1.02f), "      1.0200");
    EXPECT_EQ(FormatCalValue(-23.3f), "    -23.3000");
    EXPECT_EQ(FormatCalValue(1e6f), "1000000.0000");
    EXPECT_EQ(FormatCalValue(-100000.0f), "-100000.0000");
    // A written value reads back as the same float to the written precision.
    EXPECT_EQ(ParseWellFormedNumber(FormatCalValue(0.9876f), true), 0.9876f);
}

}  // namespace
}  // namespace orvale
