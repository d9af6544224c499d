// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/controls.h"

#include "design/cube_drawing.h"
#include "windows/accessible.h"
#include "windows/wide_text.h"
#include "windows/window_ids.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>
#include <new>

namespace trezolin::windows {

namespace {

constexpr wchar_t kPictureClass[] = L"TrezolinPicture";

int Scale(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}

// The cube drawing at the window's DPI, its top-left corner at the origin.
void DrawCube(HDC dc, int dpi)
{
    const RECT paper{0, 0, Scale(design::kDrawingWidth, dpi), Scale(design::kDrawingHeight, dpi)};
    HBRUSH paperBrush = CreateSolidBrush(ColourRef(design::kDrawingPaper));
    FillRect(dc, &paper, paperBrush);
    DeleteObject(paperBrush);

    const DWORD width = static_cast<DWORD>(std::max(1, dpi / USER_DEFAULT_SCREEN_DPI));
    LOGBRUSH ink{BS_SOLID, ColourRef(design::kDrawingInk), 0};
    // Square ends, so that every solid edge covers both of its corner pixels;
    // dashes end flat, so that they keep their length.
    HPEN solid = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER, width, &ink, 0, nullptr);
    const DWORD dashes[] = {static_cast<DWORD>(Scale(design::kDashLength, dpi)),
                            static_cast<DWORD>(Scale(design::kDashGap, dpi))};
    HPEN dashed = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER, width, &ink, 2, dashes);
    const HGDIOBJ old = SelectObject(dc, solid);
    for (const design::Edge& edge : design::kEdges) {
        SelectObject(dc, edge.dashed ? dashed : solid);
        const design::Point from = design::kCorners[edge.from];
        const design::Point to = design::kCorners[edge.to];
        MoveToEx(dc, Scale(from.x, dpi), Scale(from.y, dpi), nullptr);
        LineTo(dc, Scale(to.x, dpi), Scale(to.y, dpi));
    }
    SelectObject(dc, old);
    DeleteObject(solid);
    DeleteObject(dashed);
}

