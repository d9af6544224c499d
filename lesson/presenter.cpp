// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lesson/presenter.h"

#include "design/window_design.h"

#include <optional>
#include <utility>

namespace trezolin {

namespace {

using design::ControlWith;
using design::Role;
using design::RowOf;

void ShowCube(Role cube, std::span<const std::string, kVertexCount> texts,
              std::array<std::string, kVertexCount>& shown, bool known, Screen& screen)
{
    for (int i = 0; i < kVertexCount; ++i) {
        if (known && shown[i] == texts[i])
            continue;
        screen.SetText(RowOf(design::VertexBox(cube, i)), texts[i]);
        shown[i] = texts[i];
    }
}

// The hidden lists hold eight entries nearly always: renamed in place rather
// than rebuilt, so a check touches only the entries that changed.
void ShowList(Role list, std::span<const std::string> entries, std::vector<std::string>& shown, bool known,
              Screen& screen)
{
    const std::size_t row = RowOf(ControlWith(list));
    if (!known || shown.size() != entries.size()) {
        screen.SetEntries(row, entries);
        shown.assign(entries.begin(), entries.end());
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (shown[i] == entries[i])
            continue;
        screen.SetEntry(row, i, entries[i]);
        shown[i] = entries[i];
    }
}

} // namespace

void Present(const View& view, Screen& screen, Shown& shown)
{
    const bool known = std::exchange(shown.known, false);
    ShowCube(Role::FirstCubeVertex, view.firstCube, shown.firstCube, known, screen);
    ShowCube(Role::SecondCubeVertex, view.secondCube, shown.secondCube, known, screen);
    ShowList(Role::PreviousValues, view.previousValues, shown.previousValues, known, screen);
    ShowList(Role::CurrentValues, view.currentValues, shown.currentValues, known, screen);
    if (!known && view.methodRow >= 0)
        screen.Choose(view.methodRow);
    if (view.logChange == LogChange::Replaced)
        screen.ReplaceLog(view.logText);
    else if (!view.logText.empty())
        screen.AppendLog(view.logText);
    const bool logSaidIt = view.logChange == LogChange::Appended && screen.LogSaysNewLines();
    screen.Say(logSaidIt ? std::string_view() : view.announcement);
    shown.known = true;
}

Presenter::Presenter(Screen& screen, std::unique_ptr<RandomSource> random, design::LanguageId language)
    : screen_(screen), lesson_(std::move(random), language)
{
}

void Presenter::Load() noexcept
{
    shown_.known = false;
    behind_ = true;
    CatchUp();
}

void Presenter::Click(int index) noexcept
{
    Count(index);
    CatchUp();
}

void Presenter::Count(int index) noexcept
{
    const std::optional<Command> command = ButtonCommand(index);
    if (!command)
        return;
    ErrorKind error = ErrorKind::Unexpected;
    try {
        error = lesson_.Do(*command, MethodOfRow(screen_.ChosenRow()));
    } catch (...) {
        // The screen could not say which method is chosen; the command did not run.
    }
    behind_ = true;
    if (error == ErrorKind::None)
        return;
    CatchUp();
    Tell(error);
}

void Presenter::CatchUp() noexcept
{
    if (!behind_)
        return;
    behind_ = false;
    // Nothing may leave here into the toolkit's event loop, which would end
    // the program and lose the pupil's log. Should the screen fail to take
    // the lesson, it is told so, and the next update writes it whole.
    try {
        Present(shown_.known ? lesson_.Changes() : lesson_.Show(), screen_, shown_);
    } catch (...) {
        Tell(ErrorKind::Unexpected);
    }
}

void Presenter::SetLanguage(design::LanguageId language) noexcept
{
    try {
        lesson_.SetLanguage(language);
    } catch (...) {
        Tell(ErrorKind::Unexpected);
        return;
    }
    behind_ = true;
    CatchUp();
}

void Presenter::Tell(ErrorKind error) noexcept
{
    const ErrorNotice notice = NoticeOf(error, lesson_.Language());
    try {
        screen_.ShowMessage(notice.title, notice.text);
    } catch (...) {
        // Not even the message box could be shown; the window keeps running as it stands.
    }
}

} // namespace trezolin
