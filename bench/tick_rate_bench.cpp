// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tick-rate fidelity of the real program's window: ticks per second at each
// speed, and the frame wake-ups that run them, with the spread of the
// intervals between wake-ups. Run it in an X server.
//
// Usage: tick_rate_bench [SECONDS_PER_SPEED]
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "drawing_area.h"
#include "form_runtime.h"
#include "offscreen.h"
#include "tick_recorder.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    FormRuntime runtime;
    if (!offscreen::show(runtime)) {
        std::fprintf(stderr, "tick_rate_bench: the window was not shown\n");
        return 1;
    }
    runtime.action(QStringLiteral("MenuGruixMolt"))->trigger();

    bench::TickRecorder recorder(true);
    app.installEventFilter(&recorder);
    bool allMet = true;
    const struct {
        const char* item;
        int intervalMs;
    } speeds[] = {{"MenuVelocitatMolta", 5}, {"MenuVelocitatNormal", 15}, {"MenuVelocitatPoca", 25}};
    for (const auto& speed : speeds) {
        runtime.action(QString::fromLatin1(speed.item))->trigger();
        recorder.reset();
        const long ticksBefore = runtime.host().timer().ticksRaised();
        QTest::mouseClick(&runtime.picture(), Qt::LeftButton, {}, QPoint(100, 100));
        const auto start = Clock::now();
        // A plain event loop: QTest::qWait would sleep between its rounds.
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        QTest::mouseClick(&runtime.picture(), Qt::LeftButton, {}, QPoint(100, 100));
        const long ticks = runtime.host().timer().ticksRaised() - ticksBefore;

        std::vector<double> intervals;
        for (std::size_t i = 1; i < recorder.times.size(); ++i) {
            intervals.push_back(
                std::chrono::duration<double, std::milli>(recorder.times[i] - recorder.times[i - 1]).count());
        }
        const double expected = elapsed * 1000.0 / speed.intervalMs;
        const double share = 100.0 * static_cast<double>(ticks) / expected;
        allMet = allMet && share >= 98.0;
        std::printf("interval %2d ms: %ld ticks in %.2f s = %.1f/s of %.1f/s expected (%.1f%%); %ld wake-ups "
                    "(%.1f/s), between them median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                    speed.intervalMs, ticks, elapsed, static_cast<double>(ticks) / elapsed, 1000.0 / speed.intervalMs,
                    share, recorder.ticks, static_cast<double>(recorder.ticks) / elapsed,
                    bench::quantile(intervals, 0.5), bench::quantile(intervals, 0.99), bench::quantile(intervals, 1));
    }
    std::printf("goal (at least 98%% of the expected ticks at every speed): %s\n", allMet ? "met" : "NOT met");
    return 0;
}
