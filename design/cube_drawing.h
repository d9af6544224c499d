// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The line drawing of the cube that both picture boxes show: thin black
// lines on white, in oblique projection, the three edges at the hidden
// corner D dashed. Coordinates are pixels from the drawing's top-left pixel.

#include "design/window_design.h"

#include <array>

namespace trezolin::design {

struct Point {
    int x, y;
};

inline constexpr int kDrawingWidth = 261;
inline constexpr int kDrawingHeight = 256;

// Where vertex A (0) to H (7) sits: A, B, C, D round the lower face, E, F,
// G, H above them; the front face is A B F E.
inline constexpr std::array<Point, 8> kCorners = {{
    {16, 245}, {176, 245}, {249, 174}, {89, 174},
    {16, 85}, {176, 85}, {249, 14}, {89, 14},
}};

struct Edge {
    int from, to;  // vertex indices
    bool dashed;
};

// The twelve edges, each joining two neighbouring vertices.
inline constexpr std::array<Edge, 12> kEdges = {{
    {0, 1, false}, {1, 5, false}, {5, 4, false}, {4, 0, false},  // front face
    {7, 6, false}, {6, 2, false},                                // back face, top and right
    {4, 7, false}, {5, 6, false}, {1, 2, false},                 // depth
    {3, 7, true}, {3, 2, true}, {3, 0, true},                    // at the hidden corner D
}};

// The paper and the ink: fixed, so that the drawing looks the same on every
// desktop, as the task sheet does.
inline constexpr Colour kDrawingPaper = Rgb(255, 255, 255);
inline constexpr Colour kDrawingInk = Rgb(0, 0, 0);

// Dashes of 12 pixels with gaps of 4.
inline constexpr int kDashLength = 12;
inline constexpr int kDashGap = 4;

} // namespace trezolin::design
