// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/rounding.h"

#include "runtime/numeric.h"

namespace trezolin {

CellValue RoundThird(CellValue sum, RoundingMethod method)
{
    constexpr double divisor = 3.0;
    CellValue result = 0;
    switch (method) {
    case RoundingMethod::Round:
        result = RoundToInt16(CheckFloatingPoint(sum / divisor));
        break;
    case RoundingMethod::Int:
        result = FloorToInt16(CheckFloatingPoint(sum / divisor));
        break;
    case RoundingMethod::Fix:
        result = TruncToInt16(CheckFloatingPoint(sum / divisor));
        break;
    default:
        break;
    }
    return result;
}

} // namespace trezolin
