// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "tick_timer.h"

// Which ticks of a running timer have fallen due. Tick k is due one
// interval after tick k - 1, counted on a steady clock from the start; the
// first is due one interval after it.
class TickPacer {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // The longest lateness made up: after a stall (a suspend, a frozen
    // machine) longer than this, only this much is replayed and the ticks go
    // on from the moment the stall ended.
    static constexpr std::chrono::milliseconds kMaxCatchUp{1000};

    void start(std::chrono::milliseconds interval, TimePoint now);
    void stop();
    bool running() const { return running_; }

    // How many ticks have fallen due by now that were not taken before. The
    // takes are meant to come `gap` apart: only lateness beyond that is a stall.
    long takeDue(TimePoint now, std::chrono::nanoseconds gap = {});

private:
    std::chrono::nanoseconds interval_{0};
    TimePoint next_{};
    bool running_ = false;
};

// Frames: no more often than the screen refreshes, and at most 25 a second,
// the pace of broadcast video. Dots pop in rather than move, so a faster
// pace shows nothing more and only costs wake-ups. A refresh rate of zero
// or less means unknown.
std::chrono::milliseconds frameInterval(double refreshHz);

// What wakes the program to run the ticks that fell due.
class FrameWakeup {
public:
    virtual ~FrameWakeup() = default;
    virtual void startWakeups() = 0;
    virtual void stopWakeups() = 0;
};

// The timer of the form: its ticks are run at the wake-ups, every tick that
// has fallen due in order, and before any other event is delivered (runDue).
// While disabled nothing of it runs, not even the wake-ups.
class PacedTickTimer : public TickTimer {
public:
    using Clock = std::function<TickPacer::TimePoint()>;

    PacedTickTimer(FrameWakeup& wakeup, std::function<void()> onTimer, Clock clock = &std::chrono::steady_clock::now);

    // Interval in milliseconds; zero or less raises no events. Written while
    // enabled, the count starts again from now.
    void SetInterval(std::int32_t milliseconds) override;
    std::int32_t Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }

    // Raises the Timer event of every tick due by now, in order.
    void runDue();
    // How far apart the wake-ups are meant to come, which a stall exceeds.
    void setWakeupGap(std::chrono::milliseconds gap) { gap_ = gap; }
    // Whether the wake-ups are on.
    bool ticking() const { return pacer_.running(); }
    // How many Timer events it has raised, for the benchmarks.
    long ticksRaised() const { return ticksRaised_; }

private:
    void apply();

    FrameWakeup& wakeup_;
    std::function<void()> onTimer_;
    Clock clock_;
    TickPacer pacer_;
    std::chrono::milliseconds gap_{0};
    std::int32_t interval_ = 0;
    bool enabled_ = false;
    long ticksRaised_ = 0;
};
