#include "core/change.h"

#include "runtime/numeric.h"
#include "runtime/text.h"

#include <cstddef>
#include <utility>

namespace trezolin {

namespace {

void KeepPreviousValues(CubeState& state)
{
    // Right after a start the list of previous values is empty and fills up
    // here in vertex order. An entry missing from the current values (the
    // first change after the program starts) counts as empty text.
    for (std::size_t i = 0; i < kVertexCount; ++i) {
        std::string value = i < state.currentValues.size() ? state.currentValues[i] : std::string();
        if (i < state.previousValues.size())
            state.previousValues[i] = std::move(value);
        else
            state.previousValues.push_back(std::move(value));
    }
}

CellValue NewValue(const CubeState& state, VertexIndex i)
{
    const VertexNeighbours n = CubeNeighbours(i);
    const double previous = TextToNumber(state.vertexTexts[n.previousOnFace]);
    const double other = TextToNumber(state.vertexTexts[n.otherFace]);
    const double next = TextToNumber(state.vertexTexts[n.nextOnFace]);
    const double sum = CheckFloatingPoint((next + previous) + other);
    return RoundThird(RoundToInt16(sum), state.method);
}

} // namespace

void ApplyChange(CubeState& state)
{
    KeepPreviousValues(state);
    state.currentValues.clear();

    // Only the vertex texts are read and only the list is written, so every
    // new value comes from the values as they stood before the change.
    for (VertexIndex i = 0; i < kVertexCount; ++i)
        state.currentValues.push_back(IntegerToText(NewValue(state, i)));

    state.log += kLogHeader;
    state.log += IntegerToText(state.changeCount);
    state.log += ": ";
    for (std::size_t i = 0; i < kVertexCount; ++i) {
        state.vertexTexts[i] = state.currentValues[i];
        state.log += state.vertexTexts[i];
        state.log += "  ";
    }
    state.log += kLogLineEnd;
}

} // namespace trezolin
