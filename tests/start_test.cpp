// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/start.h"

#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

namespace trezolin {
namespace {

TEST(StartValueTest, FromGivenRandomNumbers)
{
    const struct {
        float r;
        int value;
    } cases[] = {
        {0.0f, 0},
        {0.0625f, -62},     // 62.5 rounds to the even 62
        {0.1875f, -89},     // 187.5 rounds to the even 188; 188 mod 99 = 89
        {0.99950004f, -10}, // the first float not below 0.9995: 1000 mod 99 = 10
        {0.9995f, -9},      // as a float just below 0.9995: 999 mod 99 = 9
        {0.99999994f, -10}, // the largest float below 1
        {0.0987f, 0},       // 98.7 rounds to 99; 99 mod 99 = 0
        {0.0984f, -98},
        {0.0004f, 0},
        {0x1p-11f, 0},      // 0.48828125
        {0.001f, -1},
        {0.5f, -5},         // 500 mod 99 = 5
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartValue(c.r), c.value) << "r = " << c.r;
}

TEST(StartValueTest, EveryFloatBelowOneGivesMinus98ToZero)
{
    // Walk the floats in [0, 1) with a stride fine enough to hit every k.
    std::map<int, int> seen;
    for (int step = 0; step < (1 << 20); ++step) {
        const float r = static_cast<float>(step) / static_cast<float>(1 << 20);
        const int v = StartValue(r);
        ASSERT_GE(v, -98);
        ASSERT_LE(v, 0);
        ++seen[v];
    }
    EXPECT_EQ(seen.size(), 99u);
    // Remainders 1 to 9 come from eleven values of k, 11 to 98 from ten.
    EXPECT_GT(seen[-5], seen[-50]);
}

TEST(GenerateStartValuesTest, WritesBothCubesInVertexOrderAndEmptiesTheLog)
{
    CubeState state;
    state.log = "old log\r\n";
    state.previousValues = {"p"};
    state.currentValues = {"c"};
    state.changeCount = 9;
    std::array<std::string, kVertexCount> startTexts;
    ReplayRandomSource random({0.0f, 0.0625f, 0.1875f, 0.99950004f, 0.0987f, 0.001f, 0.5f, 0.0984f});
    GenerateStartValues(state, startTexts, random);

    const std::array<std::string, kVertexCount> expected = {"0", "-62", "-89", "-10", "0", "-1", "-5", "-98"};
    EXPECT_EQ(startTexts, expected);
    EXPECT_EQ(state.vertexTexts, expected);
    EXPECT_EQ(random.Drawn(), 8u);
    EXPECT_TRUE(state.log.empty());
    // The lists and the count belong to the start command.
    EXPECT_EQ(state.previousValues, std::vector<std::string>{"p"});
    EXPECT_EQ(state.currentValues, std::vector<std::string>{"c"});
    EXPECT_EQ(state.changeCount, 9);
}

TEST(GenerateStartValuesTest, SameSeedSameValues)
{
    std::array<std::string, kVertexCount> first;
    std::array<std::string, kVertexCount> second;
    CubeState a;
    CubeState b;
    SeededRandomSource sourceA(2026);
    SeededRandomSource sourceB(2026);
    GenerateStartValues(a, first, sourceA);
    GenerateStartValues(b, second, sourceB);
    EXPECT_EQ(first, second);
    // The next start from the same source draws new numbers.
    GenerateStartValues(a, first, sourceA);
    EXPECT_NE(first, second);
}

TEST(GenerateStartValuesTest, AFailingSourceLeavesTheVerticesWrittenSoFar)
{
    CubeState state;
    state.log = "log";
    std::array<std::string, kVertexCount> startTexts = {"A", "B", "C", "D", "E", "F", "G", "H"};
    ReplayRandomSource random({0.5f, 0.5f, 0.5f});
    EXPECT_THROW(GenerateStartValues(state, startTexts, random), std::out_of_range);
    EXPECT_TRUE(state.log.empty());
    EXPECT_EQ(startTexts, (std::array<std::string, kVertexCount>{"-5", "-5", "-5", "D", "E", "F", "G", "H"}));
}

} // namespace
} // namespace trezolin
