// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/compact_layout.h"

#include <algorithm>

namespace trezolin::design {

// Top to bottom. The column is 320 pixels wide with a margin of 8 (120 twips).
const std::array<CompactRegion, 8> kCompactRegions = {{
    {"the title, across the column", {1920, 0, 6375, 375}, {0, 0, 4800, 375}},
    {"the right cube with its caption", {4560, 480, 4575, 4485}, {120, 480, 4575, 4485}},
    {"the method list's caption", {9120, 1560, 1215, 375}, {120, 5085, 1215, 375}},
    {"the method list, its rows tall enough for a finger", {9120, 1920, 1215, 915}, {120, 5460, 1215, 1200}},
    {"the start button, wide", {9120, 3720, 1215, 495}, {1575, 5085, 3105, 600}},
    {"the check button, wide", {9120, 4440, 1215, 495}, {1575, 6060, 3105, 600}},
    {"the log, across the column", {120, 5040, 10215, 2295}, {120, 6780, 4560, 2295}},
    {"the left cube with its caption", {0, 480, 4575, 4485}, {120, 9315, 4575, 4485}},
}};

const CompactRegion* RegionOf(const Control& control) noexcept
{
    const auto it = std::find_if(kCompactRegions.begin(), kCompactRegions.end(),
                                 [&](const CompactRegion& r) { return Holds(r.from, control.place); });
    return it == kCompactRegions.end() ? nullptr : &*it;
}

std::optional<Rect> CompactPlace(const Control& control) noexcept
{
    const CompactRegion* region = control.visible ? RegionOf(control) : nullptr;
    if (region == nullptr)
        return std::nullopt;
    const Rect& from = region->from;
    const Rect& to = region->to;
    const Rect& c = control.place;
    return Rect{to.left + c.left - from.left, to.top + c.top - from.top, c.width + to.width - from.width,
                c.height + to.height - from.height};
}

} // namespace trezolin::design
