// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "random_source.h"

// Mersenne Twister numbers with 24 random bits each, reseeded from a clock.
class ClockRandomSource : public RandomSource {
public:
    using Clock = std::function<std::uint64_t()>;

    // Nanoseconds of a steady high-resolution clock.
    static std::uint64_t steadyNanoseconds();

    explicit ClockRandomSource(Clock clock = &steadyNanoseconds);

    float rtcRandomNext() override;
    void rtcRandomize() override;

    // Maps 32 random bits to a float in [0, 1): the top 24 bits over 2^24, so
    // the largest result is the largest float below 1, never 1 itself.
    static float unitFloat(std::uint32_t bits);

private:
    Clock clock_;
    std::mt19937 generator_;
};
