// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Random start values for a new run of the cube.

#include "core/change.h"
#include "core/cube.h"

#include <array>
#include <string>

namespace trezolin {

class RandomSource;

// The start value that a random number r (0 <= r < 1) gives: r * 1000 rounded
// half to even, taken mod 99 and negated, so -98 to 0. r = 0.0625 gives -62,
// r = 0.1875 gives -89, r >= 0.9995 gives -10.
[[nodiscard]] CellValue StartValue(float r);

// Empties the log, then for each vertex A to H draws one number from the
// source and writes the start value's text into both startTexts (the first
// cube, kept for the run) and the vertex texts. Leaves the lists and the
// change count alone.
void GenerateStartValues(CubeState& state, std::array<std::string, kVertexCount>& startTexts,
                         RandomSource& random);

} // namespace trezolin
