// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Properties of many runs from random start values: the values stay within
// their start range and every run settles into repeating lines.

#include "core/change.h"
#include "core/start.h"
#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <string>

namespace trezolin {
namespace {

using Values = std::array<int, kVertexCount>;

Values Read(const CubeState& state)
{
    Values values{};
    for (int i = 0; i < kVertexCount; ++i)
        values[i] = std::stoi(state.vertexTexts[i]);
    return values;
}

TEST(CubePropertiesTest, TenThousandRunsPerMethodStayInRangeAndRepeat)
{
    constexpr int kRuns = 10'000;
    constexpr int kChanges = 200;
    const struct {
        RoundingMethod method;
        const char* name;
    } methods[] = {{RoundingMethod::Round, "Round"}, {RoundingMethod::Int, "Int"}, {RoundingMethod::Fix, "Fix"}};

    for (const auto& m : methods) {
        SeededRandomSource random(20261209);
        int longestTransient = 0;
        int longestPeriod = 0;
        std::map<int, int> periods;  // period -> runs
        for (int run = 0; run < kRuns; ++run) {
            CubeState state;
            std::array<std::string, kVertexCount> startTexts;
            GenerateStartValues(state, startTexts, random);
            state.method = m.method;

            Values values = Read(state);
            std::map<Values, int> seen{{values, 0}};
            int transient = -1;
            int period = 0;
            for (int n = 1; n <= kChanges; ++n) {
                const auto [low, high] = std::minmax_element(values.begin(), values.end());
                const int lowest = *low;
                const int highest = *high;
                ApplyChange(state);
                state.log.clear();
                values = Read(state);
                for (int v : values) {
                    ASSERT_GE(v, lowest) << m.name << " run " << run << " change " << n;
                    ASSERT_LE(v, highest) << m.name << " run " << run << " change " << n;
                    ASSERT_GE(v, -98);
                    ASSERT_LE(v, 0);
                }
                if (transient < 0) {
                    const auto [it, inserted] = seen.emplace(values, n);
                    if (!inserted) {
                        transient = it->second;
                        period = n - it->second;
                    }
                }
            }
            ASSERT_GE(transient, 0) << m.name << " run " << run << " does not repeat within " << kChanges;
            longestTransient = std::max(longestTransient, transient);
            longestPeriod = std::max(longestPeriod, period);
            ++periods[period];
        }
        std::string periodCounts;
        for (const auto& [period, runs] : periods)
            periodCounts += " period " + std::to_string(period) + ": " + std::to_string(runs) + " runs;";
        std::cout << m.name << ": longest transient " << longestTransient << " changes, longest period "
                  << longestPeriod << ";" << periodCounts << '\n';
        ::testing::Test::RecordProperty(std::string(m.name) + "_longest_transient", longestTransient);
        ::testing::Test::RecordProperty(std::string(m.name) + "_longest_period", longestPeriod);
        // Every run alternates or stands still once it repeats.
        EXPECT_LE(longestPeriod, 2) << m.name;
    }
}

} // namespace
} // namespace trezolin
