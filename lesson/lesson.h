// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One run of Trezolin, shared by every shell: the cube's state, the first
// cube's texts, the random source, and how much of the log the shell shows
// already. A shell turns an event into a call here and shows what comes back;
// it keeps no copy of the run.
//
// One click of "Провери":
//   shell: the check button's click -> Run(Command::Check, the chosen method)
//     -> CheckCommand counts the change; ApplyChange computes the eight new
//        values and appends one log line
//     -> a View: both cubes, both hidden lists, the new log line, no error
//   shell: writes the View into its controls, and tells the user of an error.

#include "core/change.h"
#include "core/cube.h"
#include "core/rounding.h"
#include "design/languages.h"
#include "runtime/errors.h"
#include "runtime/random_source.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace trezolin {

enum class Command : std::uint8_t { Start, Check };

// The command of the button Command1(index): 0 starts, 1 checks, any other index none.
[[nodiscard]] std::optional<Command> ButtonCommand(int index) noexcept;

// The rounding method that row `row` of the method list stands for: 0 Round,
// 1 Int, 2 Fix; any other row, -1 (nothing chosen) among them, gives None,
// whose rounding yields 0.
[[nodiscard]] RoundingMethod MethodOfRow(int row) noexcept;

// The row of the method list that stands for this method; -1 for None.
[[nodiscard]] int RowOfMethod(RoundingMethod method) noexcept;

// How the log changed since the shell last showed it.
enum class LogChange : std::uint8_t {
    Appended,  // text follows what the log box shows already (a check only ever appends)
    Replaced,  // text is the whole log (a start empties it; the load state is the help text)
};

// What a shell must show after a call: it holds views into the lesson, good
// until the next call. Log lines end in CR LF.
struct View {
    std::span<const std::string, kVertexCount> firstCube;   // Wryh_N: letters, then start values
    std::span<const std::string, kVertexCount> secondCube;  // Wryh_k: the current values
    std::span<const std::string> previousValues;            // the hidden List1(0)
    std::span<const std::string> currentValues;             // the hidden List1(1)
    LogChange logChange;
    std::string_view logText;
    int methodRow;    // the method list's row of the method the last check used
    ErrorKind error;  // None when the command ran to its end
    // For an error, the message box's title and sentence; empty otherwise.
    std::string_view errorTitle;
    std::string_view errorText;
    // What a screen reader should say unasked, once: after a start, the
    // description's sentence with the start values; after a check, its log
    // line without the CR LF; empty otherwise, and after a failed command.
    // After several commands, the last one's.
    std::string_view announcement;
};

// What the window says of an error in the language: the message box's title
// and sentence; both empty for ErrorKind::None.
struct ErrorNotice {
    std::string_view title;
    std::string_view text;
};
[[nodiscard]] ErrorNotice NoticeOf(ErrorKind error, design::LanguageId language = design::kBulgarian) noexcept;

class Lesson {
public:
    // The load state: the first cube lettered A to H, the second empty, the
    // help text as the log, "Round" chosen, no change counted. With no
    // random source, one seeded from the clock. The help text, the log's
    // lines, what is said and the error sentences are in the language.
    explicit Lesson(std::unique_ptr<RandomSource> random = nullptr,
                    design::LanguageId language = design::kBulgarian);

    // Goes on in another language: the help text, if the log still shows
    // it, and every log line's header are re-labelled, and the next View
    // replaces the log; the values, the count and the method stay.
    void SetLanguage(design::LanguageId language);
    [[nodiscard]] design::LanguageId Language() const noexcept { return language_; }

    // Everything as it stands, the whole log included: what a shell shows at load.
    [[nodiscard]] View Show() noexcept;

    // Runs the command, rounding a check by the method. Never throws: an
    // error stops the command where it happened, nothing is rolled back, and
    // the View shows the state as the command left it with the error's kind.
    [[nodiscard]] View Run(Command command, RoundingMethod method) noexcept;

    // The same, for a shell that runs several commands before it shows
    // anything (a burst of clicks already queued): Do runs one and gives its
    // error; Changes then gives what the shell must show for all of them
    // together (the log replaced if a start came among them, else the lines
    // appended since the last View), with no error.
    [[nodiscard]] ErrorKind Do(Command command, RoundingMethod method) noexcept;
    [[nodiscard]] View Changes() noexcept;

    [[nodiscard]] const CubeState& State() const noexcept { return state_; }

private:
    [[nodiscard]] View ViewOf(LogChange change, ErrorKind error) noexcept;

    CubeState state_;
    design::LanguageId language_ = design::kBulgarian;
    std::array<std::string, kVertexCount> firstCube_;
    std::unique_ptr<RandomSource> random_;
    // How much of state_.log the shell shows, and whether a start has
    // replaced the log since the shell last showed it.
    std::size_t shownLogSize_ = 0;
    bool logReplaced_ = false;
    // What the next View announces, and what the last View announced.
    std::string announcement_;
    std::string spokenAnnouncement_;
};

} // namespace trezolin
