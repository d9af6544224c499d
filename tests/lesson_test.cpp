// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson as every shell drives it: what each command returns for the
// shell to show, step by step through one run of the program.

#include "lesson/lesson.h"
#include "lesson/presenter.h"

#include "design/help_text.h"
#include "design/languages.h"
#include "design/window_design.h"
#include "runtime/random_source.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>
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

TEST(LanguageTest, TagsLocalesAndPreferencesFindTheirCatalogue)
{
    using design::FindLanguage;
    const auto code = [](std::optional<design::LanguageId> id) {
        return id ? std::string(design::Languages()[static_cast<std::size_t>(*id)].code) : std::string("none");
    };
    const std::pair<const char*, const char*> tags[] = {
        {"uk", "uk"},    {"uk-UA", "uk"}, {"uk_UA.UTF-8", "uk"}, {"TR", "tr"},   {"tr_TR@euro", "tr"},
        {"en-GB", "en"}, {"bg_BG.UTF-8", "bg"}, {"de", "none"}, {"C", "none"}, {"POSIX", "none"},
        {"C.UTF-8", "none"}, {"", "none"},
    };
    for (const auto& [tag, expected] : tags)
        EXPECT_EQ(code(FindLanguage(tag)), expected) << tag;

    const struct {
        const char *language, *lcAll, *lcMessages, *lang;
        std::vector<std::string> expected;
    } locales[] = {
        {"", "", "", "", {}},
        {"uk", "", "", "C.UTF-8", {}},  // a C locale names no language, whatever LANGUAGE says
        {"uk:en", "", "", "de_DE.UTF-8", {"uk", "en", "de_DE.UTF-8"}},
        {"", "POSIX", "tr_TR.UTF-8", "en_US.UTF-8", {}},
        {"", "", "tr_TR.UTF-8", "en_US.UTF-8", {"tr_TR.UTF-8"}},
    };
    for (const auto& l : locales)
        EXPECT_EQ(design::LocaleLanguages(l.language, l.lcAll, l.lcMessages, l.lang), l.expected) << l.lang;

    EXPECT_EQ(code(design::PreferredLanguage(std::vector<std::string>{"de", "uk-UA", "en"})), "uk");
    EXPECT_EQ(design::PreferredLanguage(std::vector<std::string>{"de", "C"}), design::kBulgarian);
    std::vector<std::string> names;
    for (const design::Language& language : design::Languages())
        names.emplace_back(language.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Български", "English", "Українська", "Türkçe"}));
}

TEST(LanguageTest, BulgarianIsTheDescriptionAsItStands)
{
    EXPECT_EQ(design::HelpText(design::kBulgarian), design::HelpText());
    const auto& controls = design::ControlsIn(design::kBulgarian);
    for (std::size_t row = 0; row < controls.size(); ++row) {
        EXPECT_EQ(controls[row].text, design::kControls[row].text);
        EXPECT_EQ(controls[row].tooltip, design::kControls[row].tooltip);
        EXPECT_EQ(controls[row].SpokenName(), design::kControls[row].SpokenName());
    }
    const auto ukrainian = *design::FindLanguage("uk");
    EXPECT_EQ(design::ControlsIn(ukrainian)[design::RowOf(design::ControlWith(design::Role::StartButton))].text, "Початок");
}

// A run in Ukrainian computes what a run in Bulgarian does, under its own
// header; switched to Turkish in the middle, it keeps its values, count and
// method, and every line is re-labelled.
TEST(LanguageTest, ARunKeepsItsNumbersInEveryLanguageAndAcrossASwitch)
{
    const auto ukrainian = *design::FindLanguage("uk");
    const auto turkish = *design::FindLanguage("tr");
    const std::string_view uk = design::Translate(ukrainian, kLogHeader);
    const std::string_view tr = design::Translate(turkish, kLogHeader);
    ASSERT_NE(uk, kLogHeader);
    ASSERT_NE(tr, uk);
    const auto relabelled = [](std::string log, std::string_view header) {
        for (std::size_t at = 0; (at = log.find(kLogHeader, at)) != std::string::npos; at += header.size())
            log.replace(at, kLogHeader.size(), header);
        return log;
    };

    Lesson bulgarian(std::make_unique<ReplayRandomSource>(kExampleDraws));
    Lesson lesson(std::make_unique<ReplayRandomSource>(kExampleDraws), ukrainian);
    EXPECT_EQ(lesson.Show().logText, design::HelpText(ukrainian));
    // A check before any start writes under the help text, which stays until the start.
    (void)bulgarian.Run(Command::Check, RoundingMethod::Round);
    (void)lesson.Run(Command::Check, RoundingMethod::Round);
    lesson.SetLanguage(turkish);
    EXPECT_EQ(lesson.Show().logText, design::HelpText(turkish) + LogLine(1, {}, tr));
    lesson.SetLanguage(ukrainian);
    for (const auto& [command, method] : {std::pair{Command::Start, RoundingMethod::Round},
                                          {Command::Check, RoundingMethod::Round}, {Command::Check, RoundingMethod::Int}})
        EXPECT_EQ(lesson.Run(command, method).logText, relabelled(std::string(bulgarian.Run(command, method).logText), uk));
    EXPECT_EQ(lesson.State().log.substr(0, LogLine(1, kExampleRoundRows[0], uk).size()),
              LogLine(1, kExampleRoundRows[0], uk));

    lesson.SetLanguage(turkish);
    const View view = lesson.Changes();
    EXPECT_EQ(view.logChange, LogChange::Replaced);
    EXPECT_EQ(view.logText, relabelled(bulgarian.State().log, tr));
    EXPECT_EQ(view.methodRow, RowOfMethod(RoundingMethod::Int));
    EXPECT_EQ(Entries(view.firstCube), Entries(kExampleStart));
    EXPECT_EQ(Entries(view.secondCube), Entries(bulgarian.Show().secondCube));
    EXPECT_EQ(lesson.Run(Command::Check, RoundingMethod::Round).logText,
              relabelled(std::string(bulgarian.Run(Command::Check, RoundingMethod::Round).logText), tr));
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

// A screen that writes down every call as "what name text", and can be made to fail once.
struct RecordingScreen : Screen {
    std::vector<std::string> calls;
    int chosen = -1;
    bool failNextText = false;

    void Add(std::string what, std::size_t row, std::string_view text = {})
    {
        calls.push_back(what + " " + design::kControls.at(row).Name() + " " + std::string(text));
    }
    void SetText(std::size_t row, std::string_view text) override
    {
        if (std::exchange(failNextText, false))
            throw std::bad_alloc();
        Add("text", row, text);
    }
    void SetEntries(std::size_t row, std::span<const std::string> entries) override
    {
        Add("entries", row, std::to_string(entries.size()));
    }
    void SetEntry(std::size_t row, std::size_t entry, std::string_view text) override
    {
        Add("entry" + std::to_string(entry), row, text);
    }
    int ChosenRow() const override { return chosen; }
    void Choose(int row) override { calls.push_back("choose " + std::to_string(chosen = row)); }
    void ReplaceLog(std::string_view text) override { calls.push_back("replace " + std::to_string(text.size())); }
    void AppendLog(std::string_view text) override { calls.push_back("append " + std::string(text)); }
    void Say(std::string_view text) override { calls.push_back("say " + std::string(text)); }
    void ShowMessage(std::string_view title, std::string_view text) override
    {
        calls.push_back("message " + std::string(title) + ": " + std::string(text));
    }
    std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

std::size_t Count(const std::vector<std::string>& calls, std::string_view prefix)
{
    return std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.starts_with(prefix); });
}

TEST(PresenterTest, WritesOnlyWhatChangedAndWritesItWholeAfterAFailure)
{
    RecordingScreen screen;
    Presenter presenter(screen, std::make_unique<ReplayRandomSource>(kExampleDraws));
    presenter.Load();
    auto calls = screen.Take();
    EXPECT_EQ(Count(calls, "text "), 16u);
    EXPECT_EQ(Count(calls, "entries "), 2u);
    EXPECT_EQ(screen.chosen, 0);
    EXPECT_EQ(Count(calls, "replace " + std::to_string(design::HelpText().size())), 1u);

    presenter.Click(0);
    calls = screen.Take();
    EXPECT_EQ(Count(calls, "text Wryh_N"), 8u);  // the letters become the start values
    EXPECT_EQ(Count(calls, "text Wryh_k"), 8u);
    EXPECT_EQ(Count(calls, "choose"), 0u) << "a start keeps the pupil's choice";
    EXPECT_EQ(calls.back(), "say " + kExampleStartSpoken);

    screen.chosen = 1;
    presenter.Click(1);
    calls = screen.Take();
    EXPECT_EQ(Count(calls, "text Wryh_N"), 0u);
    EXPECT_EQ(Count(calls, "entries "), 2u);  // the lists had no entries before the first check
    EXPECT_EQ(Count(calls, "append " + LogLine(1, kExampleIntFirstRow)), 1u);
    EXPECT_EQ(calls.back(), "say " + Spoken(LogLine(1, kExampleIntFirstRow)));

    // A screen that fails half-way is told so, and takes the whole lesson next time.
    screen.failNextText = true;
    presenter.Click(1);
    calls = screen.Take();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].starts_with("message Trezolin: Неочаквана грешка")) << calls[0];
    presenter.Click(1);
    calls = screen.Take();
    EXPECT_EQ(Count(calls, "text "), 16u);
    EXPECT_EQ(Count(calls, "replace "), 1u);
    EXPECT_EQ(presenter.TheLesson().State().changeCount, 3);
}

} // namespace
} // namespace trezolin
