// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/start.h"

#include "runtime/numeric.h"
#include "runtime/random_source.h"
#include "runtime/text.h"

#include <cstdint>

namespace trezolin {

CellValue StartValue(float r)
{
    // The product is formed in double, not rounded back to float, so that
    // r = 0.0625 gives exactly 62.5 and then the even 62.
    constexpr float factor = 1000.0f;
    const double scaled = CheckFloatingPoint(static_cast<double>(r) * static_cast<double>(factor));
    const std::int32_t k = RoundToInt32(scaled);
    return NarrowToInt16(-(k % 99));
}

void GenerateStartValues(CubeState& state, std::array<std::string, kVertexCount>& startTexts,
                         RandomSource& random)
{
    state.log.clear();
    for (VertexIndex i = 0; i < kVertexCount; ++i) {
        const std::string text = IntegerToText(StartValue(random.Next()));
        startTexts[i] = text;
        state.vertexTexts[i] = text;
    }
}

} // namespace trezolin
