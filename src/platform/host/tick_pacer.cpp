// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tick_pacer.h"

#include <algorithm>
#include <cmath>
#include <utility>

void TickPacer::start(std::chrono::milliseconds interval, TimePoint now)
{
    interval_ = interval;
    next_ = now + interval_;
    running_ = interval_.count() > 0;
}

void TickPacer::stop()
{
    running_ = false;
}

long TickPacer::takeDue(TimePoint now, std::chrono::nanoseconds gap)
{
    if (!running_ || now < next_) {
        return 0;
    }
    const auto late = now - next_;
    if (late > kMaxCatchUp + gap) {
        next_ = now + interval_;
        return static_cast<long>(std::chrono::nanoseconds(kMaxCatchUp) / interval_);
    }
    const long due = static_cast<long>(late / interval_) + 1;
    next_ += due * interval_;
    return due;
}

std::chrono::milliseconds frameInterval(double refreshHz)
{
    constexpr double kMaxFramesPerSecond = 25.0;
    const double hz = refreshHz > 0 ? std::min(refreshHz, kMaxFramesPerSecond) : kMaxFramesPerSecond;
    return std::chrono::milliseconds(std::lround(1000.0 / hz));
}

PacedTickTimer::PacedTickTimer(FrameWakeup& wakeup, std::function<void()> onTimer, Clock clock)
    : wakeup_(wakeup), onTimer_(std::move(onTimer)), clock_(std::move(clock))
{
}

void PacedTickTimer::SetInterval(std::int32_t milliseconds)
{
    interval_ = milliseconds;
    apply();
}

void PacedTickTimer::SetEnabled(bool enabled)
{
    // Enabling a running timer changes nothing, as writing the same value should not.
    if (enabled != enabled_) {
        enabled_ = enabled;
        apply();
    }
}

void PacedTickTimer::apply()
{
    const bool wasRunning = pacer_.running();
    if (enabled_ && interval_ > 0) {
        pacer_.start(std::chrono::milliseconds(interval_), clock_());
    } else {
        pacer_.stop();
    }
    if (pacer_.running() != wasRunning) {
        if (pacer_.running()) {
            wakeup_.startWakeups();
        } else {
            wakeup_.stopWakeups();
        }
    }
}

void PacedTickTimer::runDue()
{
    for (long due = pacer_.takeDue(clock_(), gap_); due > 0 && pacer_.running(); --due) {
        ++ticksRaised_;
        onTimer_();
    }
}
