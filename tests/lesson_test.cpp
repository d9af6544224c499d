// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson as every shell drives it: what each command returns for the
// shell to show, step by step through one run of the program.

#include "lesson/lesson.h"

#include "design/help_text.h"
#include "runtime/random_source.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trezolin {
namespace {

using testing::kExampleDraws;
using testing::kExampleIntFirstRow;
using testing::kExampleRoundRows;
using testing::kExampleStart;
using testing::LogLine;
using testing::Texts;

// A log line as a screen reader says it: without its line end.
std::string Spoken(const std::string& line)
{
    return line.substr(0, line.size() - 2);
}

// The sentence after the worked example's start, written out here as a pupil hears it.
const std::string kExampleStartSpoken = "Ново начало, стойности от A до H: -43, -83, -41, -25, -73, -59, -19, -32.";

std::vector<std::string> Entries(std::span<const std::string> entries)
{
    return {entries.begin(), entries.end()};
}

std::vector<std::string> Entries(const testing::Values& values)
{
    const auto texts = Texts(values);
    return {texts.begin(), texts.end()};
}

TEST(LessonTest, ButtonsAndRowsBecomeCommandsAndMethodsInOnePlace)
{
    EXPECT_EQ(ButtonCommand(0), Command::Start);
    EXPECT_EQ(ButtonCommand(1), Command::Check);
    for (int other : {-1, 2, 7})
        EXPECT_EQ(ButtonCommand(other), std::nullopt) << other;
    const struct {
        int row;
        RoundingMethod method;
    } rows[] = {{0, RoundingMethod::Round}, {1, RoundingMethod::Int}, {2, RoundingMethod::Fix},
                {-1, RoundingMethod::None}, {3, RoundingMethod::None}};
    for (const auto& r : rows) {
        EXPECT_EQ(MethodOfRow(r.row), r.method) << r.row;
        EXPECT_EQ(RowOfMethod(r.method), r.row < 3 ? r.row : -1) << r.row;
    }
}

TEST(LessonTest, LoadsWithTheLettersTheHelpTextAndRound)
{
    Lesson lesson(std::make_unique<ReplayRandomSource>(kExampleDraws));
    EXPECT_EQ(lesson.State().method, RoundingMethod::Round);
    EXPECT_EQ(lesson.State().changeCount, 0);
    const View view = lesson.Show();
    EXPECT_EQ(Entries(view.firstCube), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G", "H"}));
    EXPECT_EQ(Entries(view.secondCube), std::vector<std::string>(8, ""));
    EXPECT_TRUE(view.previousValues.empty() && view.currentValues.empty());
    EXPECT_EQ(view.logChange, LogChange::Replaced);
    EXPECT_EQ(view.logText, design::HelpText());
    EXPECT_EQ(view.error, ErrorKind::None);
    EXPECT_EQ(view.announcement, "");
}

TEST(LessonTest, EachCommandReturnsWhatTheShellMustShow)
{
    Lesson lesson(std::make_unique<ReplayRandomSource>(kExampleDraws));
    (void)lesson.Show();
    const struct {
        const char* what;
        Command command;
        RoundingMethod method;
        LogChange logChange;
        std::string logText;
        std::vector<std::string> secondCube;
        ErrorKind error;
        std::string announcement;
    } steps[] = {
        {"a check before any start", Command::Check, RoundingMethod::Round, LogChange::Appended,
         LogLine(1, {}), std::vector<std::string>(8, "0"), ErrorKind::None, Spoken(LogLine(1, {}))},
        {"the start", Command::Start, RoundingMethod::Round, LogChange::Replaced, "", Entries(kExampleStart),
         ErrorKind::None, kExampleStartSpoken},
        {"a check by the method given", Command::Check, RoundingMethod::Int, LogChange::Appended,
         LogLine(1, kExampleIntFirstRow), Entries(kExampleIntFirstRow), ErrorKind::None,
         Spoken(LogLine(1, kExampleIntFirstRow))},
        // The message box says what went wrong; nothing else is said.
        {"a start whose random source runs dry", Command::Start, RoundingMethod::Round, LogChange::Replaced, "",
         Entries(kExampleIntFirstRow), ErrorKind::Unexpected, ""},
        // The failed start kept the change count, as it keeps everything it had not reached.
        {"the window still answers", Command::Check, RoundingMethod::None, LogChange::Appended,
         LogLine(2, {}), std::vector<std::string>(8, "0"), ErrorKind::None, Spoken(LogLine(2, {}))},
    };
    for (const auto& s : steps) {
        const View view = lesson.Run(s.command, s.method);
        EXPECT_EQ(view.logChange, s.logChange) << s.what;
        EXPECT_EQ(view.logText, s.logText) << s.what;
        EXPECT_EQ(Entries(view.secondCube), s.secondCube) << s.what;
        EXPECT_EQ(view.error, s.error) << s.what;
        EXPECT_EQ(view.announcement, s.announcement) << s.what;
        // Said once: showing the window again says nothing.
        EXPECT_EQ(lesson.Changes().announcement, "") << s.what;
    }
    // The start that ran dry wrote nothing into the cubes and emptied the log.
    EXPECT_EQ(Entries(lesson.Show().firstCube), Entries(kExampleStart));
}

TEST(LessonTest, CommandsRunTogetherShowOnceWithAllTheirLines)
{
    Lesson lesson(std::make_unique<ReplayRandomSource>(kExampleDraws));
    (void)lesson.Show();
    const struct {
        const char* what;
        std::vector<Command> commands;
        LogChange logChange;
        std::string logText;
        std::string announcement;  // the last command's only
    } bursts[] = {
        {"two checks before any start", {Command::Check, Command::Check}, LogChange::Appended,
         LogLine(1, {}) + LogLine(2, {}), Spoken(LogLine(2, {}))},
        {"nothing since", {}, LogChange::Appended, "", ""},
        {"a start and two checks", {Command::Start, Command::Check, Command::Check}, LogChange::Replaced,
         LogLine(1, kExampleRoundRows[0]) + LogLine(2, kExampleRoundRows[1]), Spoken(LogLine(2, kExampleRoundRows[1]))},
        {"a check", {Command::Check}, LogChange::Appended, LogLine(3, kExampleRoundRows[2]),
         Spoken(LogLine(3, kExampleRoundRows[2]))},
    };
    for (const auto& b : bursts) {
        for (const Command c : b.commands)
            EXPECT_EQ(lesson.Do(c, RoundingMethod::Round), ErrorKind::None) << b.what;
        const View view = lesson.Changes();
        EXPECT_EQ(view.logChange, b.logChange) << b.what;
        EXPECT_EQ(view.logText, b.logText) << b.what;
        EXPECT_EQ(view.announcement, b.announcement) << b.what;
    }
    EXPECT_EQ(Entries(lesson.Changes().secondCube), Entries(kExampleRoundRows[2]));
}

TEST(LessonTest, TheCheckAfterAFullCounterReportsAnOverflowAndChangesNothing)
{
    Lesson lesson(std::make_unique<ReplayRandomSource>(kExampleDraws));
    (void)lesson.Run(Command::Start, RoundingMethod::Round);
    for (int n = 1; n <= 32767; ++n)
        ASSERT_EQ(lesson.Run(Command::Check, RoundingMethod::Round).error, ErrorKind::None) << n;
    const std::string log = lesson.State().log;
    const View view = lesson.Run(Command::Check, RoundingMethod::Round);
    EXPECT_EQ(view.error, ErrorKind::Overflow);
    EXPECT_EQ(view.logChange, LogChange::Appended);
    EXPECT_EQ(view.logText, "");
    // The message box says it; the last line is not said again.
    EXPECT_EQ(view.announcement, "");
    EXPECT_EQ(lesson.State().log, log);
    EXPECT_EQ(lesson.State().changeCount, 32767);
    // Each check showed one line: the whole log is the lines in order.
    EXPECT_EQ(log.rfind(LogLine(1, kExampleRoundRows[0]), 0), 0u);
}

} // namespace
} // namespace trezolin
