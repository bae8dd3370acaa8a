#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole-program CPU under a Wayland compositor (headless sway, scale 1): the
# program painting at Molta with Molt dots and six colours, chosen through
# AT-SPI, against the floor program (an idle window with a 5 ms precise
# timer), the two side by side and measured over the same windows of time.
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


def cpu_seconds(pid):
    """CPU time of all the process's threads, to the nanosecond."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as f:
            total += int(f.read().split()[0])
    return total / 1e9


def main():
    warnings.simplefilter("ignore")
    tacolina, floor_window = sys.argv[1], sys.argv[2]
    seconds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    os.environ["TACOLINA_BIN"] = tacolina
    with ds.accessibility_bus(), ds.Sway(1) as sway:
        floor = subprocess.Popen([floor_window], env=sway.client_env(), stderr=subprocess.DEVNULL)
        with ds.Program(sway.client_env()) as program:
            a11y = ds.AccessibleProgram(program.process.pid)
            for menu, item in (("Velocitat", "Molta"), ("Gruix", "Molt"), ("Colors", "Molts")):
                a11y.choose(menu, item)
            a11y.press_area()
            time.sleep(1)
            painting, idle, ratios = [], [], []
            for round_ in range(rounds):
                p0, f0, t0 = cpu_seconds(program.process.pid), cpu_seconds(floor.pid), time.monotonic()
                time.sleep(seconds)
                p1, f1, t1 = cpu_seconds(program.process.pid), cpu_seconds(floor.pid), time.monotonic()
                p, f = (p1 - p0) / (t1 - t0), (f1 - f0) / (t1 - t0)
                painting.append(p)
                idle.append(f)
                ratios.append(p / f if f > 0 else 0)
                print(f"  round {round_ + 1}: painting {100 * p:.2f}%, floor {100 * f:.2f}%, ratio {ratios[-1]:.2f}")
            if program.process.poll() is not None:
                sys.exit("wayland_cpu_bench: tacolina ended while painting")
            print(f"CPU under sway (headless, pixman), median of {rounds} rounds of {seconds} s, share of one core: "
                  f"painting (Molta, Molt, 6 colours) {100 * statistics.median(painting):.2f}%, "
                  f"floor (idle window, 5 ms timer) {100 * statistics.median(idle):.2f}%, "
                  f"median ratio {statistics.median(ratios):.2f}")
        floor.terminate()
        floor.wait()


if __name__ == "__main__":
    main()
