// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Peak resident memory after 10^3 and after 10^6 ticks at Gruix 100, run by
// the program's host at Molta, its clock moved on by hand, with a frame
// taken every eight ticks as at 25 frames a second.
//
// Usage: memory_bench [TICKS]
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "fakes.h"

int main(int argc, char* argv[])
{
    const long total = argc > 1 ? std::stol(argv[1]) : 1'000'000;
    FakeBinding binding;
    FormHost host(binding, 1.0);
    host.load();
    host.choose(&Form1::MenuGruixMolt_Click);
    host.choose(&Form1::MenuVelocitatMolta_Click);
    host.click();

    long early = 0;
    while (host.timer().ticksRaised() < total) {
        binding.advance(std::chrono::milliseconds(40));
        host.wake();
        binding.frames.clear();
        if (early == 0 && host.timer().ticksRaised() >= 1000) {
            early = bench::peakResidentKiB();
        }
    }
    const long late = bench::peakResidentKiB();
    const double growth = 100.0 * static_cast<double>(late - early) / static_cast<double>(early);
    std::printf("peak RSS after 10^3 ticks %ld KiB, after %ld ticks %ld KiB: %+.2f%% (goal within 5%%: %s)\n", early,
                total, late, growth, growth <= 5.0 ? "met" : "NOT met");
    return 0;
}
