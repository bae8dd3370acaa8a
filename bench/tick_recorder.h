// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <vector>

namespace bench {

// Installed on the application, counts the events of the program's frame
// wake-up, its only precise QTimer, and keeps their times if asked.
class TickRecorder : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    explicit TickRecorder(bool keepTimes) : keepTimes_(keepTimes) {}

    long ticks = 0;
    std::vector<Clock::time_point> times;

    void reset()
    {
        ticks = 0;
        times.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer) {
            if (const auto* timer = qobject_cast<QTimer*>(watched);
                timer != nullptr && timer->timerType() == Qt::PreciseTimer) {
                ++ticks;
                if (keepTimes_) {
                    times.push_back(Clock::now());
                }
            }
        }
        return false;
    }

private:
    bool keepTimes_;
};

}  // namespace bench
