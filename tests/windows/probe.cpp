// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The end-to-end tests' eyes inside Windows: a console program that looks at
// the running Trezolin window from another process, as a screen reader or
// an automation tool would, and answers one question per line on standard
// input with one line of JSON on standard output:
//
//   accessible NAME   the control's role, name and description through MSAA
//   entries NAME      a list's entries through MSAA: [role, name, selected]
//   text NAME         the control's whole text (WM_GETTEXT), CR LF and all
//   items NAME        a list box's entries (LB_GETTEXT) and its chosen row
//   shown NAME        whether the control is visible
//   read_only NAME    whether an edit box is read-only
//   post NAME N BOX   queues N presses of a button (BM_CLICK) and returns once
//                     they are handled: see Post
//   length NAME       the length of the control's text (WM_GETTEXTLENGTH)
//   message_box       the open message box's title and text, or null
//   focused           the focused control's name, or the focused window's text
//   tooltip           the text of the tooltip on the screen, or null
//   window            the main window's title, sizes, DPI and title-bar buttons
//   frame NAME        how many pixels of each edge of the control (top,
//                     bottom, left, right) are in the focus colour, read
//                     from the screen, with the control's size
//   said              the last text the program said to a screen reader, where
//                     this Windows has no UI Automation notification; else null
//   language          the language the window says it shows, as a locale name ("uk-UA")
//   user_languages    the user's preferred UI languages and locale, as this
//                     Windows gives them to any program (the probe's own)
//   fit               each shown button's, label's and list entry's text, its
//                     extent in the window's font (GetTextExtentPoint32W) and
//                     the room its control gives it
//   glyphs TEXT       the letters of TEXT that the window's font has no glyph for
//
// NAME is a control's name in the description, e.g. Wryh_k(5). It only
// reads and presses; the tests decide what is right.

#include "design/window_design.h"
#include "windows/wide_text.h"
#include "windows/window_font.h"
#include "windows/window_ids.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using trezolin::windows::ControlId;
using trezolin::windows::ControlOfId;
using trezolin::windows::kSaidRecordId;

using trezolin::windows::Utf8;

using Json = nlohmann::json;

Json Text(const std::wstring& text)
{
    return Utf8(text);
}

std::wstring WindowText(HWND hwnd)
{
    // WM_GETTEXT is carried across processes; GetWindowText is not, for controls.
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

HWND MainWindow()
{
    return FindWindowW(trezolin::windows::kWindowClassName, nullptr);
}

HWND Control(const std::string& name)
{
    for (std::size_t row = 0; row < trezolin::design::kControls.size(); ++row)
        if (trezolin::design::kControls[row].Name() == name)
            return GetDlgItem(MainWindow(), ControlId(row));
    return nullptr;
}

// A role by its name in MSAA's header, the same in every language.
std::string RoleText(const VARIANT& role)
{
    if (role.vt != VT_I4)
        return "none";
    switch (role.lVal) {
    case ROLE_SYSTEM_CLIENT: return "ROLE_SYSTEM_CLIENT";
    case ROLE_SYSTEM_TEXT: return "ROLE_SYSTEM_TEXT";
    case ROLE_SYSTEM_PUSHBUTTON: return "ROLE_SYSTEM_PUSHBUTTON";
    case ROLE_SYSTEM_LIST: return "ROLE_SYSTEM_LIST";
    case ROLE_SYSTEM_LISTITEM: return "ROLE_SYSTEM_LISTITEM";
    case ROLE_SYSTEM_GRAPHIC: return "ROLE_SYSTEM_GRAPHIC";
    case ROLE_SYSTEM_STATICTEXT: return "ROLE_SYSTEM_STATICTEXT";
    case ROLE_SYSTEM_WINDOW: return "ROLE_SYSTEM_WINDOW";
    default: return std::to_string(role.lVal);
    }
}

std::wstring Take(BSTR text)
{
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

IAccessible* AccessibleOf(HWND hwnd)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))))
        return nullptr;
    return accessible;
}

