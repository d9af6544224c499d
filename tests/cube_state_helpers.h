#pragma once

// Helpers for tests that build a cube state from plain values.

#include "core/change.h"
#include "runtime/text.h"

#include <array>
#include <cstdint>
#include <string>

namespace trezolin::testing {

inline std::array<std::string, kVertexCount> Texts(const std::array<int, kVertexCount>& values)
{
    std::array<std::string, kVertexCount> texts;
    for (int i = 0; i < kVertexCount; ++i)
        texts[i] = std::to_string(values[i]);
    return texts;
}

// The log line that a change with this number and these values appends.
inline std::string LogLine(int number, const std::array<int, kVertexCount>& values)
{
    std::string line = "Проверявате опит: " + std::to_string(number) + ": ";
    for (int v : values)
        line += std::to_string(v) + "  ";
    return line + "\r\n";
}

} // namespace trezolin::testing
