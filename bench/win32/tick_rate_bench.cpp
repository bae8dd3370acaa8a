// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tick-rate fidelity of the Windows program's runtime: ticks per second at
// each speed, painted at Molt in its real window, and the frame wake-ups
// that ran them. Run it under Wine (or on Windows).
//
// Usage: tick_rate_bench [SECONDS_PER_SPEED]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "form_runtime.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs the message loop for a while, counting the frame wake-ups.
long pump(std::chrono::seconds span)
{
    long frames = 0;
    const auto end = Clock::now() + span;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            frames += message.message == WM_TIMER ? 1 : 0;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return frames;
}

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 5;
    FormRuntime runtime(GetModuleHandleW(nullptr));
    runtime.show(SW_SHOWNORMAL);
    pump(std::chrono::seconds(1));
    runtime.host().choose(&Form1::MenuGruixMolt_Click);

    bool allMet = true;
    const struct {
        void (Form1::*item)();
        int intervalMs;
    } speeds[] = {{&Form1::MenuVelocitatMolta_Click, 5},
                  {&Form1::MenuVelocitatNormal_Click, 15},
                  {&Form1::MenuVelocitatPoca_Click, 25}};
    for (const auto& speed : speeds) {
        runtime.host().choose(speed.item);
        const long before = runtime.host().timer().ticksRaised();
        const auto start = Clock::now();
        runtime.host().click();
        const long frames = pump(std::chrono::seconds(seconds));
        runtime.host().click();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const long ticks = runtime.host().timer().ticksRaised() - before;
        const double expected = elapsed * 1000.0 / speed.intervalMs;
        const double share = 100.0 * static_cast<double>(ticks) / expected;
        allMet = allMet && share >= 98.0;
        std::printf(
            "interval %2d ms: %ld ticks in %.2f s = %.1f/s of %.1f/s expected (%.1f%%); %ld wake-ups (%.1f/s)\n",
            speed.intervalMs, ticks, elapsed, static_cast<double>(ticks) / elapsed, 1000.0 / speed.intervalMs, share,
            frames, static_cast<double>(frames) / elapsed);
    }
    std::printf("goal (at least 98%% of the expected ticks at every speed): %s\n", allMet ? "met" : "NOT met");
    std::fflush(stdout);
    runtime.host().choose(&Form1::MenuAccionsSurt_Click);
    return 0;
}
