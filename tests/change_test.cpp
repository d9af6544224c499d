// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/change.h"

#include "runtime/errors.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace trezolin {
namespace {

using testing::kExampleFixFirstRow;
using testing::kExampleIntFirstRow;
using testing::kExampleRoundRows;
using testing::kExampleStart;
using testing::LogLine;
using testing::Texts;
using testing::Values;

CubeState StateAt(const Values& values, RoundingMethod method)
{
    CubeState state;
    state.vertexTexts = Texts(values);
    state.method = method;
    return state;
}

TEST(ApplyChangeTest, WorkedExampleWithRoundByteForByte)
{
    const auto& rows = kExampleRoundRows;
    CubeState state = StateAt(kExampleStart, RoundingMethod::Round);
    std::string expectedLog;
    for (int n = 1; n <= 7; ++n) {
        state.changeCount = static_cast<std::int16_t>(n);
        ApplyChange(state);
        expectedLog += LogLine(n, rows[n - 1]);
        ASSERT_EQ(state.log, expectedLog) << "after change " << n;
        EXPECT_EQ(state.vertexTexts, Texts(rows[n - 1]));
        const auto texts = Texts(rows[n - 1]);
        EXPECT_EQ(state.currentValues, std::vector<std::string>(texts.begin(), texts.end()));
    }
    // The first line exactly as a pupil reads it.
    EXPECT_EQ(state.log.substr(0, state.log.find('\n') + 1),
              "Проверявате опит: 1: -60  -48  -42  -39  -45  -58  -44  -39  \r\n");
}

TEST(ApplyChangeTest, FirstRowUnderEachMethod)
{
    const struct {
        RoundingMethod method;
        Values row;
    } cases[] = {
        {RoundingMethod::Round, kExampleRoundRows[0]},
        {RoundingMethod::Int, kExampleIntFirstRow},
        {RoundingMethod::Fix, kExampleFixFirstRow},
        {RoundingMethod::None, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        CubeState state = StateAt(kExampleStart, c.method);
        state.changeCount = 1;
        ApplyChange(state);
        EXPECT_EQ(state.log, LogLine(1, c.row)) << static_cast<int>(c.method);
    }
}

TEST(ApplyChangeTest, KeepsThePreviousValuesAndReplacesTheCurrentOnes)
{
    CubeState state = StateAt(kExampleStart, RoundingMethod::Round);
    state.currentValues = {"1", "2", "3", "4", "5", "6", "7", "8"};
    state.previousValues = {"x"};
    ApplyChange(state);
    EXPECT_EQ(state.previousValues, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    ApplyChange(state);
    EXPECT_EQ(state.previousValues,
              (std::vector<std::string>{"-60", "-48", "-42", "-39", "-45", "-58", "-44", "-39"}));
}

TEST(ApplyChangeTest, BeforeAnyStartEmptyBoxesGiveZerosBehindTheExistingLog)
{
    CubeState state;  // as the window loads: empty boxes, empty lists
    state.log = "help line 1\r\nhelp line 2\r\n";
    state.changeCount = 1;
    ApplyChange(state);
    EXPECT_EQ(state.log, "help line 1\r\nhelp line 2\r\n" + LogLine(1, {}));
    EXPECT_EQ(state.previousValues, std::vector<std::string>(8, ""));
    EXPECT_EQ(state.currentValues, std::vector<std::string>(8, "0"));
    EXPECT_EQ(state.vertexTexts, Texts({}));
}

TEST(ApplyChangeTest, TheBoxesNotTheListDecideTheNewValues)
{
    // After a start the boxes show the start values while the current-values
    // list still holds the previous run's last values.
    CubeState state = StateAt(kExampleStart, RoundingMethod::Round);
    state.currentValues = {"-1", "-1", "-1", "-1", "-1", "-1", "-1", "-1"};
    state.changeCount = 1;
    ApplyChange(state);
    EXPECT_EQ(state.previousValues, std::vector<std::string>(8, "-1"));
    EXPECT_EQ(state.log, LogLine(1, kExampleRoundRows[0]));
}

TEST(ApplyChangeTest, TextsOtherThanWholeNumbers)
{
    // A: neighbours B, D, E. "2.5" + 0 + 0 rounds to the even 2, a third of
    // which rounds to 1; words, blanks and foreign letters count as 0.
    CubeState state;
    state.vertexTexts = {"", "2.5", "abc", " ", "Я", "1e1x", "-0", "+3"};
    ApplyChange(state);
    // A=B+D+E=2.5->2->1, B=C+A+F=10->3, C=D+B+G=2.5->1, D=A+C+H=3->1,
    // E=F+H+A=13->4, F=G+E+B=2.5->1, G=H+F+C=13->4, H=E+G+D=0
    EXPECT_EQ(state.vertexTexts, Texts({1, 3, 1, 1, 4, 1, 4, 0}));
}

TEST(ApplyChangeTest, OverflowAtBLeavesThePartialState)
{
    CubeState state = StateAt({20000, 0, 20000, 0, 0, 0, 0, 0}, RoundingMethod::Round);
    state.currentValues = {"a", "b", "c", "d", "e", "f", "g", "h"};
    state.log = "before\r\n";
    state.changeCount = 5;
    const CubeState before = state;
    EXPECT_THROW(ApplyChange(state), OverflowError);
    EXPECT_EQ(state.previousValues, (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(state.currentValues, std::vector<std::string>{"0"});  // A's new value alone
    EXPECT_EQ(state.vertexTexts, before.vertexTexts);
    EXPECT_EQ(state.log, before.log);
    EXPECT_EQ(state.changeCount, 5);
}

TEST(ApplyChangeTest, FailuresOfOtherKinds)
{
    const struct {
        std::array<std::string, kVertexCount> texts;
        bool floatingPoint;  // otherwise overflow
        std::size_t valuesBeforeFailure;
    } cases[] = {
        // A number too large for a double, read for vertex A (its neighbour E).
        {{"0", "0", "0", "0", "1e400", "0", "0", "0"}, false, 0},
        // A sum that overflows a double: B + D at vertex A.
        {{"0", "1.7e308", "0", "1.7e308", "0", "0", "0", "0"}, true, 0},
        // Large values that cancel out are fine at A to E; F's sum is 1e300.
        {{"0", "1e300", "0", "-1e300", "0", "0", "0", "0"}, false, 5},
        // The sum of a vertex is 32767.5: rounds to the even 32768.
        {{"0", "0", "0", "0", "0", "0", "0", "32767.5"}, false, 3},
    };
    for (const auto& c : cases) {
        CubeState state;
        state.vertexTexts = c.texts;
        if (c.floatingPoint)
            EXPECT_THROW(ApplyChange(state), FloatingPointError);
        else
            EXPECT_THROW(ApplyChange(state), OverflowError);
        EXPECT_EQ(state.currentValues.size(), c.valuesBeforeFailure) << c.texts[1];
        EXPECT_EQ(state.vertexTexts, c.texts);
        EXPECT_TRUE(state.log.empty());
    }
}

TEST(ApplyChangeTest, NewValuesStayBetweenTheOldExtremes)
{
    for (auto method : {RoundingMethod::Round, RoundingMethod::Int, RoundingMethod::Fix}) {
        CubeState state = StateAt({-98, 0, -1, -97, -50, -2, -96, -3}, method);
        for (int n = 0; n < 50; ++n) {
            ApplyChange(state);
            for (const auto& text : state.vertexTexts) {
                const int v = std::stoi(text);
                ASSERT_GE(v, -98);
                ASSERT_LE(v, 0);
            }
        }
    }
}

TEST(ApplyChangeTest, ListsOfAnyLength)
{
    CubeState state = StateAt(kExampleStart, RoundingMethod::Round);
    state.previousValues = std::vector<std::string>(12, "p");
    state.currentValues = {"c0", "c1"};
    ApplyChange(state);
    std::vector<std::string> expected = {"c0", "c1", "", "", "", "", "", ""};
    expected.resize(12, "p");
    EXPECT_EQ(state.previousValues, expected);
    EXPECT_EQ(state.currentValues.size(), 8u);
}

} // namespace
} // namespace trezolin
