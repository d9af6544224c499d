// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/numeric.h"

#include "runtime/errors.h"

#include <cmath>
#include <limits>

namespace trezolin {

namespace {

template <typename Int>
Int ToIntegerChecked(double whole)
{
    // Written as a negated "inside" test so that NaN lands on the overflow side.
    constexpr double lowest = std::numeric_limits<Int>::min();
    constexpr double highest = std::numeric_limits<Int>::max();
    if (!(whole >= lowest && whole <= highest))
        throw OverflowError();
    return static_cast<Int>(whole);
}

} // namespace

double RoundHalfEven(double x) noexcept
{
    const double below = std::floor(x);
    // Exact: x and its floor are within one unit of each other.
    const double fraction = x - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int16_t RoundToInt16(double x)
{
    return ToIntegerChecked<std::int16_t>(RoundHalfEven(x));
}

std::int16_t FloorToInt16(double x)
{
    return ToIntegerChecked<std::int16_t>(std::floor(x));
}

std::int16_t TruncToInt16(double x)
{
    return ToIntegerChecked<std::int16_t>(std::trunc(x));
}

std::int32_t RoundToInt32(double x)
{
    return ToIntegerChecked<std::int32_t>(RoundHalfEven(x));
}

std::int16_t NarrowToInt16(std::int32_t value)
{
    return ToIntegerChecked<std::int16_t>(static_cast<double>(value));
}

std::int16_t IncrementInt16(std::int16_t value)
{
    if (value == std::numeric_limits<std::int16_t>::max())
        throw OverflowError();
    return static_cast<std::int16_t>(value + 1);
}

double CheckFloatingPoint(double x)
{
    if (!std::isfinite(x))
        throw FloatingPointError();
    return x;
}

} // namespace trezolin