VARIANT Child(LONG id)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

Json Accessible(HWND hwnd)
{
    IAccessible* a = AccessibleOf(hwnd);
    if (!a)
        return nullptr;
    const VARIANT self = Child(CHILDID_SELF);
    BSTR name = nullptr, description = nullptr;
    VARIANT role;
    VariantInit(&role);
    a->get_accName(self, &name);
    a->get_accDescription(self, &description);
    a->get_accRole(self, &role);
    a->Release();
    return {{"role", RoleText(role)}, {"name", Text(Take(name))}, {"description", Text(Take(description))}};
}

Json Entries(HWND hwnd)
{
    IAccessible* a = AccessibleOf(hwnd);
    if (!a)
        return nullptr;
    LONG count = 0;
    a->get_accChildCount(&count);
    Json out = Json::array();
    for (LONG id = 1; id <= count; ++id) {
        BSTR name = nullptr;
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        a->get_accName(Child(id), &name);
        a->get_accRole(Child(id), &role);
        a->get_accState(Child(id), &state);
        const bool selected = state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_SELECTED);
        out.push_back(Json::array({RoleText(role), Text(Take(name)), selected}));
    }
    a->Release();
    return out;
}

Json Items(HWND list)
{
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    Json items = Json::array();
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(Text(text));
    }
    return {{"items", items}, {"chosen", SendMessageW(list, LB_GETCURSEL, 0, 0)}};
}

// Waits until the program has handled every message queued for it so far.
// The end is marked by the modified flag of an edit box that nothing reads
// (the hidden spare box): a message queued behind the others sets it, so once
// it is set everything before it has been handled. It is cleared again.
bool HandledSoFar(HWND marker)
{
    SendMessageW(marker, EM_SETMODIFY, FALSE, 0);
    PostMessageW(marker, EM_SETMODIFY, TRUE, 0);
    const ULONGLONG deadline = GetTickCount64() + 300'000;
    while (!SendMessageW(marker, EM_GETMODIFY, 0, 0)) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(2);
    }
    SendMessageW(marker, EM_SETMODIFY, FALSE, 0);
    return true;
}

// Queues presses of the button, as a burst of clicks queues them, and returns
// once the program has handled them all. They go in batches: Windows keeps
// at most 10 000 messages in a queue, and Wine slows down with a long one.
Json Post(HWND button, long times, HWND marker)
{
    constexpr long kBatch = 500;
    long done = 0;
    while (done < times) {
        const long batch = std::min(kBatch, times - done);
        for (long i = 0; i < batch; ++i)
            if (!PostMessageW(button, BM_CLICK, 0, 0))
                return {{"error", "a press could not be queued"}};
        if (!HandledSoFar(marker))
            return {{"error", "the presses were not handled in time"}};
        done += batch;
    }
    return done;
}

