// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Small pieces the benchmark programs share.

#include <algorithm>
#include <cstdint>
#include <sys/resource.h>
#include <vector>

#include "runtime.h"
#include "tick_timer.h"

namespace bench {

// A timer that never ticks and a runtime that never ends: for driving the
// painter by hand.
class IdleTimer : public TickTimer {
public:
    void SetInterval(std::int32_t ms) override { interval_ = ms; }
    std::int32_t Interval() const override { return interval_; }
    void SetEnabled(bool on) override { enabled_ = on; }
    bool Enabled() const override { return enabled_; }

private:
    std::int32_t interval_ = 0;
    bool enabled_ = false;
};

class NoEnd : public Runtime {
public:
    void End() override {}
};

inline long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The q-th quantile (0..1) of some values.
inline double quantile(std::vector<double> values, double q)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

}  // namespace bench
