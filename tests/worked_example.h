// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the tests compare against: the log line a change appends, and the
// worked example of the help text, written out once for every suite.

#include "core/cube.h"

#include <array>
#include <string>
#include <vector>

namespace trezolin::testing {

using Values = std::array<int, kVertexCount>;

// The example's start values, A to H.
inline const Values kExampleStart = {-43, -83, -41, -25, -73, -59, -19, -32};

// Draws that give those start values: k = r * 1000 rounded is 439 -> 43,
// 479 -> 83, 437 -> 41, 421 -> 25, 469 -> 73, 455 -> 59, 415 -> 19, 428 -> 32.
inline const std::vector<float> kExampleDraws = {0.439f, 0.479f, 0.437f, 0.421f,
                                                 0.469f, 0.455f, 0.415f, 0.428f};

// The values after changes 1 to 7 by Round; from the fourth on two rows alternate.
inline const std::array<Values, 7> kExampleRoundRows = {{
    {-60, -48, -42, -39, -45, -58, -44, -39},
    {-44, -53, -44, -47, -52, -46, -46, -43},
    {-51, -45, -49, -44, -44, -50, -44, -48},
    {-44, -50, -44, -49, -50, -44, -49, -44},
    {-50, -44, -49, -44, -44, -50, -44, -49},
    {-44, -50, -44, -49, -50, -44, -49, -44},
    {-50, -44, -49, -44, -44, -50, -44, -49},
}};

// The first change by Int and by Fix from the same start values.
inline const Values kExampleIntFirstRow = {-61, -48, -43, -39, -45, -59, -44, -39};
inline const Values kExampleFixFirstRow = {-60, -47, -42, -38, -44, -58, -44, -39};

inline std::array<std::string, kVertexCount> Texts(const Values& values)
{
    std::array<std::string, kVertexCount> texts;
    for (int i = 0; i < kVertexCount; ++i)
        texts[i] = std::to_string(values[i]);
    return texts;
}

// The log line that a change with this number and these values appends,
// under the header of the pupil's language.
inline std::string LogLine(int number, const Values& values, std::string_view header = "Проверявате опит: ")
{
    std::string line = std::string(header) + std::to_string(number) + ": ";
    for (int v : values)
        line += std::to_string(v) + "  ";
    return line + "\r\n";
}

} // namespace trezolin::testing
