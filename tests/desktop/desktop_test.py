#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The built program as assistive technology, a Wayland compositor and a
# shell without a display meet it. Run one class at a time:
#   desktop_test.py WaylandAtScale1 | WaylandAtScale2 | CompositorGone   (starts its own sway)
#   desktop_test.py AccessibilityOnX11 | XServerGone                    (under with-x-server.sh)
#   desktop_test.py NoDisplay
import os
import resource
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as ds  # noqa: E402

warnings.simplefilter("ignore")  # pyatspi's deprecations, on every call
APP_ID = os.environ.get("TACOLINA_APP_ID", "")


class TreeChecks:
    """What a screen reader finds, on any display server."""

    def check_tree(self, a11y):
        self.assertEqual(a11y.frame.name, ds.CAPTION)
        self.assertIsNotNone(a11y.find("menu bar"), "no menu bar")
        self.assertEqual(a11y.menus(), ds.MENUS)
        for menu, items in ds.MENUS:
            for caption in items:
                self.assertEqual(a11y.actions(a11y.item(menu, caption)), ["Press"], caption)
        area = a11y.area()
        self.assertIsNotNone(area, "the drawing area does not show as a canvas")
        self.assertEqual(area.name, "Àrea de dibuix")
        self.assertIn("clic", area.description)
        self.assertEqual(a11y.actions(area), ["Press"])
        self.assertIsNone(a11y.find("filler", "Àrea de dibuix"))

    def one_line_without_reports(self, stderr):
        lines = [line for line in stderr.splitlines() if line.strip()]
        self.assertEqual(len(lines), 1, stderr)
        self.assertNotIn("Sanitizer", stderr)
        return lines[0]


def settled(shoot, step=0.2, timeout=10):
    """A screenshot once two in a row, step seconds apart, are the same."""
    last = shoot()
    def same():
        nonlocal last
        time.sleep(step)
        now = shoot()
        unchanged = now.rgb == last.rgb
        last = now
        return unchanged
    ds.wait_for(same, timeout=timeout, step=0)
    return last


