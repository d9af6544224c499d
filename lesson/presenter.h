// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one step from the lesson to the screen, for every shell. A shell makes
// its widgets from the description, keeps them by the description's rows, and
// supplies a Screen: a handful of setters. The Presenter turns a click into a
// command, compares what the lesson shows with what the screen shows, writes
// only what changed, in one order, says the result, and tells an error.
//
// One click of "Провери":
//   shell: the check button's click -> Presenter::Click(1)
//     -> Lesson::Do(the check, the method of Screen::ChosenRow())
//     -> Present(the View of the changes): the changed vertex boxes, the
//        renamed hidden list entries, the log line appended, the line said
//     -> on an error: Screen::ShowMessage(the window's title, the sentence)

#include "lesson/lesson.h"

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trezolin {

// What a shell supplies. Rows are the description's rows (design::kControls);
// texts are UTF-8; the log's lines end in CR LF.
class Screen {
public:
    virtual ~Screen() = default;

    // A vertex box's text.
    virtual void SetText(std::size_t row, std::string_view text) = 0;
    // A list's entries: all of them anew, or one of them renamed.
    virtual void SetEntries(std::size_t row, std::span<const std::string> entries) = 0;
    virtual void SetEntry(std::size_t row, std::size_t entry, std::string_view text) = 0;
    // The method list's chosen row (-1 for none), and choosing one.
    [[nodiscard]] virtual int ChosenRow() const = 0;
    virtual void Choose(int row) = 0;
    // The log: its whole text anew, or text added at its end, shown.
    virtual void ReplaceLog(std::string_view text) = 0;
    virtual void AppendLog(std::string_view text) = 0;
    // What a screen reader should say unasked; empty when there is nothing
    // new to say.
    virtual void Say(std::string_view text) = 0;
    // A message box with its one button, titled.
    virtual void ShowMessage(std::string_view title, std::string_view text) = 0;
    // True where the log itself reads out each new line (a live region):
    // then a check's line is not said a second time.
    [[nodiscard]] virtual bool LogSaysNewLines() const { return false; }
};

// What a screen shows, as last written to it.
struct Shown {
    bool known = false;  // false: the screen may show anything; write it whole
    std::array<std::string, kVertexCount> firstCube, secondCube;
    std::vector<std::string> previousValues, currentValues;
};

// Writes the view into the screen: the texts and entries that differ from
// what it shows, the method's row when the screen is written whole, the log's
// change and what to say. An exception from the screen leaves `shown` unknown.
void Present(const View& view, Screen& screen, Shown& shown);

// One run of the lesson on one screen.
class Presenter {
public:
    // With no random source the lesson seeds one from the clock.
    explicit Presenter(Screen& screen, std::unique_ptr<RandomSource> random = nullptr,
                       design::LanguageId language = design::kBulgarian);

    // Shows the load state whole and chooses its method.
    void Load() noexcept;

    // A click of the button Command1(index): runs its command with the
    // screen's chosen method, shows the result and tells an error.
    void Click(int index) noexcept;

    // The same in two steps, for a shell that counts the clicks already
    // queued before it shows them: Count runs the command (and on an error
    // shows what was done and tells it at once); CatchUp shows what the
    // commands counted since the last update left.
    void Count(int index) noexcept;
    void CatchUp() noexcept;

    // Goes on in another language and shows the re-labelled log. The
    // shell re-labels its own controls from design::ControlsIn.
    void SetLanguage(design::LanguageId language) noexcept;

    [[nodiscard]] const Lesson& TheLesson() const noexcept { return lesson_; }

private:
    void Tell(ErrorKind error) noexcept;

    Screen& screen_;
    Lesson lesson_;
    Shown shown_;
    // Whether a command ran since the screen last showed the lesson.
    bool behind_ = false;
};

} // namespace trezolin
