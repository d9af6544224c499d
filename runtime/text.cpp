#include "runtime/text.h"

#include "runtime/errors.h"

#include <algorithm>
#include <array>
#include <charconv>
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
    std::size_t exponentBegin = 0;  // first character after "e"; == end when there is no exponent
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
    prefix.exponentBegin = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        // "1e" and "1e+" end before the "e": an exponent needs a digit.
        if (exponentEnd > exponent) {
            prefix.exponentBegin = pos + 1;
            prefix.end = exponentEnd;
        }
    }
    return true;
}

// The decimal exponent E with 10^(E-1) <= |value| < 10^E, for a prefix whose
// digits are not all zero. Saturates far outside the range of a double.
std::int64_t DecimalMagnitude(std::string_view text, const NumberPrefix& prefix)
{
    constexpr std::int64_t saturation = 1'000'000'000;
    std::int64_t exponent = 0;
    if (prefix.exponentBegin < prefix.end) {
        std::size_t pos = prefix.exponentBegin;
        const bool negative = text[pos] == '-';
        if (text[pos] == '+' || text[pos] == '-')
            ++pos;
        for (; pos < prefix.end; ++pos)
            exponent = std::min(saturation, exponent * 10 + (text[pos] - '0'));
        if (negative)
            exponent = -exponent;
    }
    const std::string_view integer = text.substr(prefix.begin, prefix.integerDigits);
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos)
        return exponent + static_cast<std::int64_t>(integer.size() - firstSignificant);
    const std::string_view fraction = text.substr(prefix.begin + prefix.integerDigits + 1,
                                                  prefix.fractionDigits);
    return exponent - static_cast<std::int64_t>(fraction.find_first_not_of('0'));
}

} // namespace

double TextToNumber(std::string_view text)
{
    NumberPrefix prefix;
    if (!ScanNumber(text, prefix))
        return 0.0;

    // The scan has already applied the rules; from_chars converts exactly
    // the digits it accepted, with correct rounding.
    const char* first = text.data() + prefix.begin;
    const char* last = text.data() + prefix.end;
    double magnitude = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (DecimalMagnitude(text, prefix) > 0)
            throw OverflowError();
        magnitude = 0.0;
    } else if (ec != std::errc() || ptr != last) {
        // Cannot happen for a prefix that the scan accepted.
        throw FloatingPointError();
    }
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
