// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading rendered pixels: the drawing is black on white, nothing between.

#include <QColor>
#include <QRgb>

namespace trezolin::testing {

inline bool IsBlack(QRgb c)
{
    return qRed(c) < 64 && qGreen(c) < 64 && qBlue(c) < 64;
}

inline bool IsWhite(QRgb c)
{
    return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240;
}

// Where the left cube's drawing starts in the window, in logical pixels: the
// picture box at (16, 56) and its two-pixel frame.
inline constexpr int kDrawingX = 18;
inline constexpr int kDrawingY = 58;

} // namespace trezolin::testing
