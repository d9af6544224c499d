// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What only the page shows beyond the window: its texts for a browser that
// runs no script and under the window, the fonts that stand in where the
// window's own is missing, and the colours around and inside its controls
// that the desktop draws in its classic scheme. Written into the page when it
// is put together.

#include "design/compact_layout.h"
#include "design/window_design.h"

#include <array>
#include <string_view>

namespace trezolin::design {

// Where the browser runs no script at all.
inline constexpr std::string_view kPageNeedsScript = "Trezolin има нужда от JavaScript.";

// Under the window, after the program's name and version.
inline constexpr std::string_view kPageLicence = "свободен софтуер под лиценза GNU GPL, версия 3 или по-нова";

// Beside the page's language chooser, which names each language in itself.
inline constexpr std::string_view kPageLanguageLabel = "Език";

// The window's font where a browser lacks it: one with the same widths, then
// the browser's serif.
inline constexpr std::array<std::string_view, 2> kPageFontFallbacks = {"Liberation Serif", "serif"};

// The narrowest page, in CSS pixels, that shows the designed window; a
// narrower one shows the compact column. Twice the column's width: where the
// column would leave half the page empty (a 1280 x 720 window at 200 % zoom
// gives 640), the whole window stands instead, scaled down to the width if
// it must be. Down to this width a vertex box stays a finger's target.
inline constexpr int kPageDesignedFromPixels = 2 * kCompact.width / kTwipsPerPixel;

struct PageColour {
    std::string_view name;
    Colour colour;
    int opacityPercent = 100;
};

// The desktop's colours that a browser has no dependable value for: the
// classic scheme's three-dimensional frames and its selection, which an
// engine may give translucent or too faint (Highlight as light as #3399ff).
inline constexpr std::array<PageColour, 8> kPageColours = {{
    {"backdrop", Rgb(109, 109, 128)},       // the page around the window
    {"window-shadow", Rgb(0, 0, 0), 50},    // under the window
    {"about-text", Rgb(255, 255, 255)},     // the line under the window
    {"frame-light", Rgb(255, 255, 255)},    // a frame's lit edges
    {"frame-shadow", Rgb(128, 128, 128)},   // a sunken frame's shaded edges
    {"frame-dark", Rgb(64, 64, 64)},        // a raised button's shaded edges
    {"highlight", Rgb(0, 0, 128)},          // the chosen entry
    {"highlight-text", Rgb(255, 255, 255)}, // its text
}};

} // namespace trezolin::design