struct Search {
    HWND owner;
    const wchar_t* windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK FindOwned(HWND hwnd, LPARAM data)
{
    auto& search = *reinterpret_cast<Search*>(data);
    if (IsWindowVisible(hwnd) && ClassOf(hwnd) == search.windowClass &&
        (!search.owner || GetWindow(hwnd, GW_OWNER) == search.owner)) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindShown(HWND owner, const wchar_t* windowClass)
{
    Search search{owner, windowClass};
    EnumWindows(&FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Json MessageBoxShown()
{
    // A message box is a dialog owned by the window; its text is the static with identifier 0xFFFF.
    HWND box = FindShown(MainWindow(), L"#32770");
    if (!box)
        return nullptr;
    HWND text = GetDlgItem(box, 0xFFFF);
    HWND ok = GetDlgItem(box, IDOK);
    return {{"title", Text(WindowText(box))}, {"text", Text(text ? WindowText(text) : L"")},
            {"button", ok ? Text(WindowText(ok)) : Json(nullptr)}};
}

Json Focused()
{
    HWND main = MainWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) || !info.hwndFocus)
        return {{"control", nullptr}, {"text", nullptr}};
    const trezolin::design::Control* c =
        GetParent(info.hwndFocus) == main ? ControlOfId(GetDlgCtrlID(info.hwndFocus)) : nullptr;
    return {{"control", c ? Json(c->Name()) : Json(nullptr)}, {"text", Text(WindowText(info.hwndFocus))}};
}

Json Tooltip()
{
    HWND tip = FindShown(nullptr, TOOLTIPS_CLASSW);
    return tip ? Text(WindowText(tip)) : Json(nullptr);
}

Json Rect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

Json MainWindowFacts()
{
    HWND main = MainWindow();
    if (!main)
        return nullptr;
    RECT frame, client;
    GetWindowRect(main, &frame);
    GetClientRect(main, &client);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    return {
        {"title", Text(WindowText(main))},
        {"frame", Rect(frame)},
        {"client", Rect(client)},
        {"workArea", Rect(monitor.rcWork)},
        {"dpi", GetDpiForWindow(main)},
        {"systemMenu", (style & WS_SYSMENU) != 0},
        {"minimizeBox", (style & WS_MINIMIZEBOX) != 0},
        {"maximizeBox", (style & WS_MAXIMIZEBOX) != 0},
        {"resizable", (style & WS_THICKFRAME) != 0},
    };
}

// The focus frame as the screen shows it: each edge's pixels in the
// system's highlight colour.
Json FramePixels(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    HDC screen = GetDC(nullptr);
    const auto count = [&](int x, int y, int dx, int dy, int n) {
        int hits = 0;
        for (int i = 0; i < n; ++i)
            hits += GetPixel(screen, x + i * dx, y + i * dy) == highlight;
        return hits;
    };
    const int width = r.right - r.left, height = r.bottom - r.top;
    Json edges = {{"width", width},
                  {"height", height},
                  {"top", count(r.left, r.top, 1, 0, width)},
                  {"bottom", count(r.left, r.bottom - 1, 1, 0, width)},
                  {"left", count(r.left, r.top, 0, 1, height)},
                  {"right", count(r.right - 1, r.top, 0, 1, height)}};
    ReleaseDC(nullptr, screen);
    return edges;
}

Json WindowLanguage()
{
    HWND main = MainWindow();
    const auto lcid = static_cast<LCID>(reinterpret_cast<UINT_PTR>(GetPropW(main, trezolin::windows::kLanguageProperty)));
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (!main || !lcid || LCIDToLocaleName(lcid, name, LOCALE_NAME_MAX_LENGTH, 0) == 0)
        return nullptr;
    return Text(name);
}

Json UserLanguages()
{
    ULONG count = 0, size = 0;
    Json languages = Json::array();
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::wstring list(size, L'\0');
        GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, list.data(), &size);
        for (std::size_t at = 0; at < list.size() && list[at];) {
            const std::size_t end = list.find(L'\0', at);
            languages.push_back(Text(list.substr(at, end - at)));
            at = end + 1;
        }
    }
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    return {{"preferred", languages}, {"locale", Text(locale)}};
}

