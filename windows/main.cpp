// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/trezolin_window.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Screen readers get the controls' accessible objects through COM.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    int status = 1;
    {
        trezolin::windows::TrezolinWindow window;
        if (window.Create(instance)) {
            ShowWindow(window.Window(), show);
            UpdateWindow(window.Window());
            MSG message;
            BOOL got = FALSE;
            while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
                // Only further presses of a burst come before the window shows where it stands.
                if (!window.IsPress(message))
                    window.CatchUp();
                // The dialog manager gives Enter, Space and the arrow keys their meaning.
                if (!window.PreTranslate(message) && !IsDialogMessageW(window.Window(), &message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
                MSG next;
                if (!PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE))
                    window.CatchUp();
            }
            status = got == 0 ? static_cast<int>(message.wParam) : 1;
        }
    }
    CoUninitialize();
    return status;
}
