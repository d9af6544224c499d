// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whole-number conversions of the computation. Every conversion to an integer
// type checks the range and throws OverflowError outside it; NaN counts as
// outside every range.

#include <cstdint>

namespace trezolin {

// Rounds x to the nearest whole number; an exact half goes to the even
// neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Independent of the FPU's
// rounding mode. NaN and infinities come back unchanged.
[[nodiscard]] double RoundHalfEven(double x) noexcept;

// RoundHalfEven(x) as a 16-bit integer: 32767.5 overflows, -32768.4 gives -32768.
[[nodiscard]] std::int16_t RoundToInt16(double x);

// The greatest 16-bit integer not above x: -2.5 gives -3.
[[nodiscard]] std::int16_t FloorToInt16(double x);

// The integer part of x, toward zero: -2.5 gives -2.
[[nodiscard]] std::int16_t TruncToInt16(double x);

// RoundHalfEven(x) as a 32-bit integer.
[[nodiscard]] std::int32_t RoundToInt32(double x);

// The same value in 16 bits; outside -32768..32767 it overflows.
[[nodiscard]] std::int16_t NarrowToInt16(std::int32_t value);

// value + 1 as a 16-bit addition: 32767 + 1 overflows.
[[nodiscard]] std::int16_t IncrementInt16(std::int16_t value);

// The check made after every floating-point step. The inputs of the
// computation are always finite, so a result that is not finite means the
// step hit an invalid operation, a division by zero or an overflow: throws
// FloatingPointError then, returns x otherwise.
double CheckFloatingPoint(double x);

} // namespace trezolin
