// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/trezolin_window.h"

#include "design/messages.h"
#include "windows/language.h"
#include "windows/resources.h"
#include "windows/wide_text.h"
#include "windows/window_font.h"

#include <commctrl.h>

#include <algorithm>

namespace trezolin::windows {

namespace {

// A fixed-size window with its system menu and close box, and no minimise or maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = 0;

} // namespace

TrezolinWindow::TrezolinWindow(design::LanguageId language, std::unique_ptr<RandomSource> random)
    : language_(language), controlsIn_(design::ControlsIn(language)), presenter_(*this, std::move(random), language)
{
}

TrezolinWindow::~TrezolinWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    if (font_)
        DeleteObject(font_);
    if (background_)
        DeleteObject(background_);
    for (HICON icon : {bigIcon_, smallIcon_})
        if (icon)
            DestroyIcon(icon);
    for (const auto& [colour, brush] : brushes_)
        DeleteObject(brush);
    FreeNotifications(notifications_);
}

bool TrezolinWindow::Create(HINSTANCE instance)
{
    const design::Window& w = design::kWindow;
    instance_ = instance;
    background_ = CreateSolidBrush(ColourRef(w.background));
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TREZOLIN));
    RegisterPictureClass(instance);
    if (!BaseWindow::Create(instance, Wide(w.title).c_str(), kWindowStyle, kWindowExStyle, icon, background_))
        return false;

    // Windows' controls carry no language of their own: the window keeps its language's identifier.
    SetPropW(hwnd_, kLanguageProperty,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(LocaleNameToLCID(WindowsTag(language_).c_str(), 0))));
    CreateControls(instance);
    CreateTooltips(instance);
    notifications_ = LoadNotifications();
    if (!notifications_.raiseNotificationEvent)
        saidRecord_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 0, 0, hwnd_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSaidRecordId)), instance, nullptr);
    Layout(static_cast<int>(GetDpiForWindow(hwnd_)));
    presenter_.Load();
    PlaceInMiddle();
    return true;
}

void TrezolinWindow::PlaceInMiddle()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const SIZE size = WindowSize(dpi_);
    SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - size.cx) / 2,
                 area.top + (area.bottom - area.top - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TrezolinWindow::CreateControls(HINSTANCE instance)
{
    // Made front to back: each new control goes behind those made before it.
    for (std::size_t row = 0; row < design::kControls.size(); ++row) {
        states_[row].control = &controlsIn_[row];
        controls_[row] = CreateControl(hwnd_, instance, ControlId(row), states_[row]);
    }
    for (const std::size_t row : design::TabOrder(design::Arrangement::Designed))
        tabOrder_.push_back(controls_[row]);
    lastFocus_ = controls_[design::RowOf(design::FirstInTabOrder())];
}

void TrezolinWindow::CreateTooltips(HINSTANCE instance)
{
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance,
                               nullptr);
    if (!tooltip_)
        return;
    for (std::size_t row = 0; row < design::kControls.size(); ++row) {
        const design::Control& c = controlsIn_[row];
        if (c.tooltip.empty())
            continue;
        std::wstring text = Wide(c.tooltip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[row]);
        tool.lpszText = text.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

HWND TrezolinWindow::ControlWith(design::Role role) const
{
    return controls_[design::RowOf(design::ControlWith(role))];
}

void TrezolinWindow::Layout(int dpi)
{
    dpi_ = dpi;
    HFONT font = CreateWindowFont(dpi);
    for (std::size_t row = 0; row < design::kControls.size(); ++row) {
        const RECT r = ToDevicePixels(design::kControls[row].place, dpi);
        SendMessageW(controls_[row], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // SWP_FRAMECHANGED: a vertex box works out its text band again for the new font.
        SetWindowPos(controls_[row], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (font_)
        DeleteObject(font_);
    font_ = font;
    SetIcons(dpi);

    // The method's entries share the list's height, without a scroll bar.
    HWND methods = ControlWith(design::Role::MethodList);
    RECT inside;
    GetClientRect(methods, &inside);
    const auto entries = static_cast<int>(SendMessageW(methods, LB_GETCOUNT, 0, 0));
    if (entries > 0)
        SendMessageW(methods, LB_SETITEMHEIGHT, 0, MAKELPARAM((inside.bottom - inside.top) / entries, 0));
    // Without a width, a tooltip may be cut off at the screen's edge instead of wrapped.
    if (tooltip_) {
        const int half = MulDiv(design::kWindow.clientWidth, dpi, design::kTwipsPerInch) / 2;
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, half);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TrezolinWindow::SetIcons(int dpi)
{
    // The icon's sizes drawn for this DPI, for the title bar and the task bar.
    const auto load = [&](int width, int height) {
        return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TREZOLIN), IMAGE_ICON,
                                             GetSystemMetricsForDpi(width, static_cast<UINT>(dpi)),
                                             GetSystemMetricsForDpi(height, static_cast<UINT>(dpi)), LR_DEFAULTCOLOR));
    };
    HICON big = load(SM_CXICON, SM_CYICON);
    HICON small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    for (HICON old : {bigIcon_, smallIcon_})
        if (old)
            DestroyIcon(old);
    bigIcon_ = big;
    smallIcon_ = small;
}

SIZE TrezolinWindow::WindowSize(int dpi) const
{
    const design::Window& w = design::kWindow;
    RECT r = ToDevicePixels({0, 0, w.clientWidth, w.clientHeight}, dpi);
    AdjustWindowRectExForDpi(&r, kWindowStyle, FALSE, kWindowExStyle, static_cast<UINT>(dpi));
    return {r.right - r.left, r.bottom - r.top};
}

bool TrezolinWindow::PreTranslate(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))
        return false;
    // The dialog manager's own message for moving the focus; the log box sends it too.
    SendMessageW(hwnd_, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
    return true;
}

void TrezolinWindow::MoveFocus(bool backwards)
{
    if (tabOrder_.empty())
        return;
    const auto n = static_cast<std::ptrdiff_t>(tabOrder_.size());
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), GetFocus()) - tabOrder_.begin();
    std::ptrdiff_t next = 0;
    if (at == n)
        next = backwards ? n - 1 : 0;
    else
        next = (at + (backwards ? n - 1 : 1)) % n;
    FocusControl(tabOrder_[static_cast<std::size_t>(next)]);
}

