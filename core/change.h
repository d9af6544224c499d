// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One change of the cube: every vertex takes the rounded mean of its three
// neighbours, all eight computed from the values before the change, and the
// log gets one line.

#include "core/cube.h"
#include "core/rounding.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trezolin {

// What a log line begins with, in the program's own language.
inline constexpr std::string_view kLogHeader = "Проверявате опит: ";

// Everything a change reads and writes. The window keeps one and shows it.
struct CubeState {
    // The current value of each vertex as text; read as numbers by a change,
    // so any text is allowed ("" and "abc" count as 0).
    std::array<std::string, kVertexCount> vertexTexts;
    // The values before the latest change, entry i for vertex i.
    std::vector<std::string> previousValues;
    // The values after the latest change, entry i for vertex i.
    std::vector<std::string> currentValues;
    RoundingMethod method = RoundingMethod::Round;
    // The change log, CR LF after every line; only ever appended to by a change.
    std::string log;
    // The number of changes since the latest start.
    std::int16_t changeCount = 0;
    // What each log line begins with: the Bulgarian header, or its
    // translation (text that outlives the state).
    std::string_view logHeader = kLogHeader;
};

inline constexpr std::string_view kLogLineEnd = "\r\n";

// Carries out one change and appends
//   "<logHeader><changeCount>: <A>  <B>  ...  <H>  \r\n"
// to the log. Throws OverflowError when a neighbour sum leaves the 16-bit
// range (or a text holds a number too large for a double) and
// FloatingPointError when a sum is not finite. It then stops at once and
// leaves: previousValues already copied, currentValues with the new values of
// the vertices before the failing one, vertex texts and log untouched.
void ApplyChange(CubeState& state);

} // namespace trezolin
