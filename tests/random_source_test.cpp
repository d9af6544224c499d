// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace trezolin {
namespace {

TEST(SeededRandomSourceTest, SameSeedSameSequence)
{
    SeededRandomSource a(12345);
    SeededRandomSource b(12345);
    SeededRandomSource c(54321);
    int differences = 0;
    for (int i = 0; i < 100; ++i) {
        const float x = a.Next();
        EXPECT_EQ(x, b.Next());
        differences += x != c.Next();
    }
    EXPECT_GT(differences, 90);
}

TEST(SeededRandomSourceTest, StaysInTheHalfOpenUnitInterval)
{
    SeededRandomSource source(7);
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 1'000'000; ++i) {
        const float r = source.Next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    // The whole interval is used, not a corner of it.
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
}

TEST(ReplayRandomSourceTest, GivesItsNumbersInOrderThenThrows)
{
    ReplayRandomSource source({0.25f, 0.0f, 0.5f});
    EXPECT_EQ(source.Next(), 0.25f);
    EXPECT_EQ(source.Next(), 0.0f);
    EXPECT_EQ(source.Next(), 0.5f);
    EXPECT_EQ(source.Drawn(), 3u);
    EXPECT_THROW((void)source.Next(), std::out_of_range);
}

} // namespace
} // namespace trezolin
