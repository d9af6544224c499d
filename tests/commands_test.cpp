// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/commands.h"

#include "runtime/errors.h"
#include "worked_example.h"
#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace trezolin {
namespace {

using testing::kExampleDraws;
using testing::kExampleRoundRows;
using testing::kExampleStart;
using testing::LogLine;

TEST(CommandsTest, StartThenChecksNumberTheLinesFromOne)
{
    CubeState state;
    state.log = "help\r\n";
    std::array<std::string, kVertexCount> startTexts;
    ReplayRandomSource random(kExampleDraws);
    StartCommand(state, startTexts, random);
    EXPECT_EQ(startTexts, testing::Texts(kExampleStart));
    EXPECT_EQ(state.vertexTexts, startTexts);
    EXPECT_TRUE(state.log.empty());
    EXPECT_EQ(state.changeCount, 0);

    CheckCommand(state);
    CheckCommand(state);
    EXPECT_EQ(state.changeCount, 2);
    EXPECT_EQ(state.log, LogLine(1, kExampleRoundRows[0]) + LogLine(2, kExampleRoundRows[1]));
    // The first cube keeps the start values.
    EXPECT_EQ(startTexts, testing::Texts(kExampleStart));
}

TEST(CommandsTest, ANewStartEmptiesThePreviousValuesButKeepsTheCurrentOnes)
{
    CubeState state;
    std::array<std::string, kVertexCount> startTexts;
    ReplayRandomSource random(std::vector<float>(16, 0.01f));  // every value -10
    StartCommand(state, startTexts, random);
    CheckCommand(state);
    CheckCommand(state);
    const auto lastValues = state.currentValues;
    StartCommand(state, startTexts, random);
    EXPECT_TRUE(state.previousValues.empty());
    EXPECT_EQ(state.currentValues, lastValues);
    EXPECT_EQ(state.changeCount, 0);
    EXPECT_TRUE(state.log.empty());
    CheckCommand(state);
    // The first check of the new run keeps what the old run ended with.
    EXPECT_EQ(state.previousValues, lastValues);
    EXPECT_EQ(state.log.rfind(LogLine(1, {-10, -10, -10, -10, -10, -10, -10, -10}), 0), 0u);
}

TEST(CommandsTest, TheCounterOverflowsAfter32767ChecksAndNothingChanges)
{
    CubeState state;
    state.vertexTexts = testing::Texts({-1, -2, -3, -4, -5, -6, -7, -8});
    state.changeCount = 32766;
    CheckCommand(state);
    EXPECT_EQ(state.changeCount, 32767);
    EXPECT_NE(state.log.find("Проверявате опит: 32767: "), std::string::npos);

    const CubeState before = state;
    EXPECT_THROW(CheckCommand(state), OverflowError);
    EXPECT_EQ(state.changeCount, 32767);
    EXPECT_EQ(state.log, before.log);
    EXPECT_EQ(state.vertexTexts, before.vertexTexts);
    EXPECT_EQ(state.previousValues, before.previousValues);
    EXPECT_EQ(state.currentValues, before.currentValues);
}

} // namespace
} // namespace trezolin
