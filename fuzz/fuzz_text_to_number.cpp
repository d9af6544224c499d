// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Text to number against a slow reference of the same rule: a regular
// expression finds the leading number, strtod (in the "C" locale that a
// fuzz target runs in) converts it.

#include "runtime/errors.h"
#include "runtime/text.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

struct Reference {
    double value = 0.0;
    bool overflow = false;
    bool tiny = false;  // below the normal range: 0 or a subnormal are both right
};

Reference Read(const std::string& text)
{
    static const std::regex number(R"(^[ \t\r\n]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    std::smatch match;
    Reference r;
    if (!std::regex_search(text, match, number))
        return r;
    std::string prefix = match.str(0);
    errno = 0;
    r.value = std::strtod(prefix.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(r.value))
        r.overflow = true;
    r.tiny = std::fabs(r.value) < DBL_MIN;
    return r;
}

[[noreturn]] void Fail(const std::string& text, const char* what, double ours, double expected)
{
    std::fprintf(stderr, "text \"%s\": %s (ours %.17g, reference %.17g)\n", text.c_str(), what, ours,
                 expected);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Reference expected = Read(text);
    double ours = 0.0;
    try {
        ours = trezolin::TextToNumber(text);
    } catch (const trezolin::OverflowError&) {
        if (!expected.overflow)
            Fail(text, "overflow raised for a number that fits a double", 0.0, expected.value);
        return 0;
    }
    if (expected.overflow)
        Fail(text, "no overflow for a number too large for a double", ours, expected.value);
    if (expected.tiny) {
        if (ours != 0.0 && ours != expected.value)
            Fail(text, "a number below the normal range read wrongly", ours, expected.value);
        return 0;
    }
    if (ours != expected.value || std::signbit(ours) != std::signbit(expected.value))
        Fail(text, "value differs", ours, expected.value);
    return 0;
}
