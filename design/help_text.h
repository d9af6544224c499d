// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The task description that the log box shows until the first start.

#include <string>

namespace trezolin::design {

// 29 lines, each ending in CR LF, UTF-8.
[[nodiscard]] const std::string& HelpText();

} // namespace trezolin::design
