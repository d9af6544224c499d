// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/text.h"

#include "runtime/errors.h"

#include <fast_float/fast_float.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <system_error>

namespace trezolin {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The parts of the longest prefix that forms a number, as positions in the text.
struct NumberPrefix {
    std::size_t begin = 0;          // first character after the sign
    std::size_t end = 0;            // one past the last character of the number
    std::size_t integerDigits = 0;
    std::size_t fractionDigits = 0;
    bool negative = false;
};

std::size_t SkipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

// Returns false when the text does not begin with a number.
bool ScanNumber(std::string_view text, NumberPrefix& prefix)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        prefix.negative = text[pos] == '-';
        ++pos;
    }
    prefix.begin = pos;
    pos = SkipDigits(text, pos);
    prefix.integerDigits = pos - prefix.begin;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t afterDot = SkipDigits(text, pos + 1);
        prefix.fractionDigits = afterDot - (pos + 1);
        pos = afterDot;
    }
    if (prefix.integerDigits + prefix.fractionDigits == 0)
        return false;
    prefix.end = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        // "1e" and "1e+" end before the "e": an exponent needs a digit.
        if (exponentEnd > exponent)
            prefix.end = exponentEnd;
    }
    return true;
}

} // namespace

double TextToNumber(std::string_view text)
{
    NumberPrefix prefix;
    if (!ScanNumber(text, prefix))
        return 0.0;

    // The scan has already applied the rules; fast_float converts exactly
    // the digits it accepted, with correct rounding, and does so the same
    // way with every standard library (libc++ before 20 and emscripten's
    // have no floating-point std::from_chars). A magnitude too large for a
    // double comes back as infinity, one too small as 0 or a subnormal.
    const char* first = text.data() + prefix.begin;
    const char* last = text.data() + prefix.end;
    double magnitude = 0.0;
    const auto [ptr, ec] = fast_float::from_chars(first, last, magnitude, fast_float::chars_format::general);
    if (ec != std::errc() || ptr != last) {
        // Cannot happen for a prefix that the scan accepted.
        throw FloatingPointError();
    }
    if (!std::isfinite(magnitude))
        throw OverflowError();
    return prefix.negative ? -magnitude : magnitude;
}

std::string IntegerToText(std::int16_t value)
{
    std::array<char, 8> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec; // six characters always fit
    return std::string(buffer.data(), end);
}

} // namespace trezolin
