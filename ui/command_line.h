// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

namespace trezolin {

// Answers -h/--help and -v/--version on standard output before any window
// opens, so that both work without a display. Returns the exit status when the
// program ends there; every other argument is left to Qt (-platform, -style).
[[nodiscard]] std::optional<int> AnswerCommandLine(int argc, char* argv[]);

} // namespace trezolin
