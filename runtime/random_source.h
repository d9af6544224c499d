// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The random source of the start values: single-precision numbers r with
// 0 <= r < 1. The program seeds it from the clock; tests give it a seed or a
// list of numbers to replay.

#include <cstdint>
#include <random>
#include <vector>

namespace trezolin {

class RandomSource {
public:
    virtual ~RandomSource() = default;

    // The next number, at least 0 and below 1.
    [[nodiscard]] virtual float Next() = 0;
};

// A Mersenne Twister; the same seed gives the same sequence on every machine.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed);

    // Seeded from the clock, so that every run of the program differs.
    [[nodiscard]] static SeededRandomSource FromClock();

    [[nodiscard]] float Next() override;

private:
    std::mt19937 engine_;
};

// Gives the numbers it was made with, in order; throws std::out_of_range
// when asked for more.
class ReplayRandomSource final : public RandomSource {
public:
    explicit ReplayRandomSource(std::vector<float> numbers);

    [[nodiscard]] float Next() override;

    [[nodiscard]] std::size_t Drawn() const noexcept { return next_; }

private:
    std::vector<float> numbers_;
    std::size_t next_ = 0;
};

} // namespace trezolin
