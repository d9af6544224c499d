#include "core/commands.h"

#include "cube_state_helpers.h"
#include "runtime/errors.h"
#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace trezolin {
namespace {

using testing::LogLine;

// r values giving the start values -43, -83, -41, -25, -73, -59, -19, -32:
// k = 439 -> 43, 479 -> 83, 437 -> 41, 421 -> 25, 469 -> 73, 455 -> 59, 415 -> 19, 428 -> 32.
const std::vector<float> kExampleDraws = {0.439f, 0.479f, 0.437f, 0.421f, 0.469f, 0.455f, 0.415f, 0.428f};

TEST(CommandsTest, StartThenChecksNumberTheLinesFromOne)
{
    CubeState state;
    state.log = "help\r\n";
    std::array<std::string, kVertexCount> startTexts;
    ReplayRandomSource random(kExampleDraws);
    StartCommand(state, startTexts, random);
    EXPECT_EQ(startTexts, testing::Texts({-43, -83, -41, -25, -73, -59, -19, -32}));
    EXPECT_EQ(state.vertexTexts, startTexts);
    EXPECT_TRUE(state.log.empty());
    EXPECT_EQ(state.changeCount, 0);

    CheckCommand(state);
    CheckCommand(state);
    EXPECT_EQ(state.changeCount, 2);
    EXPECT_EQ(state.log, LogLine(1, {-60, -48, -42, -39, -45, -58, -44, -39}) +
                             LogLine(2, {-44, -53, -44, -47, -52, -46, -46, -43}));
    // The first cube keeps the start values.
    EXPECT_EQ(startTexts, testing::Texts({-43, -83, -41, -25, -73, -59, -19, -32}));
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

TEST(CommandsTest, RunCommandSaysHowTheLogChangedAndTurnsErrorsIntoMessages)
{
    const struct {
        const char* what;
        int index;
        std::int16_t changeCount;
        std::size_t draws;  // numbers the random source has
        LogChange log;
        const char* errorStart;  // "" when the command runs to its end
    } cases[] = {
        {"start", kStartButton, 5, 8, LogChange::Replaced, ""},
        {"check", kCheckButton, 5, 8, LogChange::Appended, ""},
        {"another button", 7, 5, 8, LogChange::Appended, ""},
        {"the 32768th check", kCheckButton, 32767, 8, LogChange::Appended, "Препълване"},
        {"a start whose source runs dry", kStartButton, 5, 3, LogChange::Replaced, "Неочаквана грешка"},
    };
    for (const auto& c : cases) {
        CubeState state;
        state.log = "old\r\n";
        state.changeCount = c.changeCount;
        std::array<std::string, kVertexCount> startTexts;
        ReplayRandomSource random(std::vector<float>(kExampleDraws.begin(), kExampleDraws.begin() + c.draws));
        const CommandOutcome outcome = RunCommand(c.index, RoundingMethod::Fix, state, startTexts, random);
        EXPECT_EQ(outcome.log, c.log) << c.what;
        EXPECT_EQ(outcome.error.rfind(c.errorStart, 0), 0u) << c.what << ": " << outcome.error;
        EXPECT_EQ(outcome.error.empty(), std::string_view(c.errorStart).empty()) << c.what;
        if (c.index == kCheckButton && outcome.error.empty()) {
            EXPECT_EQ(state.method, RoundingMethod::Fix);
            EXPECT_EQ(state.log, "old\r\n" + LogLine(6, {}));
        }
    }
}

} // namespace
} // namespace trezolin
