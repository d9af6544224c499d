// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What Trezolin's window shows and where, free of any toolkit: the window's
// own settings and its 29 controls with their places, texts, colours, names
// for screen readers and their part in the program. Every shell builds itself
// from this table; none spells a caption, a position or a control's part.
//
// Three of the controls are never shown. The two hidden lists hold the eight
// values before and after the latest change, as the program has always kept
// them: a shell shows them there, so that they can be read the way the rest of
// the window is (a debugger, an accessibility tool, a test), and nothing else
// reads them. The hidden second text box is the window's spare and stays
// empty. They keep their places so that the window is the one the program
// has always had.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace trezolin::design {

// Positions and sizes are in twips, 1440 to an inch: 15 to a pixel at 96
// dots per inch.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = 15;

// A colour of the design: a fixed one, or a role of the desktop's colour
// scheme, which follows the user's settings.
enum class SystemColour : std::uint8_t { None, Window, WindowText, ButtonFace, ButtonText };

struct Colour {
    SystemColour system = SystemColour::None;
    std::uint8_t red = 0, green = 0, blue = 0;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

// The colour each role has in the desktop's classic light scheme: what a
// shell without the desktop's own colours (the page) shows for it.
[[nodiscard]] constexpr Colour ClassicColour(SystemColour role) noexcept;

constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return {SystemColour::None, red, green, blue};
}
constexpr Colour System(SystemColour role)
{
    return {role, 0, 0, 0};
}

constexpr Colour ClassicColour(SystemColour role) noexcept
{
    switch (role) {
    case SystemColour::Window: return Rgb(255, 255, 255);
    case SystemColour::ButtonFace: return Rgb(240, 240, 240);
    case SystemColour::WindowText:
    case SystemColour::ButtonText:
    case SystemColour::None: break;
    }
    return Rgb(0, 0, 0);
}

enum class Alignment : std::uint8_t { Left, Centre };

// A control's part in the program.
enum class Role : std::uint8_t {
    FirstCubeVertex,   // "Преди": the letters until the first start, then the start values
    SecondCubeVertex,  // "Сега": the current values
    Log,               // the help text until the first start, then one line per check
    SpareTextBox,      // hidden, always empty
    MethodList,        // "Round", "Int", "Fix": the chosen row is the rounding method
    PreviousValues,    // hidden: the values before the latest change
    CurrentValues,     // hidden: the values after the latest change
    StartButton,       // "Начало"
    CheckButton,       // "Провери"
    Caption,           // a label
    Picture,           // the cube drawing
};

// What a shell makes for a control. Every shell makes the same kind of widget
// for the same role; WidgetOf is the one rule.
enum class Widget : std::uint8_t {
    VertexBox,   // one line, centred, read-only, no border, reached with Tab; select and copy work
    LogBox,      // many lines, read-only, scrolls; grows by whole lines at its end or is replaced
    ChoiceList,  // single choice that always keeps exactly one entry chosen
    HiddenList,  // a list of texts that is never shown
    HiddenText,  // a text box that is never shown
    Button,      // painted in its own face colour; Space and Enter press it
    Caption,     // a label: never takes the focus, clicks do nothing
    Picture,     // the cube drawing; takes the focus
};

[[nodiscard]] constexpr Widget WidgetOf(Role role) noexcept
{
    switch (role) {
    case Role::FirstCubeVertex:
    case Role::SecondCubeVertex: return Widget::VertexBox;
    case Role::Log: return Widget::LogBox;
    case Role::SpareTextBox: return Widget::HiddenText;
    case Role::MethodList: return Widget::ChoiceList;
    case Role::PreviousValues:
    case Role::CurrentValues: return Widget::HiddenList;
    case Role::StartButton:
    case Role::CheckButton: return Widget::Button;
    case Role::Caption: return Widget::Caption;
    case Role::Picture: return Widget::Picture;
    }
    return Widget::Caption;
}

