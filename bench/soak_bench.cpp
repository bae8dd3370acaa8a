// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Soak: the program's window painting at Molta with Molt dots for a long
// while (10 minutes by default). Reports resident memory each minute and the
// ticks against those expected. Run it in an X server.
//
// Usage: soak_bench [SECONDS]
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "drawing_area.h"
#include "form_runtime.h"
#include "offscreen.h"

namespace {

using Clock = std::chrono::steady_clock;

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    FormRuntime runtime;
    if (!offscreen::show(runtime)) {
        std::fprintf(stderr, "soak_bench: the window was not shown\n");
        return 1;
    }
    runtime.action(QStringLiteral("MenuGruixMolt"))->trigger();
    const auto ticks = [&runtime] { return runtime.host().timer().ticksRaised(); };

    QTest::mouseClick(&runtime.picture(), Qt::LeftButton, {}, QPoint(100, 100));
    const auto start = Clock::now();
    long afterFirstMinute = -1, lowest = -1, highest = -1;
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    int elapsedSeconds = 0;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        elapsedSeconds += 10;
        const long rss = residentKiB();
        if (elapsedSeconds >= 60) {
            if (afterFirstMinute < 0) {
                afterFirstMinute = lowest = highest = rss;
            }
            lowest = std::min(lowest, rss);
            highest = std::max(highest, rss);
        }
        if (elapsedSeconds % 60 == 0) {
            std::printf("  %4d s: RSS %ld KiB, %ld ticks\n", elapsedSeconds, rss, ticks());
            std::fflush(stdout);
        }
    });
    sampler.start(10'000);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    QTest::mouseClick(&runtime.picture(), Qt::LeftButton, {}, QPoint(100, 100));

    const double expected = elapsed * 1000.0 / 5.0;
    const double share = 100.0 * static_cast<double>(ticks()) / expected;
    const long spread = highest - lowest;
    std::printf("soak %.0f s at 5 ms, Gruix 100: %ld ticks of %.0f expected (%.2f%%); RSS after the first minute "
                "%ld KiB, range since %ld..%ld KiB (spread %ld KiB)\n",
                elapsed, ticks(), expected, share, afterFirstMinute, lowest, highest, spread);
    std::printf("goals (ticks at least 98%%, RSS within 2 MB after the first minute): %s\n",
                share >= 98.0 && spread <= 2048 ? "met" : "NOT met");
    return share >= 98.0 && spread <= 2048 ? 0 : 1;
}