// Measures texts in the window's font at the window's DPI, as the window makes it.
class Measure {
public:
    Measure() : dc_(GetDC(nullptr)), font_(trezolin::windows::CreateWindowFont(static_cast<int>(GetDpiForWindow(MainWindow()))))
    {
        old_ = SelectObject(dc_, font_);
    }
    ~Measure()
    {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        ReleaseDC(nullptr, dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    [[nodiscard]] Json Extent(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

    [[nodiscard]] Json Missing(const std::wstring& letters) const
    {
        std::vector<WORD> glyphs(letters.size());
        GetGlyphIndicesW(dc_, letters.c_str(), static_cast<int>(letters.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        std::wstring missing;
        for (std::size_t i = 0; i < letters.size(); ++i)
            if (glyphs[i] == 0xFFFF)
                missing += letters[i];
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc_, LF_FACESIZE, face);
        return {{"face", Text(face)}, {"missing", Text(missing)}};
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_ = nullptr;
};

// The room a control gives its text: a button's inside its frame, raised
// edge and focus frame; a list entry's is its row, the width of the list's
// inside; a label's its whole client area.
Json Room(HWND control, trezolin::design::Widget widget)
{
    RECT r;
    GetClientRect(control, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (widget == trezolin::design::Widget::Button) {
        width -= 2 * 3;
        height -= 2 * 3;
    } else if (widget == trezolin::design::Widget::ChoiceList) {
        // The list draws an entry's text a pixel or two in from its left edge.
        width -= 2;
        const LRESULT count = SendMessageW(control, LB_GETCOUNT, 0, 0);
        height = count > 0 ? static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0)) : height;
    }
    return {width, height};
}

Json Fit()
{
    using trezolin::design::Widget;
    HWND main = MainWindow();
    if (!main)
        return nullptr;
    const Measure measure;
    Json out = Json::array();
    for (std::size_t row = 0; row < trezolin::design::kControls.size(); ++row) {
        const trezolin::design::Control& c = trezolin::design::kControls[row];
        const Widget widget = trezolin::design::WidgetOf(c.role);
        HWND control = GetDlgItem(main, ControlId(row));
        if (!control || !IsWindowVisible(control))
            continue;
        std::vector<std::wstring> texts;
        if (widget == Widget::Button || widget == Widget::Caption)
            texts.push_back(WindowText(control));
        else if (widget == Widget::ChoiceList) {
            const Json items = Items(control)["items"];
            for (const auto& item : items)
                texts.push_back(trezolin::windows::Wide(item.get<std::string>()));
        }
        for (const std::wstring& text : texts)
            out.push_back({{"control", c.Name()}, {"text", Text(text)}, {"extent", measure.Extent(text)},
                           {"room", Room(control, widget)}});
    }
    return out;
}

Json Answer(const std::string& verb, const std::vector<std::string>& args)
{
    if (verb == "message_box")
        return MessageBoxShown();
    if (verb == "focused")
        return Focused();
    if (verb == "tooltip")
        return Tooltip();
    if (verb == "window")
        return MainWindowFacts();
    if (verb == "language")
        return WindowLanguage();
    if (verb == "user_languages")
        return UserLanguages();
    if (verb == "fit")
        return Fit();
    if (verb == "glyphs" && !args.empty())
        return Measure().Missing(trezolin::windows::Wide(args[0]));
    if (verb == "said") {
        HWND record = GetDlgItem(MainWindow(), kSaidRecordId);
        return record ? Text(WindowText(record)) : Json(nullptr);
    }
    if (args.empty())
        return {{"error", "unknown question"}};
    HWND control = Control(args[0]);
    if (!control)
        return {{"error", "no control " + args[0]}};
    if (verb == "accessible")
        return Accessible(control);
    if (verb == "entries")
        return Entries(control);
    if (verb == "text")
        return Text(WindowText(control));
    if (verb == "items")
        return Items(control);
    if (verb == "shown")
        return IsWindowVisible(control) != 0;
    if (verb == "read_only")
        return (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY) != 0;
    if (verb == "frame")
        return FramePixels(control);
    if (verb == "length")
        return SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    if (verb == "post" && args.size() == 3 && Control(args[2]))
        return Post(control, std::stol(args[1]), Control(args[2]));
    return {{"error", "unknown question"}};
}

} // namespace

int main()
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string verb, word;
        std::vector<std::string> args;
        words >> verb;
        while (words >> word)
            args.push_back(word);
        Json reply;
        try {
            reply = Answer(verb, args);
        } catch (const std::exception& e) {
            reply = {{"error", e.what()}};
        }
        // One line each: no indentation; a broken UTF-8 sequence from a control is replaced, not fatal.
        const std::string answer = reply.dump(-1, ' ', false, Json::error_handler_t::replace);
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    CoUninitialize();
    return 0;
}
