// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/notification.h"

namespace trezolin::windows {

namespace {

// From UI Automation's NotificationKind and NotificationProcessing, which MinGW's headers lack.
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingMostRecent = 3;

// Names this program's notifications, so that a newer one replaces an older one still waiting.
constexpr wchar_t kActivityId[] = L"Trezolin.Result";

template <typename Function>
Function Find(HMODULE library, const char* name)
{
    // GetProcAddress gives a generic function pointer; the caller names its real type.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

Notifications LoadNotifications() noexcept
{
    Notifications n;
    // From the system's folder only, never from beside the program.
    n.library = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!n.library)
        return n;
    n.hostProviderFromHwnd = Find<decltype(n.hostProviderFromHwnd)>(n.library, "UiaHostProviderFromHwnd");
    n.raiseNotificationEvent = Find<decltype(n.raiseNotificationEvent)>(n.library, "UiaRaiseNotificationEvent");
    if (!n.hostProviderFromHwnd || !n.raiseNotificationEvent)
        FreeNotifications(n);
    return n;
}

void FreeNotifications(Notifications& notifications) noexcept
{
    if (notifications.library)
        FreeLibrary(notifications.library);
    notifications = {};
}

bool Notify(const Notifications& notifications, HWND window, const std::wstring& text) noexcept
{
    if (!notifications.raiseNotificationEvent)
        return false;
    IUnknown* provider = nullptr;
    if (FAILED(notifications.hostProviderFromHwnd(window, &provider)) || !provider)
        return false;
    BSTR said = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    BSTR activity = SysAllocString(kActivityId);
    const HRESULT result = said && activity
        ? notifications.raiseNotificationEvent(provider, kNotificationKindActionCompleted,
                                               kNotificationProcessingMostRecent, said, activity)
        : E_OUTOFMEMORY;
    SysFreeString(said);
    SysFreeString(activity);
    provider->Release();
    return SUCCEEDED(result);
}

} // namespace trezolin::windows
