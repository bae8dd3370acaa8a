// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_frame_wakeup.h"

#include <utility>

QtFrameWakeup::QtFrameWakeup(std::function<void()> onFrame, std::function<double()> refreshHz)
    : refreshHz_(std::move(refreshHz))
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onFrame));
}

void QtFrameWakeup::startWakeups()
{
    timer_.start(frameInterval(refreshHz_()));
}

void QtFrameWakeup::stopWakeups()
{
    timer_.stop();
}
