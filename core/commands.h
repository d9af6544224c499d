#pragma once

// What the two command buttons do to the state, apart from showing it.

#include "core/change.h"
#include "core/cube.h"

#include <array>
#include <string>
#include <string_view>

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

// What a command did to the log, so that a shell knows how to show it
// without comparing texts: a check only ever appends, a start replaces it.
enum class LogChange { Appended, Replaced };

struct CommandOutcome {
    LogChange log = LogChange::Appended;
    // Empty when the command ran to its end; otherwise what to tell the user.
    // Nothing is rolled back: the state holds what the command did before it stopped.
    std::string error;
};

inline constexpr int kStartButton = 0;
inline constexpr int kCheckButton = 1;

// The command button with this index: kStartButton runs StartCommand,
// kCheckButton runs CheckCommand by the given method, any other index does
// nothing. Every exception of the command is caught and becomes the
// outcome's error: the Bulgarian message of an Error, a general one otherwise.
[[nodiscard]] CommandOutcome RunCommand(int index, RoundingMethod method, CubeState& state,
                                        std::array<std::string, kVertexCount>& startTexts,
                                        RandomSource& random);

} // namespace trezolin
