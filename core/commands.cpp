#include "core/commands.h"

#include "core/start.h"
#include "runtime/errors.h"
#include "runtime/numeric.h"

#include <exception>

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

CommandOutcome RunCommand(int index, RoundingMethod method, CubeState& state,
                          std::array<std::string, kVertexCount>& startTexts, RandomSource& random)
{
    CommandOutcome outcome;
    try {
        switch (index) {
        case kStartButton:
            // The log is emptied first thing, so it counts as replaced even if the start fails.
            outcome.log = LogChange::Replaced;
            StartCommand(state, startTexts, random);
            break;
        case kCheckButton:
            state.method = method;
            CheckCommand(state);
            break;
        default:
            break;
        }
    } catch (const Error& error) {
        outcome.error = error.what();
    } catch (...) {
        outcome.error = kUnexpectedErrorMessage;
    }
    return outcome;
}

} // namespace trezolin
