#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole-program figures on real screens, through the test harness
# (tests/screen/session.py):
#   x11 TACOLINA FLOOR_WINDOW [SECONDS [ROUNDS]]      (under with-x-server.sh)
#     start-up to window shown; CPU and wake-ups painting at Molta with Molt
#     dots and six colours, against the floor program (an idle window with a
#     5 ms precise timer) in an X server of its own at the same time, so that
#     each server's CPU is counted with its client's; then wake-ups while the
#     window is minimised and painting.
#   wayland TACOLINA FLOOR_WINDOW [SECONDS [ROUNDS]]
#     the same CPU and wake-ups under headless sway (scale 1), each program
#     under a sway of its own, the settings chosen through AT-SPI.
#   web SITE [SECONDS [ROUNDS]]
#     the page (the built site) in headless Chromium, painting the same way:
#     its renderer's CPU and wake-ups, and its GPU process's as the server's,
#     against an empty page with a 5 ms interval timer doing nothing, served
#     the same way in another Chromium at the same time.
#   minimised [SECONDS]   (under with-x-server.sh; TACOLINA_BIN as the tests
#     take it, e.g. the Windows program under Wine) wake-ups painting, shown
#     and then minimised.
import os, select, statistics, sys, tempfile, time, warnings  # noqa: E401
from contextlib import suppress

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "screen"))
import session as s  # noqa: E402
from session import A, CAPTION, wait_for  # noqa: E402

SETTINGS = "Molta, Molt, 6 colours"


def rates(pids, seconds):
    # Each process's share of a core, and wake-ups a second on its main
    # thread and in all, over the next `seconds`.
    before, t0 = [s.usage(p) for p in pids], time.monotonic()
    time.sleep(seconds)
    after, t1 = [s.usage(p) for p in pids], time.monotonic()
    return [tuple((b - a) / (t1 - t0) for a, b in zip(x, y)) for x, y in zip(before, after)]


def against_floor(pids, seconds, rounds, servers, main="main thread", every="all"):
    # Rounds of the program and its server against the floor and its own.
    ratios, server_ratios, mains, alls = [], [], [], []
    for n in range(rounds):
        (p, pm, pa), (x, _, _), (f, fm, fa), (fx, _, _) = rates(pids, seconds)
        ratios.append(p / f if f > 0 else 0)
        server_ratios.append((p + x) / (f + fx) if f + fx > 0 else 0)
        mains.append(pm)
        alls.append(pa)
        print(f"  round {n + 1}: painting {100 * p:.2f}% ({pm:.0f} wake-ups/s on the main thread, {pa:.0f} in all), "
              f"floor {100 * f:.2f}% ({fm:.0f}, {fa:.0f}): ratio {ratios[-1]:.2f}; with their {servers} "
              f"{100 * p:.2f}% + {100 * x:.2f}% against {100 * f:.2f}% + {100 * fx:.2f}%: ratio {server_ratios[-1]:.2f}")
    return (f"median of {rounds} rounds of {seconds:g} s ({SETTINGS}): {statistics.median(mains):.0f} wake-ups/s on the "
            f"{main}, {statistics.median(alls):.0f} in {every}; CPU ratio to the floor {statistics.median(ratios):.2f}; "
            f"with the {servers} {statistics.median(server_ratios):.2f}")


def minimised(window, seconds, label):
    # Wake-ups painting with the window shown, then minimised through the
    # window manager; the program must still be running.
    (_, shown_main, shown_all), = rates([window.program.pid], seconds)
    window.x.iconify(window.window)
    wait_for(lambda: not window.x.window(), "the window to be minimised")
    (_, main, every), = rates([window.program.pid], seconds)
    assert window.program.running(), f"the program ended while measured:\n{window.program.stderr()}"
    print(f"{label}, painting, {seconds:g} s each: shown {shown_main:.0f} wake-ups/s on the main thread, "
          f"{shown_all:.0f} in all; minimised {main:.0f} on the main thread, {every:.0f} in all")


