// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "design/languages.h"

#include <optional>
#include <string>
#include <vector>

namespace trezolin {

// What the command line asks of the program.
struct CommandLine {
    // Set when the program ends before any window opens: 0 after --help or
    // --version, 2 after a usage error (a language Trezolin does not speak).
    std::optional<int> exitStatus;
    // --lang <code>: the window's language, chosen by name.
    std::optional<design::LanguageId> language;
};

// Answers -h/--help and -v/--version on standard output, and a usage error
// on standard error, before any window opens, so that all work without a
// display. Reads --lang; every other argument is left to Qt (-platform,
// -style).
[[nodiscard]] CommandLine AnswerCommandLine(int argc, char* argv[]);

// The user's own languages from the locale environment (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG), most preferred first; none under a C or POSIX locale.
[[nodiscard]] std::vector<std::string> EnvironmentLanguages();

// The window's language: the one asked for, else the first of the user's
// languages that Trezolin speaks, else Bulgarian.
[[nodiscard]] design::LanguageId WindowLanguage(std::optional<design::LanguageId> asked,
                                                const std::vector<std::string>& userLanguages);

} // namespace trezolin
