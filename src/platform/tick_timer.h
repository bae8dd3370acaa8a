// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// A timer that raises one Timer event every Interval milliseconds while enabled.
class TickTimer {
public:
    virtual ~TickTimer() = default;

    // Interval in milliseconds; zero or less raises no events.
    virtual void SetInterval(std::int32_t milliseconds) = 0;
    virtual std::int32_t Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
};
