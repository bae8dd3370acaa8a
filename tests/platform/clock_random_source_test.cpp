// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "clock_random_source.h"

namespace {

std::vector<float> firstNumbers(ClockRandomSource& source, int count = 8)
{
    std::vector<float> numbers;
    for (int i = 0; i < count; ++i) {
        numbers.push_back(source.rtcRandomNext());
    }
    return numbers;
}

TEST(ClockRandomSourceTest, MapsTheGeneratorsExtremesInsideZeroToOne)
{
    EXPECT_EQ(ClockRandomSource::unitFloat(0), 0.0f);
    EXPECT_EQ(ClockRandomSource::unitFloat(0xFFFFFFFFu), std::nextafter(1.0f, 0.0f));
    EXPECT_LT(ClockRandomSource::unitFloat(0xFFFFFFFFu), 1.0f);
    // The largest number still keeps every palette index in range.
    EXPECT_LT(std::floor(6.0f * ClockRandomSource::unitFloat(0xFFFFFFFFu)), 6.0f);
}

TEST(ClockRandomSourceTest, ReseedsFromTheClockSoClosePointsInTimeDiffer)
{
    std::uint64_t now = 1'700'000'000'000'000'000u;
    ClockRandomSource source([&now] { return now; });
    const auto first = firstNumbers(source);

    source.rtcRandomize();
    EXPECT_EQ(firstNumbers(source), first) << "the same instant gives the same sequence";

    now += 1'000'000;  // a millisecond later
    source.rtcRandomize();
    const auto later = firstNumbers(source);
    EXPECT_NE(later, first);

    now += 1;  // and a nanosecond after that
    source.rtcRandomize();
    EXPECT_NE(firstNumbers(source), later);
}

TEST(ClockRandomSourceTest, NumbersAreSpreadOverTheUnitInterval)
{
    std::uint64_t now = 42;
    ClockRandomSource source([&now] { return now; });
    int buckets[10] = {};
    for (int i = 0; i < 100'000; ++i) {
        const float r = source.rtcRandomNext();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ++buckets[static_cast<int>(r * 10)];
    }
    for (int count : buckets) {
        EXPECT_NEAR(count, 10'000, 600);
    }
}

}  // namespace
