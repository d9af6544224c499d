// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the Windows program names its windows: the main window's class and
// each control's identifier. Tools that look at the running program from
// outside (the end-to-end tests' helper) find the controls by these.

#include "design/window_design.h"

#include <cstddef>

namespace trezolin::windows {

inline constexpr wchar_t kWindowClassName[] = L"Trezolin";

// Above IDOK, IDCANCEL and the other identifiers that dialogs reserve.
inline constexpr int kFirstControlId = 1000;

// Where this Windows has no UI Automation notification (Wine, say), the
// program keeps the last text it would have said as the text of a hidden
// static with this identifier, for a test to read.
inline constexpr int kSaidRecordId = 900;

// The main window's property that holds the locale identifier (LCID) of the
// language it shows: Windows' standard controls carry none of their own.
inline constexpr wchar_t kLanguageProperty[] = L"Trezolin.Language";

// A control's identifier: kFirstControlId plus its row in the description.
[[nodiscard]] constexpr int ControlId(std::size_t row) noexcept
{
    return kFirstControlId + static_cast<int>(row);
}

// The description's control with this identifier, or nullptr.
[[nodiscard]] inline const design::Control* ControlOfId(int id) noexcept
{
    const int row = id - kFirstControlId;
    return row >= 0 && row < static_cast<int>(design::kControls.size()) ? &design::kControls[row] : nullptr;
}

} // namespace trezolin::windows