bool FocusHidden(HWND hwnd)
{
    return (SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

// The picture's face: the colour role that the description gives its
// background, the button face where it gives none.
HBRUSH FaceBrush(HWND picture)
{
    const design::Control* c = ControlOfId(GetDlgCtrlID(picture));
    const bool given = c && c->background.system != design::SystemColour::None;
    return GetSysColorBrush(SystemColourIndex(given ? c->background.system : design::SystemColour::ButtonFace));
}

// The picture: the drawing at its natural size from the top-left corner of
// the area inside the sunken border, clipped to it, on the button face.
LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT inner;
        GetClientRect(hwnd, &inner);
        FillRect(dc, &inner, FaceBrush(hwnd));
        DrawCube(dc, static_cast<int>(GetDpiForWindow(hwnd)));
        if (GetFocus() == hwnd && !FocusHidden(hwnd)) {
            InflateRect(&inner, -1, -1);
            DrawFocusRect(dc, &inner);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The width of a vertex box's focus frame, which lies around the box's text band.
constexpr int kFrameWidth = 1;

// A vertex box's text band: one line high in the middle of the box, inside
// the frame on every side. `r` comes as the window's rectangle and goes as
// the client's.
void FitTextBand(HWND hwnd, RECT& r)
{
    HDC dc = GetDC(hwnd);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    const int inset = std::max(kFrameWidth, static_cast<int>((r.bottom - r.top - tm.tmHeight) / 2));
    InflateRect(&r, -kFrameWidth, -inset);
}

// The strips around the text band in the box's colour, and the whole frame
// in the highlight colour while the box has the focus.
void PaintVertexBoxFrame(HWND hwnd)
{
    HDC dc = GetWindowDC(hwnd);
    RECT whole, client;
    GetWindowRect(hwnd, &whole);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -whole.left, -whole.top);
    OffsetRect(&whole, -whole.left, -whole.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    // The parent gives the box's colours, as it does for the client area.
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &whole, brush ? brush : GetSysColorBrush(SystemColourIndex(design::SystemColour::Window)));
    if (GetFocus() == hwnd)
        FrameRect(dc, &whole, GetSysColorBrush(COLOR_HIGHLIGHT));
    ReleaseDC(hwnd, dc);
}

// A vertex box keeps its text in the middle of its height: its client area
// is the band of one line, and the rest is painted in the box's colour, with
// a frame while it has the focus.
LRESULT VertexBoxFrame(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case WM_NCCALCSIZE:
        DefSubclassProc(hwnd, message, wParam, lParam);
        // The client rectangle comes first, whether lParam holds one rectangle or three.
        FitTextBand(hwnd, *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_NCPAINT: PaintVertexBoxFrame(hwnd); return 0;
    case WM_NCHITTEST:
        // The strips belong to the box: a click there goes into it.
        return HTCLIENT;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return result;
    }
    default: break;
    }
    handled = false;
    return 0;
}

AccessibleText AccessibleTextOf(const design::Control& c)
{
    AccessibleText text;
    text.name = Wide(c.SpokenName());
    text.description = Wide(c.Description());
    switch (design::WidgetOf(c.role)) {
    case design::Widget::VertexBox:
    case design::Widget::LogBox:
    case design::Widget::HiddenText: text.role = ROLE_SYSTEM_TEXT; break;
    case design::Widget::ChoiceList:
    case design::Widget::HiddenList:
        text.role = ROLE_SYSTEM_LIST;
        text.list = true;
        break;
    case design::Widget::Button: text.role = ROLE_SYSTEM_PUSHBUTTON; break;
    case design::Widget::Caption: text.role = ROLE_SYSTEM_STATICTEXT; break;
    case design::Widget::Picture: text.role = ROLE_SYSTEM_GRAPHIC; break;
    }
    return text;
}

bool IsEditBox(const design::Control& c)
{
    const design::Widget widget = design::WidgetOf(c.role);
    return widget == design::Widget::VertexBox || widget == design::Widget::LogBox ||
           widget == design::Widget::HiddenText;
}

// The control's accessible object, made when a screen reader first asks for
// its client, or nullptr for another of its objects.
IAccessible* AccessibleOf(HWND hwnd, LPARAM object, ControlState& state)
{
    if (static_cast<LONG>(object) != OBJID_CLIENT)
        return nullptr;
    if (!state.accessible)
        state.accessible = NewControlAccessible(hwnd, AccessibleTextOf(*state.control));
    return state.accessible;
}

// Every control: its accessible object, Ctrl+A in the boxes, Enter on the
// buttons, and the vertex boxes' frame.
LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    auto& state = *reinterpret_cast<ControlState*>(data);
    switch (message) {
    case WM_GETOBJECT:
        if (IAccessible* accessible = AccessibleOf(hwnd, lParam, state))
            return LresultFromObject(IID_IAccessible, wParam, accessible);
        break;
    case WM_KEYDOWN:
        // Ctrl+A selects all of a box's text, also where the edit control itself leaves it out.
        if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 && IsEditBox(*state.control)) {
            SendMessageW(hwnd, EM_SETSEL, 0, -1);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == 1 && IsEditBox(*state.control))  // Ctrl+A's character: no beep
            return 0;
        break;
    case WM_GETDLGCODE:
        // Enter presses the focused button, as in a dialog, where the focused button is the default one.
        if (design::WidgetOf(state.control->role) == design::Widget::Button && GetFocus() == hwnd)
            return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_DEFPUSHBUTTON;
        break;
    case WM_NCDESTROY:
        if (state.accessible) {
            state.accessible->Release();
            state.accessible = nullptr;
        }
        RemoveWindowSubclass(hwnd, &ControlProc, id);
        break;
    default:
        if (design::WidgetOf(state.control->role) == design::Widget::VertexBox) {
            bool handled = false;
            const LRESULT result = VertexBoxFrame(hwnd, message, wParam, lParam, handled);
            if (handled)
                return result;
        }
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

Kind KindOf(const design::Control& c)
{
    const DWORD align = c.alignment == design::Alignment::Centre ? ES_CENTER : ES_LEFT;
    switch (design::WidgetOf(c.role)) {
    case design::Widget::VertexBox:
        return {WC_EDITW, ES_READONLY | ES_AUTOHSCROLL | align, 0};
    case design::Widget::LogBox:
        return {WC_EDITW, WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | align,
                WS_EX_CLIENTEDGE};
    case design::Widget::HiddenText:
        return {WC_EDITW, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | align, WS_EX_CLIENTEDGE};
    case design::Widget::ChoiceList:
        return {WC_LISTBOXW, LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case design::Widget::HiddenList:
        return {WC_LISTBOXW, LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case design::Widget::Button:
        return {WC_BUTTONW, BS_OWNERDRAW, 0};
    case design::Widget::Caption:
        // SS_NOTIFY lets the caption see the mouse, for its tooltip; a click does nothing.
        return {WC_STATICW,
                static_cast<DWORD>(SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY |
                                   (c.alignment == design::Alignment::Centre ? SS_CENTER : SS_LEFT)),
                0};
    case design::Widget::Picture:
        return {kPictureClass, 0, WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, 0, 0};
}

} // namespace

bool RegisterPictureClass(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PictureProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPictureClass;
    return RegisterClassExW(&wc) != 0;
}

HWND CreateControl(HWND parent, HINSTANCE instance, int id, ControlState& state)
{
    const design::Control& c = *state.control;
    const Kind kind = KindOf(c);
    // Each control its own group: the arrow keys never move the focus to another control.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP | kind.style;
    if (c.visible)
        style |= WS_VISIBLE;
    if (c.TakesFocus())
        style |= WS_TABSTOP;
    HWND hwnd = CreateWindowExW(kind.exStyle, kind.windowClass, Wide(c.text).c_str(), style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd)
        return nullptr;
    SetWindowSubclass(hwnd, &ControlProc, 0, reinterpret_cast<DWORD_PTR>(&state));
    // A full run is 32 767 lines: far beyond the log box's usual limit.
    if (design::WidgetOf(c.role) == design::Widget::LogBox)
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    for (std::string_view entry : c.entries)
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
    return hwnd;
}

int SystemColourIndex(design::SystemColour role) noexcept
{
    // Windows' colour index of each of the description's colour roles.
    constexpr std::array<std::pair<design::SystemColour, int>, 4> kIndices = {{
        {design::SystemColour::Window, COLOR_WINDOW},
        {design::SystemColour::WindowText, COLOR_WINDOWTEXT},
        {design::SystemColour::ButtonFace, COLOR_BTNFACE},
        {design::SystemColour::ButtonText, COLOR_BTNTEXT},
    }};
    for (const auto& [known, index] : kIndices)
        if (known == role)
            return index;
    return COLOR_WINDOW;
}

COLORREF ColourRef(const design::Colour& colour) noexcept
{
    if (colour.system != design::SystemColour::None)
        return GetSysColor(SystemColourIndex(colour.system));
    return RGB(colour.red, colour.green, colour.blue);
}

void DrawFaceButton(const DRAWITEMSTRUCT& item, COLORREF face, COLORREF text)
{
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (focused) {
        // The dark frame of the button that Space and Enter press.
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    HBRUSH faceBrush = CreateSolidBrush(face);
    FillRect(dc, &r, faceBrush);
    DeleteObject(faceBrush);
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
    RECT band = r;
    if (pressed)
        OffsetRect(&band, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    DrawTextW(dc, caption, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(dc, &r);
    }
}

RECT ToDevicePixels(const design::Rect& twips, int dpi) noexcept
{
    using design::kTwipsPerInch;
    // Each edge rounded on its own, so that controls that meet in twips meet on the screen.
    return {MulDiv(twips.left, dpi, kTwipsPerInch), MulDiv(twips.top, dpi, kTwipsPerInch),
            MulDiv(twips.left + twips.width, dpi, kTwipsPerInch), MulDiv(twips.top + twips.height, dpi, kTwipsPerInch)};
}

} // namespace trezolin::windows
