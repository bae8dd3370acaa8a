#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole-program CPU and wake-ups under a Wayland compositor (headless sway,
# scale 1): the program painting at Molta with Molt dots and six colours,
# chosen through AT-SPI, against the floor program (an idle window with a
# 5 ms precise timer). The floor runs at the same time under a sway of its
# own, so that each compositor's CPU can be counted with its client's.
#
# Usage: wayland_cpu_bench.py TACOLINA FLOOR_WINDOW [SECONDS_PER_ROUND [ROUNDS]]
import os
import statistics
import subprocess
import sys
import time
import warnings

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "desktop"))
import desktop_session as ds  # noqa: E402


def usage(pid):
    """CPU seconds of all the process's threads, to the nanosecond, and the
    context switches (each a wake-up or a preemption) of its main thread and
    of all."""
    cpu, main, total = 0, 0, 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as f:
            cpu += int(f.read().split()[0])
        with open(f"/proc/{pid}/task/{task}/status") as f:
            switches = sum(int(line.split()[1]) for line in f if "ctxt_switches" in line)
        total += switches
        if int(task) == pid:
            main = switches
    return cpu / 1e9, main, total


def compositor_pid(sway):
    """Sway itself: as root it runs under runuser, as its child."""
    children = f"/proc/{sway.process.pid}/task/{sway.process.pid}/children"
    if os.path.exists(children):
        with open(children) as f:
            pids = f.read().split()
        if pids:
            return int(pids[0])
    return sway.process.pid


def main():
    warnings.simplefilter("ignore")
    tacolina, floor_window = sys.argv[1], sys.argv[2]
    seconds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    os.environ["TACOLINA_BIN"] = tacolina
    with ds.accessibility_bus(), ds.Sway(1) as sway, ds.Sway(1) as floor_sway:
        floor = subprocess.Popen([floor_window], env=floor_sway.client_env(), stderr=subprocess.DEVNULL)
        with ds.Program(sway.client_env()) as program:
            a11y = ds.AccessibleProgram(program.process.pid)
            for menu, item in (("Velocitat", "Molta"), ("Gruix", "Molt"), ("Colors", "Molts")):
                a11y.choose(menu, item)
            a11y.press_area()
            time.sleep(1)
            pids = [program.process.pid, compositor_pid(sway), floor.pid, compositor_pid(floor_sway)]
            ratios, server_ratios, main_wakeups, all_wakeups = [], [], [], []
            for round_ in range(rounds):
                before, t0 = [usage(p) for p in pids], time.monotonic()
                time.sleep(seconds)
                after, t1 = [usage(p) for p in pids], time.monotonic()
                (p, pm, pa), (s, _, _), (f, fm, fa), (fs, _, _) = [
                    tuple((b - a) / (t1 - t0) for a, b in zip(x, y)) for x, y in zip(before, after)]
                ratios.append(p / f if f > 0 else 0)
                server_ratios.append((p + s) / (f + fs) if f + fs > 0 else 0)
                main_wakeups.append(pm)
                all_wakeups.append(pa)
                print(f"  round {round_ + 1}: painting {100 * p:.2f}% ({pm:.0f} wake-ups/s on the main thread, "
                      f"{pa:.0f} in all), floor {100 * f:.2f}% ({fm:.0f}, {fa:.0f}): ratio {ratios[-1]:.2f}; "
                      f"with their compositors {100 * p:.2f}% + {100 * s:.2f}% against {100 * f:.2f}% + "
                      f"{100 * fs:.2f}%: ratio {server_ratios[-1]:.2f}")
            if program.process.poll() is not None or floor.poll() is not None:
                sys.exit("wayland_cpu_bench: a program ended while measured")
            print(f"Wayland (sway, headless, pixman), median of {rounds} rounds of {seconds} s (Molta, Molt, "
                  f"6 colours): {statistics.median(main_wakeups):.0f} wake-ups/s on the main thread, "
                  f"{statistics.median(all_wakeups):.0f} in all; CPU ratio to the floor "
                  f"{statistics.median(ratios):.2f}; with the compositors {statistics.median(server_ratios):.2f}")
        floor.terminate()
        floor.wait()


if __name__ == "__main__":
    main()
