// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the two command buttons do to the state, apart from showing it.

#include "core/change.h"
#include "core/cube.h"

#include <array>
#include <string>

namespace trezolin {

class RandomSource;

// "Начало": new start values in both cubes, the previous values and the
// change count reset, the log emptied. The current values stay as the latest
// change left them, so the first check copies those into the previous values.
void StartCommand(CubeState& state, std::array<std::string, kVertexCount>& startTexts,
                  RandomSource& random);

// "Провери": counts the change, then carries it out. At a change count of
// 32767 it throws OverflowError before anything changes.
void CheckCommand(CubeState& state);

} // namespace trezolin
