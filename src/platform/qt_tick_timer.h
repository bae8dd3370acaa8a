// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>
#include <functional>

#include "tick_timer.h"

// TickTimer over a precise QTimer. Ticks that come late are not made up.
class QtTickTimer : public TickTimer {
public:
    explicit QtTickTimer(std::function<void()> onTimer);

    void SetInterval(std::int32_t milliseconds) override;
    std::int32_t Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }

    // Whether the underlying QTimer is running.
    bool ticking() const { return timer_.isActive(); }

private:
    void apply();

    QTimer timer_;
    std::int32_t interval_ = 0;
    bool enabled_ = false;
};
