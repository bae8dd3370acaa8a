// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>
#include <functional>

#include "tick_pacer.h"

// The program's one wake-up while it paints: a timer at the frame pace of
// the screen the window is on, read each time painting starts.
class QtFrameWakeup : public FrameWakeup {
public:
    QtFrameWakeup(std::function<void()> onFrame, std::function<double()> refreshHz);

    void startWakeups() override;
    void stopWakeups() override;

    bool active() const { return timer_.isActive(); }
    int intervalMs() const { return timer_.interval(); }

private:
    QTimer timer_;
    std::function<double()> refreshHz_;
};
