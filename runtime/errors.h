// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The errors that the computation can raise. Each has a kind; a command that
// fails reports the kind, and each shell tells the user the sentence that the
// window's description gives for it. what() is for developers, in English.

#include <cstdint>
#include <stdexcept>

namespace trezolin {

enum class ErrorKind : std::uint8_t {
    None,           // the command ran to its end
    Overflow,       // a whole number left its type's range, or the change counter was full
    FloatingPoint,  // a floating-point step was invalid, divided by zero or overflowed
    Unexpected,     // anything else, such as a random source that ran dry
};

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const char* what) : std::runtime_error(what), kind_(kind) {}

    [[nodiscard]] ErrorKind Kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// A whole number does not fit the integer type it is converted to, or a
// counter is stepped past its largest value.
class OverflowError : public Error {
public:
    OverflowError() : Error(ErrorKind::Overflow, "overflow: a whole number is out of its range") {}
};

// A floating-point step gave an invalid result, divided by zero or overflowed.
class FloatingPointError : public Error {
public:
    FloatingPointError() : Error(ErrorKind::FloatingPoint, "floating-point step gave no finite result") {}
};

} // namespace trezolin
