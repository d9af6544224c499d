// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a screen reader says unasked on Windows: UI Automation's notification
// (UiaRaiseNotificationEvent, Windows 10 1709 and later), which Narrator and
// NVDA speak wherever the focus is. It is looked up in uiautomationcore.dll at
// run time: MinGW's headers and import library lack it, and a Windows without
// it (Wine has none) runs the program all the same.

#include <windows.h>

#include <oleauto.h>
#include <unknwn.h>

#include <string>

namespace trezolin::windows {

// The two functions of uiautomationcore.dll that a notification takes, both or neither.
struct Notifications {
    HMODULE library = nullptr;
    // The provider is an IRawElementProviderSimple*; only passed on, so any interface pointer does.
    HRESULT(WINAPI* hostProviderFromHwnd)(HWND window, IUnknown** provider) = nullptr;
    HRESULT(WINAPI* raiseNotificationEvent)(IUnknown* provider, int kind, int processing, BSTR text,
                                            BSTR activityId) = nullptr;
};

// Loads them from the system's uiautomationcore.dll, if it has them.
[[nodiscard]] Notifications LoadNotifications() noexcept;

void FreeNotifications(Notifications& notifications) noexcept;

// Raises a notification of the window with the text, as a finished action whose
// newest result supersedes the older ones. False where there is none, or it failed.
bool Notify(const Notifications& notifications, HWND window, const std::wstring& text) noexcept;

} // namespace trezolin::windows
