// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/language.h"
#include "windows/trezolin_window.h"
#include "windows/wide_text.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>

namespace {

// Where --lang names no language of the program: said on the standard error
// (a console, or whoever started the program), and the program goes on in
// the language it finds for the user, as if --lang had not been given.
void TellUnknownLanguage(const std::wstring& code, trezolin::design::LanguageId instead)
{
    std::wstring text = L"trezolin: --lang " + code + L": no such language; the languages are";
    for (const trezolin::design::Language& l : trezolin::design::Languages())
        text += L" " + trezolin::windows::Wide(l.code);
    text += L". Going on in " +
            trezolin::windows::Wide(trezolin::design::Languages()[static_cast<std::size_t>(instead)].code) + L".\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    DWORD written = 0;
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE)
        WriteFile(error, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Screen readers get the controls' accessible objects through COM.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    const trezolin::windows::LanguageChoice choice =
        trezolin::windows::ChooseLanguage(trezolin::windows::CommandLineArguments(), trezolin::windows::UserLanguages());
    if (choice.unknown)
        TellUnknownLanguage(*choice.unknown, choice.language);
    trezolin::windows::UseForThread(choice.language);

    int status = 1;
    {
        trezolin::windows::TrezolinWindow window(choice.language);
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
