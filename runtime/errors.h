#pragma once

// The errors that the computation can raise. The window catches them at the
// command handler, tells the user in a message box and keeps running; what()
// is that message, in Bulgarian.

#include <stdexcept>
#include <string_view>

namespace trezolin {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole number does not fit the integer type it is converted to, or a
// counter is stepped past its largest value.
class OverflowError : public Error {
public:
    OverflowError() : Error("Препълване: числото е извън допустимия обхват.") {}
};

// A floating-point step gave an invalid result, divided by zero or overflowed.
class FloatingPointError : public Error {
public:
    FloatingPointError() : Error("Грешка при изчисление с плаваща запетая.") {}
};

// An operation on one of the window's controls could not be carried out.
class ControlCallError : public Error {
public:
    ControlCallError() : Error("Неуспешно обръщение към елемент на прозореца.") {}
};

// What the user is told when a command fails in a way that none of the
// errors above describes.
inline constexpr std::string_view kUnexpectedErrorMessage =
    "Неочаквана грешка: командата не беше изпълнена докрай.";

} // namespace trezolin
