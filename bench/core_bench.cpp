// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/change.h"
#include "core/start.h"
#include "runtime/random_source.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace trezolin {
namespace {

void BM_ApplyChange(benchmark::State& s)
{
    CubeState state;
    std::array<std::string, kVertexCount> startTexts;
    SeededRandomSource random(1);
    GenerateStartValues(state, startTexts, random);
    int sinceReset = 0;
    for (auto _ : s) {
        ApplyChange(state);
        benchmark::DoNotOptimize(state.log.data());
        // Keep the log short enough that its growth does not decide the figure.
        if (++sinceReset == 1000) {
            s.PauseTiming();
            state.log.clear();
            sinceReset = 0;
            s.ResumeTiming();
        }
    }
}
BENCHMARK(BM_ApplyChange);

void BM_GenerateStartValues(benchmark::State& s)
{
    CubeState state;
    std::array<std::string, kVertexCount> startTexts;
    SeededRandomSource random(1);
    for (auto _ : s) {
        GenerateStartValues(state, startTexts, random);
        benchmark::DoNotOptimize(startTexts.data());
    }
}
BENCHMARK(BM_GenerateStartValues);

} // namespace
} // namespace trezolin
