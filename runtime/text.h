// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Text <-> number conversions of the computation. Texts are UTF-8; only ASCII
// characters ever form part of a number, and the decimal separator is always
// "." whatever the user's locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace trezolin {

// The number that the text begins with. Leading blanks (space, tab, CR, LF)
// are skipped; then an optional sign, digits with an optional "." fraction
// (at least one digit in all) and an optional exponent ("e" or "E", optional
// sign, digits). Reading stops at the first character that cannot continue
// the number: "12abc" is 12, "1e+" is 1, "0x1A" is 0. A text that does not
// begin with a number ("", "-", "abc", "inf", "nan") is 0. A number too large
// for a double ("1e400") throws OverflowError; one too small ("1e-400") is 0.
[[nodiscard]] double TextToNumber(std::string_view text);

// Decimal digits, "-" before a negative value, no leading zeros, no blank.
[[nodiscard]] std::string IntegerToText(std::int16_t value);

} // namespace trezolin
