#pragma once

// What Trezolin's window shows and where, free of any toolkit: the window's
// own settings and its 29 controls with their places, texts, colours and
// names for screen readers. The desktop window and the web page both build
// themselves from this table; neither spells a caption or a position itself.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace trezolin::design {

// Positions and sizes are in twips, 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// A colour of the design: a fixed one, or a role of the desktop's colour
// scheme, which follows the user's settings.
enum class SystemColour : std::uint8_t { None, Window, WindowText, ButtonFace, ButtonText };

struct Colour {
    SystemColour system = SystemColour::None;
    std::uint8_t red = 0, green = 0, blue = 0;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return {SystemColour::None, red, green, blue};
}
constexpr Colour System(SystemColour role)
{
    return {role, 0, 0, 0};
}

enum class ControlKind : std::uint8_t { TextBox, ListBox, CommandButton, Label, PictureBox };
enum class Alignment : std::uint8_t { Left, Centre };

struct Control {
    std::string_view array;  // the control array, e.g. "Wryh_k"
    int index;               // the element of the array
    ControlKind kind;
    int left, top, width, height;  // twips, from the client area's top-left corner
    int tabIndex;            // 0 to 28, each used once
    std::string_view text;   // caption or content at creation; the log box's is the help text
    std::string_view tooltip;
    Colour background;
    Colour foreground;
    Alignment alignment;
    bool visible;
    bool locked;             // a text box the user cannot type into; the program still writes it
    bool multiLine;          // word wrap and a vertical scroll bar
    bool showsHelpText;      // the log box: the help text until the first start
    std::span<const std::string_view> entries;  // a list's entries at creation
    std::string_view accessibleName;         // empty: the caption is the name
    std::string_view accessibleDescription;  // empty: the tooltip, if any
};

struct Window {
    std::string_view title;
    int clientWidth, clientHeight;  // twips
    Colour background;
    std::string_view fontFamily;
    int fontPoints;
    int fontWeight;  // 400 is regular
};

inline constexpr Window kWindow = {"Trezolin", 10485, 7440, Rgb(192, 192, 255), "Times New Roman", 12, 400};

// The method list's entries; the selected position is the rounding method.
inline constexpr std::array<std::string_view, 3> kMethodEntries = {"Round", "Int", "Fix"};

// The controls in stacking order, front to back: where two overlap, the one
// higher in the table is drawn over the other. Labels are drawn on the
// window's surface, behind every other control.
extern const std::array<Control, 29> kControls;

// The control of this array and index, or nullptr.
[[nodiscard]] const Control* FindControl(std::string_view array, int index) noexcept;

} // namespace trezolin::design
