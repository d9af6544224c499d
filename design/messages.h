// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window tells the user when a command stops with an error: a
// message box titled with the window's title, holding one of these sentences.
// And what a screen reader says unasked after a start.

#include "design/names.h"  // ErrorKindName, which keys these sentences
#include "runtime/errors.h"

#include <string_view>

namespace trezolin::design {

// The sentence for an error of this kind; empty for ErrorKind::None.
[[nodiscard]] constexpr std::string_view ErrorMessage(ErrorKind kind) noexcept
{
    switch (kind) {
    case ErrorKind::None: return {};
    case ErrorKind::Overflow: return "Препълване: числото е извън допустимия обхват.";
    case ErrorKind::FloatingPoint: return "Грешка при изчисление с плаваща запетая.";
    case ErrorKind::Unexpected: break;
    }
    return "Неочаквана грешка: командата не беше изпълнена докрай.";
}

// The message box's one button.
inline constexpr std::string_view kMessageButton = "OK";

// What the page says where the computation cannot even start (too old a
// browser): written into the page when it is put together.
inline constexpr std::string_view kLoadFailure =
    "Trezolin не може да се стартира в този браузър. Опитайте с по-нов браузър.";

// What a screen reader says after a start: "{}" stands for the eight start
// values in vertex order, each followed by kAnnouncedValueSeparator but the last.
inline constexpr std::string_view kStartAnnouncement = "Ново начало, стойности от A до H: {}.";
inline constexpr std::string_view kAnnouncedValueSeparator = ", ";

} // namespace trezolin::design
