// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/errors.h"
#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace trezolin {
namespace {

struct RoundCase {
    double input;
    double expected;
};

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour)
{
    const RoundCase cases[] = {
        {2.5, 2.0},   {3.5, 4.0},     {-2.5, -2.0},  {-3.5, -4.0}, {0.5, 0.0},
        {-0.5, -0.0}, {1.5, 2.0},     {2.4, 2.0},    {2.6, 3.0},   {-2.6, -3.0},
        {-0.4, -0.0}, {0.0, 0.0},     {7.0, 7.0},    {-60.333333333333336, -60.0},
        {-47.666666666666664, -48.0}, {0x1p52 + 0.5, 0x1p52}, {1e300, 1e300},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.input), c.expected) << "input " << c.input;
}

TEST(RoundHalfEvenTest, DoesNotDependOnTheFpuRoundingMode)
{
    // A value just below a half must not be pushed over it.
    EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0.0);
    EXPECT_EQ(RoundHalfEven(-0.49999999999999994), -0.0);
}

TEST(IntegerConversionTest, Int16Conversions)
{
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(-32768.4), -32768);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(FloorToInt16(-2.5), -3);
    EXPECT_EQ(FloorToInt16(2.9), 2);
    EXPECT_EQ(FloorToInt16(-32768.0), -32768);
    EXPECT_EQ(TruncToInt16(-2.5), -2);
    EXPECT_EQ(TruncToInt16(2.9), 2);
    EXPECT_EQ(TruncToInt16(-32768.9), -32768);
    EXPECT_EQ(TruncToInt16(32767.9), 32767);
}

TEST(IntegerConversionTest, OutOfRangeOverflows)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {32767.5, -32768.6, 40000.0, -1e9, nan, inf, -inf})
        EXPECT_THROW((void)RoundToInt16(x), OverflowError) << x;
    for (double x : {32768.0, -32768.1, nan, inf})
        EXPECT_THROW((void)FloorToInt16(x), OverflowError) << x;
    for (double x : {32768.0, -32769.0, nan, -inf})
        EXPECT_THROW((void)TruncToInt16(x), OverflowError) << x;
    for (double x : {2147483647.5, -2147483648.6, nan, inf})
        EXPECT_THROW((void)RoundToInt32(x), OverflowError) << x;
}

TEST(IntegerConversionTest, Int32AndNarrowing)
{
    EXPECT_EQ(RoundToInt32(62.5), 62);
    EXPECT_EQ(RoundToInt32(187.5), 188);
    EXPECT_EQ(RoundToInt32(999.5), 1000);
    EXPECT_EQ(RoundToInt32(-2147483648.4), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(NarrowToInt16(-32768), -32768);
    EXPECT_EQ(NarrowToInt16(32767), 32767);
    EXPECT_THROW((void)NarrowToInt16(32768), OverflowError);
    EXPECT_THROW((void)NarrowToInt16(-32769), OverflowError);
}

TEST(IncrementTest, StopsAtTheLargest16BitValue)
{
    EXPECT_EQ(IncrementInt16(0), 1);
    EXPECT_EQ(IncrementInt16(-1), 0);
    EXPECT_EQ(IncrementInt16(32766), 32767);
    EXPECT_THROW((void)IncrementInt16(32767), OverflowError);
}

TEST(CheckFloatingPointTest, RejectsOnlyNonFiniteResults)
{
    EXPECT_EQ(CheckFloatingPoint(-1.5), -1.5);
    EXPECT_EQ(CheckFloatingPoint(std::numeric_limits<double>::max()), std::numeric_limits<double>::max());
    EXPECT_THROW(CheckFloatingPoint(std::numeric_limits<double>::quiet_NaN()), FloatingPointError);
    EXPECT_THROW(CheckFloatingPoint(std::numeric_limits<double>::infinity()), FloatingPointError);
    EXPECT_THROW(CheckFloatingPoint(-std::numeric_limits<double>::infinity()), FloatingPointError);
}

TEST(ErrorTest, EachErrorCarriesItsKind)
{
    const OverflowError overflow;
    const FloatingPointError floating;
    const Error& a = overflow;
    const Error& b = floating;
    EXPECT_EQ(a.Kind(), ErrorKind::Overflow);
    EXPECT_EQ(b.Kind(), ErrorKind::FloatingPoint);
    EXPECT_STRNE(a.what(), b.what());
}

} // namespace
} // namespace trezolin