def x11(tacolina, floor_window, seconds, rounds):
    x = s.X11()
    startups = []
    for _ in range(10):
        t0 = time.monotonic()
        with x.start([tacolina]):
            wait_for(x.window, f"a window titled {CAPTION}", step=0.0005)
            startups.append(1000 * (time.monotonic() - t0))
        wait_for(lambda: not x.window(), "the window to go")
    print(f"start-up to window shown: median {statistics.median(startups):.1f} ms (min {min(startups):.1f}, "
          f"max {max(startups):.1f}) over {len(startups)} runs")
    read, write = os.pipe()
    with s.Program(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                    "-noreset"], pass_fds=(write,)) as server:
        os.close(write)
        display = wait_for(lambda: select.select([read], [], [], 0)[0] and os.read(read, 16).strip(),
                           "the floor's X server", timeout=30)
        with s.Program([floor_window], {**os.environ, "DISPLAY": f":{display.decode()}"}) as floor:
            window = s.X11Window()
            window.open([tacolina])
            try:
                window.choose("Gruix", A["Gruix"][2])  # Molta and six colours are where it starts
                window.click_area()
                time.sleep(1)
                summary = against_floor([window.program.pid, int(os.environ["X_SERVER_PID"]), floor.pid, server.pid],
                                        seconds, rounds, "X servers")
                assert window.program.running() and floor.running(), "a program ended while measured"
                print(f"X11, {summary}")
                minimised(window, 10, f"X11 ({SETTINGS})")
            finally:
                window.close()


def wayland(tacolina, floor_window, seconds, rounds):
    os.environ["TACOLINA_BIN"] = tacolina
    with s.accessibility_bus(), s.Sway() as sway, s.Sway() as floor_sway, \
            floor_sway.start([floor_window]) as floor, sway.start() as program:
        a11y = s.Accessible(program.pid)
        for menu, items in s.MENUS[:3]:  # the last of each: Molta, Molt, Molts
            a11y.choose(menu, items[-1])
        a11y.press(a11y.area())
        time.sleep(1)
        summary = against_floor([program.pid, sway.pid(), floor.pid, floor_sway.pid()], seconds, rounds, "compositors")
        assert program.running() and floor.running(), "a program ended while measured"
        print(f"Wayland (sway, headless, pixman), {summary}")


def descendant(pid, kind):
    # The one process of this --type among pid's descendants, or None.
    found, stack = [], [pid]
    while stack:
        p = stack.pop()
        with suppress(OSError):
            with open(f"/proc/{p}/cmdline", "rb") as f:
                # Chromium's children set their titles: one line of words.
                if f"--type={kind}".encode() in f.read().replace(b"\0", b" ").split():
                    found.append(p)
            for task in os.listdir(f"/proc/{p}/task"):  # each thread's children
                with open(f"/proc/{p}/task/{task}/children") as f:
                    stack += map(int, f.read().split())
    return found[0] if len(found) == 1 else None


def web(site, seconds, rounds):
    from browser_window import BrowserWindow, Chromium, Site
    with tempfile.TemporaryDirectory() as empty:
        with open(os.path.join(empty, "index.html"), "w") as f:
            f.write("<!DOCTYPE html><title>floor</title><script>setInterval(() => {}, 5);</script>\n")
        floor_site, floor, page = Site(empty), Chromium(BrowserWindow.width, BrowserWindow.height), BrowserWindow()
        try:
            floor.open(floor_site.url)
            page.open(site)
            page.choose("Gruix", A["Gruix"][2])  # Molta and six colours are where it starts
            page.click_area()
            time.sleep(1)
            pids = [wait_for(lambda b=b: descendant(b.process.pid, kind), f"Chromium's one {kind} process")
                    for b in (page.browser, floor) for kind in ("renderer", "gpu-process")]
            summary = against_floor(pids, seconds, rounds, "GPU processes", "renderer's main thread", "the renderer")
            assert page.painted() and not page.browser.errors + floor.errors, page.browser.errors + floor.errors
            print(f"Web (Chromium headless), {summary}")
        finally:
            page.close()
            floor.close()
            floor_site.close()


def main():
    warnings.simplefilter("ignore")
    mode, args = sys.argv[1], sys.argv[2:]
    if mode == "minimised":
        window = s.X11Window()
        window.open()
        try:
            window.click_area()
            wait_for(window.painted, "dots")
            minimised(window, float(args[0]) if args else 10, f"{os.path.basename(s.program_path())} (at its start)")
        finally:
            window.close()
        return
    given = 1 if mode == "web" else 2
    numbers = [float(args[given]) if len(args) > given else 10, int(args[given + 1]) if len(args) > given + 1 else 3]
    {"x11": x11, "wayland": wayland, "web": web}[mode](*args[:given], *numbers)


if __name__ == "__main__":
    main()
