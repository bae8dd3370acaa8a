// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole-program figures in a real X server: start-up time, and the CPU and
// wake-ups of the program while painting at Molta with Molt dots and six
// colours, against the floor program (an idle window with a 5 ms precise
// timer). The floor runs at the same time in an X server of its own, so that
// each server's CPU can be counted with its client's.
//
// Usage: desktop_bench TACOLINA FLOOR_WINDOW [SECONDS_PER_ROUND [ROUNDS]]
// (in an X server started by with-x-server.sh, which names it in X_SERVER_PID)
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "bench_support.h"
#include "x_desktop.h"

namespace {

using Clock = std::chrono::steady_clock;

// What a process has used so far, all its threads together: CPU seconds to
// the nanosecond (the first field of each thread's schedstat; clock-tick
// counts in /proc/PID/stat are too coarse for a share of a few percent), and
// context switches, each one a wake-up or a preemption, of the main thread
// and of all.
struct Usage {
    double cpu = 0;
    long mainSwitches = 0;
    long allSwitches = 0;
};

Usage usage(pid_t pid)
{
    Usage used;
    unsigned long long nanoseconds = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long taskNanoseconds = 0;
        if (schedstat >> taskNanoseconds) {
            nanoseconds += taskNanoseconds;
        }
        std::ifstream status(task.path() / "status");
        long switches = 0;
        for (std::string line; std::getline(status, line);) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                switches += std::stol(line.substr(line.find(':') + 1));
            }
        }
        used.allSwitches += switches;
        if (task.path().filename() == std::to_string(pid)) {
            used.mainSwitches = switches;
        }
    }
    used.cpu = static_cast<double>(nanoseconds) / 1e9;
    return used;
}

// One round's rates: share of a core, and wake-ups a second.
struct Rates {
    double cpu = 0;
    double mainWakeups = 0;
    double allWakeups = 0;
};

Rates rates(const Usage& before, const Usage& after, double seconds)
{
    return {(after.cpu - before.cpu) / seconds, (after.mainSwitches - before.mainSwitches) / seconds,
            (after.allSwitches - before.allSwitches) / seconds};
}

// An X server of the benchmark's own, for the floor: the first display
// number from 64 on that a server of its own can take.
class XServer {
public:
    XServer()
    {
        for (int number = 64; number < 128 && pid_ < 0; ++number) {
            if (start(":" + std::to_string(number))) {
                return;
            }
        }
        std::fprintf(stderr, "desktop_bench: no second Xvfb could start\n");
        std::exit(1);
    }
    ~XServer()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    pid_t pid() const { return pid_; }
    const std::string& display() const { return display_; }

private:
    bool start(const std::string& display)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        // Up once it takes a connection; a server that ends found the number taken.
        bool ended = false;
        const bool up = e2e::waitFor([&] {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                ended = true;
                return true;
            }
            Display* probe = XOpenDisplay(display.c_str());
            if (probe != nullptr) {
                XCloseDisplay(probe);
            }
            return probe != nullptr;
        });
        if (!up || ended) {
            if (!ended) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
            return false;
        }
        pid_ = pid;
        display_ = display;
        return true;
    }

    pid_t pid_ = -1;
    std::string display_;
};

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

    // The floor and the painting program run side by side, each in its
    // own X server, and are measured over the same windows of time.
    const char* serverPid = std::getenv("X_SERVER_PID");
    if (serverPid == nullptr) {
        std::fprintf(stderr, "desktop_bench: run it under with-x-server.sh, which names its server's pid\n");
        return 2;
    }
    const pid_t server = static_cast<pid_t>(std::stol(serverPid));
    XServer floorServer;
    e2e::Program floor(floorPath, {"DISPLAY=" + floorServer.display()});
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

    std::vector<double> ratios, serverRatios, mainWakeups, allWakeups;
    for (int round = 0; round < rounds; ++round) {
        const pid_t pids[] = {tacolina.pid(), server, floor.pid(), floorServer.pid()};
        Usage before[4], after[4];
        for (int i = 0; i < 4; ++i) {
            before[i] = usage(pids[i]);
        }
        const auto t0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        for (int i = 0; i < 4; ++i) {
            after[i] = usage(pids[i]);
        }
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        Rates r[4];
        for (int i = 0; i < 4; ++i) {
            r[i] = rates(before[i], after[i], wall);
        }
        const auto& [p, x, f, fx] = r;
        ratios.push_back(f.cpu > 0 ? p.cpu / f.cpu : 0);
        serverRatios.push_back(f.cpu + fx.cpu > 0 ? (p.cpu + x.cpu) / (f.cpu + fx.cpu) : 0);
        mainWakeups.push_back(p.mainWakeups);
        allWakeups.push_back(p.allWakeups);
        std::printf("  round %d: painting %.2f%% (%.0f wake-ups/s on the main thread, %.0f in all), floor %.2f%% "
                    "(%.0f, %.0f): ratio %.2f; with their X servers %.2f%% + %.2f%% against %.2f%% + %.2f%%: "
                    "ratio %.2f\n",
                    round + 1, 100 * p.cpu, p.mainWakeups, p.allWakeups, 100 * f.cpu, f.mainWakeups, f.allWakeups,
                    ratios.back(), 100 * p.cpu, 100 * x.cpu, 100 * f.cpu, 100 * fx.cpu, serverRatios.back());
    }
    if (!tacolina.running() || !floor.running()) {
        std::fprintf(stderr, "desktop_bench: %s ended while measured\n", tacolina.running() ? "the floor" : "tacolina");
        return 1;
    }
    std::printf("X11, median of %d rounds of %d s (Molta, Molt, 6 colours): %.0f wake-ups/s on the main thread, "
                "%.0f in all; CPU ratio to the floor %.2f; with the X servers %.2f\n",
                rounds, seconds, bench::quantile(mainWakeups, 0.5), bench::quantile(allWakeups, 0.5),
                bench::quantile(ratios, 0.5), bench::quantile(serverRatios, 0.5));
    return 0;
}
