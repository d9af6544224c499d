// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The change step on any state at all: it completes with the values the
// neighbour rule gives, or raises one of the program's errors and leaves
// exactly the partial state it promises.

#include "core/change.h"
#include "runtime/errors.h"
#include "runtime/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using trezolin::CubeState;
using trezolin::kVertexCount;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

enum class Outcome { Done, Overflow, FloatingPoint };

struct Expected {
    Outcome outcome = Outcome::Done;
    std::vector<std::string> values;  // the new values, up to the failing vertex
};

// The rule written out plainly, with the default rounding mode's nearbyint
// for half-to-even and the C library's floor and trunc.
Expected Reference(const CubeState& state)
{
    static constexpr int kNeighbours[8][3] = {{1, 3, 4}, {2, 0, 5}, {3, 1, 6}, {0, 2, 7},
                                              {5, 7, 0}, {6, 4, 1}, {7, 5, 2}, {4, 6, 3}};
    Expected e;
    for (int i = 0; i < kVertexCount; ++i) {
        const int next = kNeighbours[i][0], previous = kNeighbours[i][1], other = kNeighbours[i][2];
        double v[8] = {};
        for (int j : {previous, other, next}) {
            try {
                v[j] = trezolin::TextToNumber(state.vertexTexts[j]);
            } catch (const trezolin::OverflowError&) {
                e.outcome = Outcome::Overflow;
                return e;
            }
        }
        const double sum = (v[next] + v[previous]) + v[other];
        if (!std::isfinite(sum)) {
            e.outcome = Outcome::FloatingPoint;
            return e;
        }
        const double whole = std::nearbyint(sum);
        if (whole < -32768.0 || whole > 32767.0) {
            e.outcome = Outcome::Overflow;
            return e;
        }
        const double third = whole / 3.0;
        long value = 0;
        switch (static_cast<int>(state.method)) {
        case 0: value = std::lrint(third); break;
        case 1: value = static_cast<long>(std::floor(third)); break;
        case 2: value = static_cast<long>(std::trunc(third)); break;
        default: break;
        }
        e.values.push_back(std::to_string(value));
    }
    return e;
}

// A state of any content, as no pupil could make it: every text, list and
// number taken from the fuzzer's bytes.
CubeState FuzzedState(FuzzedDataProvider& in)
{
    CubeState state;
    for (auto& text : state.vertexTexts)
        text = in.ConsumeRandomLengthString(24);
    state.previousValues.resize(in.ConsumeIntegralInRange<std::size_t>(0, 12));
    for (auto& text : state.previousValues)
        text = in.ConsumeRandomLengthString(8);
    state.currentValues.resize(in.ConsumeIntegralInRange<std::size_t>(0, 12));
    for (auto& text : state.currentValues)
        text = in.ConsumeRandomLengthString(8);
    state.method = static_cast<trezolin::RoundingMethod>(in.ConsumeIntegral<int>());
    state.changeCount = in.ConsumeIntegral<std::int16_t>();
    state.log = in.ConsumeRandomLengthString(64);
    return state;
}

// The previous values after the first stage, whatever follows: the current
// values moved over, the list grown to eight where it was shorter.
std::vector<std::string> KeptValues(const CubeState& before)
{
    std::vector<std::string> kept = before.previousValues;
    for (std::size_t i = 0; i < kVertexCount; ++i) {
        const std::string value = i < before.currentValues.size() ? before.currentValues[i] : std::string();
        if (i < kept.size())
            kept[i] = value;
        else
            kept.push_back(value);
    }
    return kept;
}

Outcome ApplyAndCatch(CubeState& state)
{
    try {
        trezolin::ApplyChange(state);
    } catch (const trezolin::OverflowError&) {
        return Outcome::Overflow;
    } catch (const trezolin::FloatingPointError&) {
        return Outcome::FloatingPoint;
    }
    return Outcome::Done;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    CubeState state = FuzzedState(in);
    const CubeState before = state;
    const Expected expected = Reference(before);
    const Outcome outcome = ApplyAndCatch(state);

    Require(outcome == expected.outcome, "the outcome differs from the reference");
    Require(state.previousValues == KeptValues(before), "the previous values were not kept as they stood");
    Require(state.currentValues == expected.values, "the new values differ from the reference");
    Require(state.method == before.method && state.changeCount == before.changeCount,
            "the method or the change count changed");
    if (outcome != Outcome::Done) {
        Require(state.vertexTexts == before.vertexTexts, "a failed change touched the vertex texts");
        Require(state.log == before.log, "a failed change touched the log");
        return 0;
    }
    std::string line = "Проверявате опит: " + std::to_string(before.changeCount) + ": ";
    for (int i = 0; i < kVertexCount; ++i) {
        Require(state.vertexTexts[i] == expected.values[i], "a vertex text is not its new value");
        line += expected.values[i] + "  ";
    }
    Require(state.log == before.log + line + "\r\n", "the log line is wrong");
    return 0;
}
