// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_tick_timer.h"

#include <utility>

QtTickTimer::QtTickTimer(std::function<void()> onTimer)
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTimer));
}

void QtTickTimer::SetInterval(std::int32_t milliseconds)
{
    interval_ = milliseconds;
    apply();
}

void QtTickTimer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    apply();
}

void QtTickTimer::apply()
{
    // An interval of zero or less raises no events, even while enabled.
    if (enabled_ && interval_ > 0) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}
