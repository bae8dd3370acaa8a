// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock_random_source.h"

#include <chrono>
#include <utility>

std::uint64_t ClockRandomSource::steadyNanoseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

ClockRandomSource::ClockRandomSource(Clock clock) : clock_(std::move(clock))
{
    rtcRandomize();
}

float ClockRandomSource::unitFloat(std::uint32_t bits)
{
    constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(bits >> 8) * kTwoToMinus24;
}

float ClockRandomSource::rtcRandomNext()
{
    return unitFloat(static_cast<std::uint32_t>(generator_()));
}

void ClockRandomSource::rtcRandomize()
{
    // Every bit of the clock goes into the seed, so seeds a microsecond apart differ.
    const std::uint64_t t = clock_();
    std::seed_seq seed{static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(t >> 32)};
    generator_.seed(seed);
}
