// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which of its languages the program speaks on Windows: `--lang CODE` (or
// `--lang=CODE`) on its command line, as a Start menu entry of a school's
// installation passes it; else the first of the user's preferred UI
// languages that has a catalogue; else Bulgarian.

#include "design/languages.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace trezolin::windows {

struct LanguageChoice {
    design::LanguageId language = design::kBulgarian;
    // What --lang gave where it names no language of the program ("" for a --lang with no code).
    std::optional<std::wstring> unknown;
};

// The program's arguments after its own name, as Windows splits its command line.
[[nodiscard]] std::vector<std::wstring> CommandLineArguments();

// The user's preferred UI languages, most preferred first, as tags ("bg-BG").
[[nodiscard]] std::vector<std::string> UserLanguages();

// The language the arguments ask for, else the first of the user's that
// Trezolin speaks, else Bulgarian. An unknown code counts as no choice.
[[nodiscard]] LanguageChoice ChooseLanguage(const std::vector<std::wstring>& arguments,
                                            const std::vector<std::string>& userLanguages);

// A tag of the language with its country ("uk-UA"), as Windows names its UI languages.
[[nodiscard]] std::wstring WindowsTag(design::LanguageId language);

// Makes the language the thread's UI language, so that what Windows itself
// shows for the program (the system menu, a common dialog) follows it where
// Windows has that language. Wine 8 accepts both calls and changes nothing.
void UseForThread(design::LanguageId language) noexcept;

} // namespace trezolin::windows
