// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a screen reader gets from a control through Microsoft Active
// Accessibility: Windows' standard accessible object for the control (its
// role, state, value and place), with the name and the description that the
// window's description gives. The control answers WM_GETOBJECT with it.
// Windows' own way to change only the name (IAccPropServices) is not there
// under Wine, where the program is tested, so the shell wraps the standard
// object instead. Where the standard object knows the control only as a
// window ("client": Wine's for buttons, labels and list boxes; Windows' own
// for the picture), the role is the one Windows gives that kind of control.

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace trezolin::windows {

struct AccessibleText {
    std::wstring name;
    std::wstring description;  // empty: the standard object's
    LONG role = 0;             // ROLE_SYSTEM_...: the role where the standard object says "client"
    bool list = false;         // a list box: its entries are the children
};

// A new accessible object for this control, holding one reference, or
// nullptr if Windows gives no standard object for it.
[[nodiscard]] IAccessible* NewControlAccessible(HWND control, AccessibleText text);

} // namespace trezolin::windows
