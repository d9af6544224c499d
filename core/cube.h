// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The cube: eight vertices A to H numbered 0 to 7. A, B, C, D go round the
// lower face; E, F, G, H lie above them in the same order.

#include <cstdint>

namespace trezolin {

using VertexIndex = int;
using CellValue = std::int16_t;

inline constexpr int kVertexCount = 8;

// The three vertices joined to a vertex by an edge, in the order in which a
// change adds their values.
struct VertexNeighbours {
    VertexIndex nextOnFace;
    VertexIndex previousOnFace;
    VertexIndex otherFace;

    friend constexpr bool operator==(const VertexNeighbours&, const VertexNeighbours&) = default;
};

// The neighbours of vertex i (0 to 7): the next and the previous vertex round
// its own face, wrapping from D to A and from H to E, and the vertex directly
// above or below it.
[[nodiscard]] constexpr VertexNeighbours CubeNeighbours(VertexIndex i) noexcept
{
    const VertexIndex faceBase = 4 * (i / 4);
    return {(i + 1) % 4 + faceBase, (i + 3) % 4 + faceBase, (i + 4) % 8};
}

// "A" for 0 up to "H" for 7.
[[nodiscard]] constexpr char VertexLetter(VertexIndex i) noexcept
{
    return static_cast<char>('A' + i);
}

} // namespace trezolin
