// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole-program figures in a real X server: start-up time, and the CPU the
// program takes while painting at Molta with Molt dots and six colours,
// against the floor program (an idle window with a 5 ms precise timer).
//
// Usage: desktop_bench TACOLINA FLOOR_WINDOW [SECONDS_PER_ROUND [ROUNDS]]
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "bench_support.h"
#include "x_desktop.h"

namespace {

using Clock = std::chrono::steady_clock;

// CPU seconds a process has run so far, all its threads together, to the
// nanosecond: the first field of each thread's schedstat (clock-tick counts
// in /proc/PID/stat are too coarse for a share of a few percent).
double cpuSeconds(pid_t pid)
{
    unsigned long long total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long nanoseconds = 0;
        if (schedstat >> nanoseconds) {
            total += nanoseconds;
        }
    }
    return static_cast<double>(total) / 1e9;
}

// The shares of one core two programs take over the same `seconds`, so that
// whatever else the machine does weighs on both alike.
std::pair<double, double> coreShares(pid_t first, pid_t second, int seconds)
{
    const double a0 = cpuSeconds(first), b0 = cpuSeconds(second);
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double a1 = cpuSeconds(first), b1 = cpuSeconds(second);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    return {(a1 - a0) / wall, (b1 - b0) / wall};
}

Window awaitWindow(e2e::Desktop& desktop, const std::string& title)
{
    std::optional<Window> window;
    e2e::waitFor([&] { return (window = desktop.findWindow(title)).has_value(); });
    if (!window) {
        std::fprintf(stderr, "desktop_bench: no window titled %s\n", title.c_str());
        std::exit(1);
    }
    return *window;
}

double startUpMs(e2e::Desktop& desktop, const std::string& program)
{
    const auto t0 = Clock::now();
    e2e::Program tacolina(program);
    while (!desktop.findWindow("Tacolina 2.0")) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: desktop_bench TACOLINA FLOOR_WINDOW [SECONDS_PER_ROUND [ROUNDS]]\n");
        return 2;
    }
    const std::string tacolinaPath = argv[1];
    const std::string floorPath = argv[2];
    const int seconds = argc > 3 ? std::stoi(argv[3]) : 10;
    const int rounds = argc > 4 ? std::stoi(argv[4]) : 3;
    e2e::Desktop desktop;

    std::vector<double> startUps;
    for (int i = 0; i < 10; ++i) {
        startUps.push_back(startUpMs(desktop, tacolinaPath));
    }
    std::printf("start-up to window shown: median %.1f ms (min %.1f, max %.1f) over %zu runs\n",
                bench::quantile(startUps, 0.5), bench::quantile(startUps, 0), bench::quantile(startUps, 1),
                startUps.size());

    // The floor and the painting program run side by side and are measured
    // over the same windows of time.
    e2e::Program floor(floorPath);
    awaitWindow(desktop, "Floor");
    e2e::Program tacolina(tacolinaPath);
    const Window window = awaitWindow(desktop, "Tacolina 2.0");
    const e2e::Rect inside = desktop.geometry(window);
    // Gruix, Molt: F10, Right, Down, Down, Return; Molta and six colours are the start values.
    desktop.activate(window);
    desktop.key(XK_F10);
    e2e::waitFor([&] { return desktop.popup().has_value(); });
    desktop.key(XK_Right);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    desktop.key(XK_Down);
    desktop.key(XK_Down);
    desktop.key(XK_Return);
    e2e::waitFor([&] { return !desktop.popup(); });
    desktop.click(inside.x + inside.width / 2, inside.y + inside.height / 2);
    desktop.moveTo(0, 0);
    std::this_thread::sleep_for(std::chrono::seconds(1));

    std::vector<double> painting, idle, ratios;
    for (int round = 0; round < rounds; ++round) {
        const auto [p, f] = coreShares(tacolina.pid(), floor.pid(), seconds);
        painting.push_back(p);
        idle.push_back(f);
        ratios.push_back(f > 0 ? p / f : 0);
        std::printf("  round %d: painting %.2f%%, floor %.2f%%, ratio %.2f\n", round + 1, 100 * p, 100 * f,
                    ratios.back());
    }
    if (!tacolina.running()) {
        std::fprintf(stderr, "desktop_bench: tacolina ended while painting\n");
        return 1;
    }
    const double paintingShare = bench::quantile(painting, 0.5);
    const double floorShare = bench::quantile(idle, 0.5);
    std::printf("CPU, median of %d rounds of %d s, share of one core: painting (Molta, Molt, 6 colours) %.2f%%, "
                "floor (idle window, 5 ms timer) %.2f%%, median ratio %.2f\n",
                rounds, seconds, 100 * paintingShare, 100 * floorShare, bench::quantile(ratios, 0.5));
    return 0;
}
