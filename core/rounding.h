// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/cube.h"

namespace trezolin {

// The position selected in the method list. Any other position, such as -1
// when nothing is selected, is allowed and makes the rounding give 0.
enum class RoundingMethod : int {
    None = -1,
    Round = 0,  // nearest integer (a half would go to the even one)
    Int = 1,    // floor
    Fix = 2,    // toward zero
};

// The third of a neighbour sum, rounded by the method: -181 gives -60 by
// Round, -61 by Int, -60 by Fix; any other method gives 0. No 16-bit sum can
// make it fail.
[[nodiscard]] CellValue RoundThird(CellValue sum, RoundingMethod method);

} // namespace trezolin
