// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lesson/lesson.h"

#include "core/commands.h"
#include "design/help_text.h"
#include "design/languages.h"
#include "design/messages.h"
#include "design/window_design.h"

#include <utility>

namespace trezolin {

namespace {

// The description's start sentence in the language, with the values put in.
std::string StartAnnouncement(std::span<const std::string, kVertexCount> values, design::LanguageId language)
{
    std::string joined;
    for (const std::string& value : values) {
        if (!joined.empty())
            joined += design::kAnnouncedValueSeparator;
        joined += value;
    }
    std::string sentence(design::Translate(language, design::kStartAnnouncement));
    const std::size_t at = sentence.find("{}");
    return at == std::string::npos ? sentence : sentence.replace(at, 2, joined);
}

// The last line of a log whose lines end in CR LF, without its line end.
std::string_view LastLine(std::string_view log)
{
    if (log.ends_with("\r\n"))
        log.remove_suffix(2);
    const std::size_t start = log.rfind('\n');
    return start == std::string_view::npos ? log : log.substr(start + 1);
}

} // namespace

std::optional<Command> ButtonCommand(int index) noexcept
{
    switch (index) {
    case 0: return Command::Start;
    case 1: return Command::Check;
    default: return std::nullopt;
    }
}

RoundingMethod MethodOfRow(int row) noexcept
{
    switch (row) {
    case 0: return RoundingMethod::Round;
    case 1: return RoundingMethod::Int;
    case 2: return RoundingMethod::Fix;
    default: return RoundingMethod::None;
    }
}

int RowOfMethod(RoundingMethod method) noexcept
{
    return static_cast<int>(method);
}

ErrorNotice NoticeOf(ErrorKind error, design::LanguageId language) noexcept
{
    if (error == ErrorKind::None)
        return {};
    return {design::kWindow.title, design::Translate(language, design::ErrorMessage(error))};
}

Lesson::Lesson(std::unique_ptr<RandomSource> random, design::LanguageId language)
    : language_(language),
      random_(random ? std::move(random) : std::make_unique<SeededRandomSource>(SeededRandomSource::FromClock()))
{
    for (int i = 0; i < kVertexCount; ++i)
        firstCube_[i] = std::string(1, VertexLetter(i));
    state_.log = design::HelpText(language_);
    state_.logHeader = design::Translate(language_, kLogHeader);
    state_.method = RoundingMethod::Round;
    state_.changeCount = 0;
}

void Lesson::SetLanguage(design::LanguageId language)
{
    // The help text stays until the first start, with the lines of any
    // check before it after it; every line a change wrote begins with the header.
    std::string log;
    std::string_view rest = state_.log;
    if (const std::string& help = design::HelpText(language_); rest.starts_with(help)) {
        log = design::HelpText(language);
        rest.remove_prefix(help.size());
    }
    const std::string_view header = design::Translate(language, kLogHeader);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        if (line.starts_with(state_.logHeader)) {
            line.remove_prefix(state_.logHeader.size());
            log += header;
        }
        log += line;
    }
    state_.log = std::move(log);
    state_.logHeader = header;
    language_ = language;
    logReplaced_ = true;
}

View Lesson::Show() noexcept
{
    return ViewOf(LogChange::Replaced, ErrorKind::None);
}

View Lesson::Run(Command command, RoundingMethod method) noexcept
{
    const ErrorKind error = Do(command, method);
    View view = Changes();
    const ErrorNotice notice = NoticeOf(error, language_);
    view.error = error;
    view.errorTitle = notice.title;
    view.errorText = notice.text;
    return view;
}

ErrorKind Lesson::Do(Command command, RoundingMethod method) noexcept
{
    // A start empties the log first thing, so the log counts as replaced even if the start fails.
    if (command == Command::Start) {
        logReplaced_ = true;
        // What the run said before is stale once a new run begins.
        announcement_.clear();
    }
    try {
        if (command == Command::Start) {
            StartCommand(state_, firstCube_, *random_);
            announcement_ = StartAnnouncement(firstCube_, language_);
        } else {
            state_.method = method;
            CheckCommand(state_);
            announcement_ = LastLine(state_.log);
        }
    } catch (const Error& e) {
        return e.Kind();
    } catch (...) {
        return ErrorKind::Unexpected;
    }
    return ErrorKind::None;
}

View Lesson::Changes() noexcept
{
    return ViewOf(logReplaced_ ? LogChange::Replaced : LogChange::Appended, ErrorKind::None);
}

View Lesson::ViewOf(LogChange change, ErrorKind error) noexcept
{
    const std::size_t from = change == LogChange::Replaced ? 0 : shownLogSize_;
    shownLogSize_ = state_.log.size();
    logReplaced_ = false;
    // Said once: the View keeps the text until the next call, which may clear it.
    spokenAnnouncement_ = std::move(announcement_);
    announcement_.clear();
    const ErrorNotice notice = NoticeOf(error, language_);
    return {.firstCube = firstCube_,
            .secondCube = state_.vertexTexts,
            .previousValues = state_.previousValues,
            .currentValues = state_.currentValues,
            .logChange = change,
            .logText = std::string_view(state_.log).substr(from),
            .methodRow = RowOfMethod(state_.method),
            .error = error,
            .errorTitle = notice.title,
            .errorText = notice.text,
            .announcement = spokenAnnouncement_};
}

} // namespace trezolin
