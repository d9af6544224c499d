// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window where it does not fit the screen's width (a phone held upright,
// a narrow browser window, a high zoom): the same controls in one column that
// scrolls only up and down. From the top: the title, the right cube, the
// method list beside the two buttons, the log, and last the left cube. The
// part down to the log fits one phone screen, so that a pupil sees the right
// cube, "Провери" and the newest log line at once and so what a tap did.
//
// The column is made of regions of the designed window, each moved as a
// whole: a cube keeps its caption, its picture and its eight vertex boxes
// where they were relative to each other, so the drawing's corners still meet
// their boxes. A region that holds one control may also give it a new size.

#include "design/window_design.h"

#include <array>
#include <optional>
#include <string_view>

namespace trezolin::design {

// A finger's target is at least this wide and tall, in CSS pixels (the
// minimum that WCAG 2.2 sets for targets).
inline constexpr int kMinimumTargetPixels = 24;

// A list's frame, in pixels on each side, as every shell draws it.
inline constexpr int kListFramePixels = 2;

struct CompactRegion {
    std::string_view what;  // for the reader
    Rect from;              // twips, in the designed window
    Rect to;                // twips, in the column
};

struct CompactArrangement {
    int width, height;  // twips; the column fits a screen 320 CSS pixels wide
    int firstScreen;    // twips from the top: the right cube, the buttons and the log end above it
};

inline constexpr CompactArrangement kCompact = {4800, 13920, 9195};

extern const std::array<CompactRegion, 8> kCompactRegions;

// Where the control stands in the column, in twips: its designed place moved
// with the region that holds it, and stretched by as much as the region is.
// nullopt for a control that is never shown, or that no region holds.
[[nodiscard]] std::optional<Rect> CompactPlace(const Control& control) noexcept;

// The region that holds the control's designed place whole, or nullptr.
[[nodiscard]] const CompactRegion* RegionOf(const Control& control) noexcept;

// True when `outer` holds `inner` whole.
[[nodiscard]] constexpr bool Holds(const Rect& outer, const Rect& inner) noexcept
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width
           && inner.top + inner.height <= outer.top + outer.height;
}

} // namespace trezolin::design
