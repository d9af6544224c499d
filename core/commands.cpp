// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/commands.h"

#include "core/start.h"
#include "runtime/numeric.h"

namespace trezolin {

void StartCommand(CubeState& state, std::array<std::string, kVertexCount>& startTexts,
                  RandomSource& random)
{
    GenerateStartValues(state, startTexts, random);
    state.previousValues.clear();
    state.changeCount = 0;
    state.log.clear();
}

void CheckCommand(CubeState& state)
{
    state.changeCount = IncrementInt16(state.changeCount);
    ApplyChange(state);
}

} // namespace trezolin
