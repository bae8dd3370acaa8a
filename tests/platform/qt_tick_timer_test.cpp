// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QTest>

#include "qt_tick_timer.h"

namespace {

TEST(QtTickTimerTest, TicksOnlyWhileEnabledWithAPositiveInterval)
{
    int ticks = 0;
    QtTickTimer timer([&ticks] { ++ticks; });
    EXPECT_FALSE(timer.Enabled());

    // Enabled with no interval yet, or a zero or negative one: no ticks.
    for (std::int32_t interval : {0, -5}) {
        timer.SetInterval(interval);
        timer.SetEnabled(true);
        EXPECT_TRUE(timer.Enabled());
        EXPECT_FALSE(timer.ticking());
        timer.SetEnabled(false);
    }

    timer.SetInterval(5);
    EXPECT_FALSE(timer.ticking()) << "an interval alone does not start it";
    timer.SetEnabled(true);
    EXPECT_EQ(timer.Interval(), 5);
    ASSERT_TRUE(QTest::qWaitFor([&ticks] { return ticks >= 3; }, 2000));

    timer.SetEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
}

}  // namespace
