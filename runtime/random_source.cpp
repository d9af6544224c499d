// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/random_source.h"

#include <chrono>
#include <stdexcept>
#include <utility>

namespace trezolin {

SeededRandomSource::SeededRandomSource(std::uint32_t seed) : engine_(seed) {}

SeededRandomSource SeededRandomSource::FromClock()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return SeededRandomSource(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

float SeededRandomSource::Next()
{
    // The top 24 bits of a draw, scaled by 2^-24: every float in [0, 1) that
    // this can give is exact, and 1.0 is out of reach (generate_canonical
    // can round up to exactly 1.0).
    return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}

ReplayRandomSource::ReplayRandomSource(std::vector<float> numbers) : numbers_(std::move(numbers)) {}

float ReplayRandomSource::Next()
{
    if (next_ >= numbers_.size())
        throw std::out_of_range("ReplayRandomSource: no numbers left");
    return numbers_[next_++];
}

} // namespace trezolin
