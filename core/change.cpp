// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/change.h"

#include "runtime/errors.h"
#include "runtime/numeric.h"
#include "runtime/text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <string_view>
#include <utility>

namespace trezolin {

namespace {

void KeepPreviousValues(CubeState& state)
{
    // Right after a start the list of previous values is empty and fills up
    // here in vertex order. An entry missing from the current values (the
    // first change after the program starts) counts as empty text. The
    // current values are cleared next, so their texts can be moved.
    for (std::size_t i = 0; i < kVertexCount; ++i) {
        std::string value = i < state.currentValues.size() ? std::move(state.currentValues[i]) : std::string();
        if (i < state.previousValues.size())
            state.previousValues[i] = std::move(value);
        else
            state.previousValues.push_back(std::move(value));
    }
}

// A vertex text read as a number, or the error that reading it raised. Each
// text is read once; the error is raised at the first vertex that needs the
// value, exactly where reading it there would have raised it.
struct VertexReading {
    double value = 0.0;
    std::exception_ptr error;

    double Get() const
    {
        if (error)
            std::rethrow_exception(error);
        return value;
    }
};

std::array<VertexReading, kVertexCount> ReadVertices(const CubeState& state)
{
    std::array<VertexReading, kVertexCount> readings;
    for (std::size_t i = 0; i < kVertexCount; ++i) {
        try {
            readings[i].value = TextToNumber(state.vertexTexts[i]);
        } catch (const Error&) {
            readings[i].error = std::current_exception();
        }
    }
    return readings;
}

CellValue NewValue(const std::array<VertexReading, kVertexCount>& readings, RoundingMethod method,
                   VertexIndex i)
{
    const VertexNeighbours n = CubeNeighbours(i);
    // Read in this order, so that of two faulty texts the same one reports.
    const double previous = readings[n.previousOnFace].Get();
    const double other = readings[n.otherFace].Get();
    const double next = readings[n.nextOnFace].Get();
    const double sum = CheckFloatingPoint((next + previous) + other);
    return RoundThird(RoundToInt16(sum), method);
}

} // namespace

void ApplyChange(CubeState& state)
{
    KeepPreviousValues(state);
    state.currentValues.clear();

    // Only the vertex texts are read and only the list is written, so every
    // new value comes from the values as they stood before the change.
    const auto readings = ReadVertices(state);
    for (VertexIndex i = 0; i < kVertexCount; ++i)
        state.currentValues.push_back(IntegerToText(NewValue(readings, state.method, i)));

    // The line after its header is put together on the stack; room for the
    // whole line is made first, so that the log only ever gains whole lines.
    constexpr std::size_t kLongestNumber = 6;  // "-32768"
    std::array<char, kLongestNumber + 2 + kVertexCount * (kLongestNumber + 2) + kLogLineEnd.size()> line;
    char* end = line.data();
    const auto put = [&end](std::string_view piece) { end = std::copy(piece.begin(), piece.end(), end); };
    put(IntegerToText(state.changeCount));
    put(": ");
    for (std::size_t i = 0; i < kVertexCount; ++i) {
        state.vertexTexts[i] = state.currentValues[i];
        put(state.vertexTexts[i]);
        put("  ");
    }
    put(kLogLineEnd);
    // Grown by doubling, as appending alone would: reserve() by the exact
    // size reallocates on every line in some standard libraries.
    const std::size_t needed = state.log.size() + state.logHeader.size() + static_cast<std::size_t>(end - line.data());
    if (needed > state.log.capacity())
        state.log.reserve(std::max(needed, 2 * state.log.capacity()));
    state.log.append(state.logHeader);
    state.log.append(line.data(), end);
}

} // namespace trezolin
