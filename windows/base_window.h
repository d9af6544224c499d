// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A top-level window whose messages go to a member function of the class
// that derives from this one: the window procedure finds the object through
// the pointer stored with the window when it is created, so there is no
// global state.

#include <windows.h>

namespace trezolin::windows {

template <class Derived>
class BaseWindow {
public:
    // The window's procedure; every window class of a derived type uses it.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->hwnd_ = hwnd;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        // The few messages before WM_NCCREATE (WM_GETMINMAXINFO) go to the default.
        return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
    }

    [[nodiscard]] HWND Window() const noexcept { return hwnd_; }

protected:
    // Registers the class Derived::kClassName once and creates the window.
    bool Create(HINSTANCE instance, const wchar_t* title, DWORD style, DWORD exStyle, HICON icon, HBRUSH background)
    {
        WNDCLASSEXW wc = {};
        if (!GetClassInfoExW(instance, Derived::kClassName, &wc)) {
            wc = {};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &BaseWindow::WindowProc;
            wc.hInstance = instance;
            wc.hIcon = icon;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = background;
            wc.lpszClassName = Derived::kClassName;
            if (!RegisterClassExW(&wc))
                return false;
        }
        CreateWindowExW(exStyle, Derived::kClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, nullptr, instance, static_cast<Derived*>(this));
        return hwnd_ != nullptr;
    }

    HWND hwnd_ = nullptr;
};

} // namespace trezolin::windows