class Wayland(TreeChecks):
    scale = 1

    def setUp(self):
        self.bus = ds.accessibility_bus()
        self.bus.__enter__()
        self.sway = ds.Sway(self.scale)
        self.program = ds.Program(self.sway.client_env())
        self.a11y = ds.AccessibleProgram(self.program.process.pid)
        self.ending = False

    def tearDown(self):
        if not self.ending and self.program.process.poll() is not None:
            # Ended before the test ended it: say how, for the failure.
            print(f"the program ended early with status {self.program.process.returncode}:\n"
                  f"{self.program.stderr()}\nsway's log ends:\n"
                  + "".join(open(self.sway.log.name).readlines()[-15:]), file=sys.stderr)
        self.program.__exit__(None, None, None)
        self.sway.close()
        self.bus.__exit__(None, None, None)

    def area(self, shot=None):
        """The drawing area as the screen shows it, in device pixels."""
        s = self.scale
        shot = shot or self.sway.screenshot()
        return shot.crop(self.area_at[0], self.area_at[1], 257 * s, 241 * s)

    def test_runs_natively_paints_and_ends(self):
        s = self.scale
        self.check_tree(self.a11y)

        # A native Wayland window that docks can match to the desktop file.
        node = ds.wait_for(lambda: self.sway.window(APP_ID))
        self.assertIsNotNone(node, f"no window with app id {APP_ID!r}")
        self.assertEqual(node["shell"], "xdg_shell")
        self.assertEqual(node["name"], ds.CAPTION)
        self.assertEqual(node["type"], "floating_con", "a fixed-size window floats")
        bar = self.a11y.find("menu bar").queryComponent().getExtents(self.a11y.pyatspi.WINDOW_COORDS)
        window = node["window_rect"]
        self.assertEqual((window["width"], window["height"]), (271, bar.height + 254))
        area = self.a11y.area().queryComponent().getExtents(self.a11y.pyatspi.WINDOW_COORDS)
        self.assertEqual((area.x, area.y, area.width, area.height), (8, bar.height + 8, 257, 241))

        # On the screen: the area at the output's density, crisp to its edge.
        shot = ds.wait_for(lambda: (sh := self.sway.screenshot()).find_solid(ds.SILVER, 257 * s, 241 * s) and sh)
        self.assertIsNotNone(shot, f"no solid {257 * s} x {241 * s} silver area on the screen")
        self.area_at = shot.find_solid(ds.SILVER, 257 * s, 241 * s)
        self.assertEqual(self.area_at[0], (node["rect"]["x"] + window["x"] + 8) * s)

        self.check_menus_open_under_their_titles(shot)

        self.a11y.press_area()
        self.assertTrue(ds.wait_for(lambda: self.area().count_other(ds.SILVER) > 0), "pressing the area painted nothing")
        for menu, item in (("Gruix", "Molt"), ("Colors", "Pocs"), ("Velocitat", "Poca")):
            self.a11y.choose(menu, item)
        self.a11y.press_area()
        settled(self.area)
        self.a11y.choose("Accions", "Esborra")
        self.assertTrue(ds.wait_for(lambda: self.area().count_other(ds.SILVER) == 0), "Esborra left dots")

        # A few slow dots, then stop: they are black or blue, Molt-sized.
        self.a11y.press_area()
        ds.wait_for(lambda: len(self.area().lone_dots()) >= 3, step=0.02)
        self.a11y.press_area()
        dots = settled(self.area)
        time.sleep(0.3)
        self.assertEqual(self.area().rgb, dots.rgb, "painting went on after the second press")
        self.check_molt_dots_in_black_and_blue(dots)

        self.a11y.choose("Accions", "Esborra")
        self.assertTrue(ds.wait_for(lambda: self.area().count_other(ds.SILVER) == 0), "Esborra left dots")
        self.ending = True
        self.end()

    def check_menus_open_under_their_titles(self, closed):
        # Headless sway has no input devices, and a menu grabs input only
        # with a device to grab: wtype lends a virtual keyboard for as long
        # as it runs. The compositor gives the new keyboard's keymap and
        # focus to the window before its keys count: a second's pause first.
        # Then keys at a person's pace, the menu left open for a while and
        # closed with Escape: Qt 6.4's Wayland client can abort when a menu
        # hides just as the compositor answers its last repaint (its frame
        # callback is destroyed on two threads at once), so no menu here
        # hides within moments of being drawn.
        s = self.scale
        window_left, bar_bottom = self.area_at[0] - 8 * s, self.area_at[1] - 8 * s
        menubar = self.a11y.find("menu bar")
        for index, menu in enumerate(menubar):
            title = menu.queryComponent().getExtents(self.a11y.pyatspi.WINDOW_COORDS)
            keys = ["-s", "1000", "-k", "F10"] + ["-s", "300", "-k", "Right"] * index
            keys += ["-s", "3000", "-k", "Escape", "-s", "300", "-k", "Escape", "-s", "300"]
            seen = []

            def open_under_title():
                box = self.sway.screenshot().changed_box(closed, below=bar_bottom)
                seen.append(box)
                return box is not None and abs(box[1] - bar_bottom) <= 3 * s \
                    and abs(box[0] - (window_left + title.x * s)) <= 3 * s

            typing = subprocess.Popen(["wtype", *keys], env=self.sway.client_env())
            try:
                # The menus before it open on the way; this one opens last.
                opened = ds.wait_for(open_under_title)
                typing.wait(timeout=20)
            finally:
                if typing.poll() is None:
                    typing.kill()
                    typing.wait()
            self.assertTrue(opened, f"menu {menu.name} did not open under its title at "
                            f"x {window_left + title.x * s}, y {bar_bottom}; changes seen: {seen[-3:]}")
            self.assertTrue(ds.wait_for(lambda: self.sway.screenshot().changed_box(closed, below=bar_bottom) is None),
                            f"menu {menu.name} stayed open")

    def check_molt_dots_in_black_and_blue(self, dots):
        s = self.scale
        colours = set(dots.pixels()) - {ds.SILVER}
        stray = [c for c in colours if not ds.black_blue_on_silver(c)]
        self.assertEqual(stray, [], "colours other than black, blue and their soft edges")
        self.assertTrue({ds.BLACK, ds.BLUE} & colours)
        # Soft edges: blends between the dot and the background.
        self.assertTrue(colours - {ds.BLACK, ds.BLUE}, "dots have hard edges")
        lone = dots.lone_dots()
        self.assertTrue(lone, "no dot stood on its own")
        # What the screen showed, for the record.
        print(f"scale {s}: area {dots.width} x {dots.height} device pixels; lone Molt dots "
              + ", ".join(f"{w} x {h}" for _, _, w, h, _ in lone) + " device pixels", file=sys.stderr)
        # 200 twips across: 13.3 logical pixels, and its antialiased rim. Two
        # dots that nearly coincide can pass for one larger round dot, never
        # for a smaller one: so every lone dot is at least that wide, and the
        # middle one, not each, at most.
        widths = sorted(width for _, _, width, _, _ in lone)
        self.assertGreaterEqual(widths[0], 13 * s)
        self.assertLessEqual(widths[len(widths) // 2], 15 * s + 1, f"lone dots {widths} wide")
        if s > 1:
            # Drawn at the screen's density, not a 1x picture blown up:
            # edges cut through the 2x2 blocks of a stretched pixel.
            split = sum(1 for y in range(0, dots.height - 1, s) for x in range(0, dots.width - 1, s)
                        if len({dots.at(x + dx, y + dy) for dx in range(s) for dy in range(s)}) > 1)
            self.assertGreater(split, 0, "the picture is stretched from a 1x buffer")


class WaylandAtScale1(Wayland, unittest.TestCase):
    scale = 1

    def end(self):
        self.a11y.choose("Accions", "Surt")
        self.assertEqual(self.program.wait(), 0, self.program.stderr())


class WaylandAtScale2(Wayland, unittest.TestCase):
    scale = 2

    def end(self):
        # Closed as the compositor closes windows.
        self.sway.msg(f"[app_id={APP_ID}]", "kill")
        self.assertEqual(self.program.wait(), 0, self.program.stderr())


class DisplayGone(TreeChecks):
    """The display server ends while the program paints."""

    def check_ends_promptly(self, program, end_server):
        a11y = ds.AccessibleProgram(program.process.pid)
        a11y.press_area()
        time.sleep(0.5)
        end_server()
        start = time.monotonic()
        status = program.wait(timeout=5)
        took = time.monotonic() - start
        self.assertIsNotNone(status, "the program hung after its display went away")
        self.assertLess(took, 1.0)
        self.assertGreater(status, 0, "killed by a signal, or ended with status 0")
        self.one_line_without_reports(program.stderr())


class CompositorGone(DisplayGone, unittest.TestCase):
    def test_ends_when_the_compositor_ends(self):
        with ds.accessibility_bus(), ds.Sway(1) as sway, ds.Program(sway.client_env()) as program:
            self.check_ends_promptly(program, sway.process.terminate)


class XServerGone(DisplayGone, unittest.TestCase):
    def test_ends_when_the_x_server_ends(self):
        server = int(os.environ["X_SERVER_PID"])
        with ds.accessibility_bus(), ds.Program() as program:
            self.check_ends_promptly(program, lambda: os.kill(server, signal.SIGTERM))


class AccessibilityOnX11(TreeChecks, unittest.TestCase):
    def test_tree_and_the_area_action(self):
        with ds.accessibility_bus(), ds.Program() as program:
            a11y = ds.AccessibleProgram(program.process.pid)
            self.check_tree(a11y)
            extents = a11y.area().queryComponent().getExtents(a11y.pyatspi.DESKTOP_COORDS)
            area = lambda: ds.x_screenshot().crop(extents.x, extents.y, extents.width, extents.height)  # noqa: E731
            self.assertEqual(ds.wait_for(lambda: area().count_other(ds.SILVER) == 0), True, "the area is not empty")
            a11y.press_area()
            self.assertTrue(ds.wait_for(lambda: area().count_other(ds.SILVER) > 0), "pressing the area painted nothing")
            a11y.press_area()
            stopped = settled(area)
            time.sleep(0.3)
            self.assertEqual(area().rgb, stopped.rgb, "painting went on after the second press")
            a11y.choose("Accions", "Surt")
            self.assertEqual(program.wait(), 0)


class NoDisplay(TreeChecks, unittest.TestCase):
    def test_says_so_in_one_line_and_exits_1(self):
        with tempfile.TemporaryDirectory() as where:
            env = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM")}
            env["XDG_RUNTIME_DIR"] = where  # no wayland-0 here either
            allow_core = lambda: resource.setrlimit(resource.RLIMIT_CORE, (resource.RLIM_INFINITY,) * 2)  # noqa: E731
            run = subprocess.run([ds.program_path()], env=env, cwd=where, capture_output=True, text=True,
                                 timeout=30, preexec_fn=allow_core)
            self.assertEqual(run.returncode, 1, run.stderr)
            line = self.one_line_without_reports(run.stderr)
            self.assertTrue(line.startswith("tacolina: "), line)
            for word in ("display", "DISPLAY", "WAYLAND_DISPLAY"):
                self.assertIn(word, line)
            self.assertNotIn("einstall", line)
            self.assertEqual([f for f in os.listdir(where) if f.startswith("core")], [])

    def test_a_platform_without_a_display_runs_from_a_plain_shell(self):
        # No XDG_RUNTIME_DIR, about which Qt warns while it sets up: the
        # program runs on until it is ended.
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR")}
        env["QT_QPA_PLATFORM"] = "offscreen"
        with ds.Program(env) as program:
            self.assertIsNone(program.wait(timeout=2), program.stderr())


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