struct Rect {
    int left, top, width, height;

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A rectangle in twips as pixels at 96 dots per inch, the way every shell
// places its controls: each figure divided by 15, rounded down.
[[nodiscard]] constexpr Rect ToPixels(const Rect& twips) noexcept
{
    constexpr int k = kTwipsPerPixel;
    return {twips.left / k, twips.top / k, twips.width / k, twips.height / k};
}

struct Control {
    std::string_view array = {};  // the control array, e.g. "Wryh_k"
    int index = 0;           // the element of the array; for a vertex box, its vertex
    Role role = Role::Caption;
    Rect place = {};         // twips, from the client area's top-left corner
    int tabIndex = 0;        // 0 to 28, each used once
    std::string_view text = {};  // caption, or content at creation
    std::string_view tooltip = {};
    Colour background = System(SystemColour::Window);
    Colour foreground = System(SystemColour::WindowText);
    Alignment alignment = Alignment::Left;
    bool visible = true;
    std::span<const std::string_view> entries = {};  // a list's entries at creation
    std::string_view accessibleName = {};         // empty: the caption is the name
    std::string_view accessibleDescription = {};  // empty: the tooltip, if any

    // "Wryh_k(5)": how the program's own code and its tests name the control.
    [[nodiscard]] std::string Name() const;
    // What a screen reader reads as the control's name: the accessible name,
    // or else the caption without the spaces it may end in.
    [[nodiscard]] std::string_view SpokenName() const noexcept
    {
        std::string_view name = accessibleName.empty() ? text : accessibleName;
        while (name.ends_with(' '))
            name.remove_suffix(1);
        return name;
    }
    // What a screen reader reads after the name: the description, or else the
    // tooltip. A caption has none: the title's tooltip is a little surprise
    // for the mouse, not a description to read out.
    [[nodiscard]] std::string_view Description() const noexcept
    {
        if (role == Role::Caption)
            return {};
        return accessibleDescription.empty() ? tooltip : accessibleDescription;
    }
    // Whether Tab, a click or a tap can bring the keyboard focus here: every
    // control that is shown, except a label.
    [[nodiscard]] bool TakesFocus() const noexcept { return visible && WidgetOf(role) != Widget::Caption; }
};

struct Window {
    std::string_view title;
    int clientWidth, clientHeight;  // twips
    Colour background;
    std::string_view fontFamily;
    int fontPoints;
    int fontWeight;  // 400 is regular
    int fontCharSet;  // 204 is Cyrillic
};

inline constexpr Window kWindow = {"Trezolin", 10485, 7440, Rgb(192, 192, 255), "Times New Roman", 12, 400, 204};

// The method list's entries; the chosen row is the rounding method.
inline constexpr std::array<std::string_view, 3> kMethodEntries = {"Round", "Int", "Fix"};

// The controls in stacking order, front to back: where two overlap, the one
// higher in the table is drawn over the other. Labels are drawn on the
// window's surface, behind every other control.
extern const std::array<Control, 29> kControls;

// The control of this array and index, or nullptr.
[[nodiscard]] const Control* FindControl(std::string_view array, int index) noexcept;

// The one control with this part: the log, the method list, a button, a
// hidden list or the spare text box. Roles held by several controls (vertex
// boxes, captions, pictures) give the first in stacking order.
[[nodiscard]] const Control& ControlWith(Role role) noexcept;

// The vertex box of this cube (FirstCubeVertex or SecondCubeVertex) and vertex.
[[nodiscard]] const Control& VertexBox(Role cube, int vertex) noexcept;

// The control that has the keyboard focus when the window opens: tab index 0.
[[nodiscard]] const Control& FirstInTabOrder() noexcept;

// A control's row in kControls: the index every shell keeps its widgets by.
[[nodiscard]] std::size_t RowOf(const Control& control) noexcept;

// The two ways the window stands: as designed (scaled to the screen as a
// whole), and the compact column of a narrow screen.
enum class Arrangement : std::uint8_t { Designed, Compact };

// The rows of the controls that take the focus, in the order Tab visits them.
// Designed: by tab index. Compact: top to bottom as the column stands, a
// cube's picture and then its eight boxes from A to H.
[[nodiscard]] std::span<const std::size_t> TabOrder(Arrangement arrangement) noexcept;

} // namespace trezolin::design
