// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/errors.h"
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace trezolin {
namespace {

struct ReadCase {
    const char* text;
    double expected;
};

TEST(TextToNumberTest, ReadsTheLeadingNumberOnly)
{
    const ReadCase cases[] = {
        {"12", 12},       {"12abc", 12},     {"  -7", -7},     {"\t-7", -7},      {"", 0},
        {"abc", 0},       {"-", 0},          {"+", 0},         {"+5", 5},         {"-0", 0},
        {".5", 0.5},      {"-.5", -0.5},     {"5.", 5},        {"5.x", 5},        {".", 0},
        {"-.", 0},        {"1e", 1},         {"1e+", 1},       {"1e-", 1},        {"1e3", 1000},
        {"1E3", 1000},    {"1e+3", 1000},    {"2.5e-1", 0.25}, {"1.5e2x", 150},   {"0x1A", 0},
        {"inf", 0},       {"infinity", 0},   {"nan", 0},       {"-inf", 0},       {"12 34", 12},
        {"1,5", 1},       {"- 5", 0},        {"--5", 0},       {"+-5", 0},        {"007", 7},
        {"-43", -43},     {"2.5", 2.5},      {"1e-400", 0},    {"-1e-400", 0},    {"0e999999", 0},
        {"\xD0\x90" "5", 0}, {"5\xD0\x90", 5}, {"1.7976931348623157e308", 1.7976931348623157e308},
        {"00000000000000000000000000001", 1},
        {"0.000000000000000000000000000000000000000000000000001e51", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextToNumberTest, NegativeZeroAndTinyValuesStayZero)
{
    EXPECT_TRUE(std::signbit(TextToNumber("-1e-400")));
    EXPECT_EQ(TextToNumber("1e-99999999999999999999"), 0.0);
}

TEST(TextToNumberTest, NumbersTooLargeForADoubleOverflow)
{
    for (const char* text : {"1e400", "-1e400", "1.8e308", "1e99999999999999999999",
                             "0.1e310", "123456789e301"})
        EXPECT_THROW((void)TextToNumber(text), OverflowError) << text;
}

TEST(TextToNumberTest, IgnoresTheUsersLocale)
{
    // The separator is always ".", so "2,5" stops at the comma.
    EXPECT_EQ(TextToNumber("2,5"), 2.0);
    EXPECT_EQ(TextToNumber("2.5"), 2.5);
}

TEST(IntegerToTextTest, PlainDecimal)
{
    const struct {
        std::int16_t value;
        const char* text;
    } cases[] = {{0, "0"}, {7, "7"}, {-7, "-7"}, {-98, "-98"}, {100, "100"},
                 {32767, "32767"}, {-32768, "-32768"}};
    for (const auto& c : cases)
        EXPECT_EQ(IntegerToText(c.value), c.text);
}

TEST(IntegerToTextTest, RoundTripsEvery16BitValue)
{
    for (int v = -32768; v <= 32767; ++v) {
        const std::string text = IntegerToText(static_cast<std::int16_t>(v));
        ASSERT_EQ(TextToNumber(text), v) << text;
    }
}

} // namespace
} // namespace trezolin
