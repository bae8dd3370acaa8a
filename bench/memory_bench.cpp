// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Peak resident memory after 10^3 and after 10^6 ticks at Gruix 100, driven
// by hand without a timer, on the program's drawing area in a shown window.
//
// Usage: memory_bench [TICKS]
#include <QApplication>
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "clock_random_source.h"
#include "drawing_area.h"
#include "main_window.h"

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const long total = argc > 1 ? std::stol(argv[1]) : 1'000'000;

    DrawingArea area(QSize(257, 241), 0xC0C0C0);
    area.show();
    ClockRandomSource random;
    bench::IdleTimer timer;
    bench::NoEnd runtime;
    Form1 form(area, timer, random, runtime);
    form.Form_Load();
    form.MenuGruixMolt_Click();

    long early = 0;
    for (long tick = 1; tick <= total; ++tick) {
        form.Timer1_Timer();
        if (tick % 1000 == 0) {
            // Let the window repaint what was drawn, as the event loop would.
            QApplication::processEvents();
        }
        if (tick == 1000) {
            early = bench::peakResidentKiB();
        }
    }
    QApplication::processEvents();
    const long late = bench::peakResidentKiB();
    const double growth = 100.0 * static_cast<double>(late - early) / static_cast<double>(early);
    std::printf("peak RSS after 10^3 ticks %ld KiB, after %ld ticks %ld KiB: %+.2f%% (goal within 5%%: %s)\n", early,
                total, late, growth, growth <= 5.0 ? "met" : "NOT met");
    return 0;
}