void TrezolinWindow::FocusControl(HWND control)
{
    // As in a dialog: a text box reached with the keyboard has its text selected.
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    // The keyboard is in use: show where the focus is.
    SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool TrezolinWindow::IsPress(const MSG& message) const
{
    const design::Control* c = ControlOfId(GetDlgCtrlID(message.hwnd));
    if (!c || design::WidgetOf(c->role) != design::Widget::Button || GetParent(message.hwnd) != hwnd_)
        return false;
    switch (message.message) {
    case BM_CLICK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE: return true;
    default: return false;
    }
}

void TrezolinWindow::SetText(std::size_t row, std::string_view text)
{
    SetWindowTextW(controls_.at(row), Wide(text).c_str());
}

void TrezolinWindow::SetEntries(std::size_t row, std::span<const std::string> entries)
{
    HWND list = controls_.at(row);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(e).c_str()));
}

void TrezolinWindow::SetEntry(std::size_t row, std::size_t entry, std::string_view text)
{
    HWND list = controls_.at(row);
    SendMessageW(list, LB_DELETESTRING, entry, 0);
    SendMessageW(list, LB_INSERTSTRING, entry, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int TrezolinWindow::ChosenRow() const
{
    return static_cast<int>(SendMessageW(ControlWith(design::Role::MethodList), LB_GETCURSEL, 0, 0));
}

void TrezolinWindow::Choose(int row)
{
    SendMessageW(ControlWith(design::Role::MethodList), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void TrezolinWindow::ReplaceLog(std::string_view text)
{
    // The lesson's log ends its lines in CR LF, as the edit box does.
    SetWindowTextW(ControlWith(design::Role::Log), Wide(text).c_str());
}

void TrezolinWindow::AppendLog(std::string_view text)
{
    // Only the new part goes in, at the end, so a check costs the same
    // however long the log has grown. The pupil's selection stays where it
    // was, and the box shows the newest line.
    HWND log = ControlWith(design::Role::Log);
    DWORD selectionStart = 0, selectionEnd = 0;
    SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), reinterpret_cast<LPARAM>(&selectionEnd));
    const int end = GetWindowTextLengthW(log);
    SendMessageW(log, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    SendMessageW(log, EM_SETSEL, selectionStart, static_cast<LPARAM>(selectionEnd));
    SendMessageW(log, WM_VSCROLL, SB_BOTTOM, 0);
}

void TrezolinWindow::Say(std::string_view text)
{
    if (text.empty())
        return;
    const std::wstring said = Wide(text);
    if (!Notify(notifications_, hwnd_, said) && saidRecord_)
        SetWindowTextW(saidRecord_, said.c_str());
}

namespace {

// The button's text for the message box about to open on this thread: Windows
// labels it in its own language, the program in the pupil's. A hook sees the
// box before it shows; only a pointer can reach it there.
thread_local const std::wstring* buttonText = nullptr;

LRESULT CALLBACK LabelMessageButton(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && buttonText) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (HWND ok = GetDlgItem(box, IDOK))
            SetWindowTextW(ok, buttonText->c_str());
        buttonText = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void TrezolinWindow::ShowMessage(std::string_view title, std::string_view text)
{
    const std::wstring button = Wide(design::Translate(language_, design::kMessageButton));
    buttonText = &button;
    HHOOK hook = SetWindowsHookExW(WH_CBT, &LabelMessageButton, nullptr, GetCurrentThreadId());
    MessageBoxW(hwnd_, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONWARNING);
    if (hook)
        UnhookWindowsHookEx(hook);
    buttonText = nullptr;
}

HBRUSH TrezolinWindow::BrushOf(const design::Colour& colour)
{
    if (colour.system != design::SystemColour::None)
        return GetSysColorBrush(SystemColourIndex(colour.system));
    const COLORREF rgb = ColourRef(colour);
    for (const auto& [known, brush] : brushes_)
        if (known == rgb)
            return brush;
    HBRUSH brush = CreateSolidBrush(rgb);
    brushes_.emplace_back(rgb, brush);
    return brush;
}

LRESULT TrezolinWindow::OnControlColour(HDC dc, HWND control)
{
    const design::Control* c = ControlOfId(GetDlgCtrlID(control));
    if (!c)
        return 0;
    SetTextColor(dc, ColourRef(c->foreground));
    SetBkColor(dc, ColourRef(c->background));
    return reinterpret_cast<LRESULT>(BrushOf(c->background));
}

void TrezolinWindow::OnCommand(int code, HWND from)
{
    const design::Control* c = from ? ControlOfId(GetDlgCtrlID(from)) : nullptr;
    if (!c || design::WidgetOf(c->role) != design::Widget::Button)
        return;
    // A quick second click on an owner-drawn button comes as a double click.
    // The controls catch up once the queued presses are counted.
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
        presenter_.Count(c->index);
}

void TrezolinWindow::OnActivate(bool inactive)
{
    // The focus goes back where it was before another window (a message box) took it.
    if (inactive) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus))
            lastFocus_ = focus;
    } else if (lastFocus_) {
        SetFocus(lastFocus_);
    }
}

void TrezolinWindow::OnDpiChanged(int dpi, const RECT& suggested)
{
    Layout(dpi);
    const SIZE size = WindowSize(dpi_);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// What the controls ask of their parent: their paint and their colours.
std::optional<LRESULT> TrezolinWindow::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const design::Control* c = ControlOfId(static_cast<int>(item.CtlID));
        if (item.CtlType != ODT_BUTTON || !c)
            return std::nullopt;
        DrawFaceButton(item, ColourRef(c->background), ColourRef(c->foreground));
        return TRUE;
    }
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        if (const LRESULT brush = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return brush;
    }
    return std::nullopt;
}

LRESULT TrezolinWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: OnCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam))
            FocusControl(reinterpret_cast<HWND>(wParam));
        else
            MoveFocus(wParam != 0);
        return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) == WA_INACTIVE); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_SYSCOLORCHANGE:
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return 0;
    case WM_DESTROY:
        RemovePropW(hwnd_, kLanguageProperty);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: hwnd_ = nullptr; break;
    default:
        if (const std::optional<LRESULT> result = OnControlMessage(message, wParam, lParam))
            return *result;
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace trezolin::windows
