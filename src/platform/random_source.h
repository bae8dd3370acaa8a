// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Uniform random numbers for the painter.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Next number, uniform, 0 <= r < 1: never 1, so floor(n * r) < n.
    virtual float rtcRandomNext() = 0;
    // Reseeds the generator from the clock.
    virtual void rtcRandomize() = 0;
};
