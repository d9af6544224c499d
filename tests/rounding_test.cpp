// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/rounding.h"

#include <gtest/gtest.h>

namespace trezolin {
namespace {

struct ThirdCase {
    CellValue sum;
    CellValue round;
    CellValue floor;
    CellValue fix;
};

TEST(RoundThirdTest, TableForAllThreeMethods)
{
    const ThirdCase cases[] = {
        {-181, -60, -61, -60}, {-143, -48, -48, -47}, {-132, -44, -44, -44},
        {-5, -2, -2, -1},      {-4, -1, -2, -1},      {0, 0, 0, 0},
        {4, 1, 1, 1},          {5, 2, 1, 1},          {1, 0, 0, 0},
        {-1, 0, -1, 0},        {-2, -1, -1, 0},       {2, 1, 0, 0},
        {32767, 10922, 10922, 10922},
        {-32768, -10923, -10923, -10922},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundThird(c.sum, RoundingMethod::Round), c.round) << c.sum;
        EXPECT_EQ(RoundThird(c.sum, RoundingMethod::Int), c.floor) << c.sum;
        EXPECT_EQ(RoundThird(c.sum, RoundingMethod::Fix), c.fix) << c.sum;
    }
}

TEST(RoundThirdTest, NoSelectionOrUnknownPositionGivesZero)
{
    for (int position : {-1, 3, 4, 100, -32768})
        for (int sum : {-32768, -181, 0, 5, 32767})
            EXPECT_EQ(RoundThird(static_cast<CellValue>(sum), static_cast<RoundingMethod>(position)), 0)
                << "position " << position << " sum " << sum;
}

TEST(RoundThirdTest, PropertiesOverEvery16BitSum)
{
    for (int s = -32768; s <= 32767; ++s) {
        const auto sum = static_cast<CellValue>(s);
        const int round = RoundThird(sum, RoundingMethod::Round);
        const int floor = RoundThird(sum, RoundingMethod::Int);
        const int fix = RoundThird(sum, RoundingMethod::Fix);
        // Exact integer references for the third of s.
        const int q = s >= 0 ? s / 3 : -((-s + 2) / 3);  // floor(s / 3)
        const int r = s - 3 * q;                          // 0, 1 or 2
        ASSERT_EQ(floor, q) << s;
        ASSERT_EQ(round, r == 2 ? q + 1 : q) << s;
        ASSERT_EQ(fix, s >= 0 ? q : (r == 0 ? q : q + 1)) << s;
        if (s % 3 == 0) {
            ASSERT_EQ(round, floor);
            ASSERT_EQ(floor, fix);
        }
        if (s > 0) {
            ASSERT_EQ(floor, fix);
        }
        if (s < 0 && s % 3 != 0) {
            ASSERT_EQ(floor, fix - 1) << s;
        }
    }
}

} // namespace
} // namespace trezolin
