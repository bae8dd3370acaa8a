#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The built program on real screens, as a user, assistive technology and a
# compositor meet it. Every expected value comes from tests/acceptance.txt.
# Run some classes (or -k PATTERN) at a time:
#   screen_test.py ProgramTest AbuseTest AccessibilityOnX11 XServerGone  (under with-x-server.sh)
#   screen_test.py WaylandAtScale1 WaylandAtScale2 CompositorGone       (each starts its own sway)
#   screen_test.py NoDisplay
# The Windows program under Wine is ProgramTest and AbuseTest with the
# flavour session.X11Window takes from the environment, and an MSAA client
# that checks the area and presses it (TACOLINA_A11Y_CLIENT).
import os, resource, signal, subprocess, sys, tempfile, time, unittest, warnings  # noqa: E401

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import session as s  # noqa: E402
from browser_window import BrowserWindow  # noqa: E402
from session import A, CAPTION, MENUS, PALETTE, SILVER, wait_for, settled  # noqa: E402

warnings.simplefilter("ignore")  # pyatspi's deprecations, on every call
APP_ID = os.environ.get("TACOLINA_APP_ID", "")
CLIENT, AREA, DOT = ([int(v) for v in A[k]] for k in ("client", "area", "Molt dot"))
MAGENTA = 0xFF00FF  # a cover's colour, neither silver nor a dot's


def colours_of(caption):
    # The palette colours in play once this Colors item is chosen.
    return PALETTE[:int(A["Colors sets"][A["Colors"].index(caption)])]


class Checks:
    # What holds on every screen; self.scale and self.area() come from the class.

    def px(self, logical):
        return s.px(logical, self.scale)

    def painted(self):
        return self.area().painted()

    def check_tree(self, a11y):
        self.assertEqual(a11y.frame.name, CAPTION)
        self.assertIsNotNone(a11y.find("menu bar"), "no menu bar")
        self.assertEqual(a11y.menus(), MENUS)
        for menu, items in MENUS:
            for caption in items:
                self.assertEqual(a11y.actions(a11y.item(menu, caption)), ["Press"], caption)
        area = a11y.area()
        self.assertIsNotNone(area, "the drawing area does not show as a canvas")
        self.assertEqual(area.name, " ".join(A["area name"]))
        self.assertIn(" ".join(A["area description"]), area.description)
        self.assertEqual(a11y.actions(area), ["Press"])
        self.assertIsNone(a11y.find("filler", area.name))

    def check_stops(self, what="painting went on after the second press"):
        stopped = settled(self.area)
        time.sleep(0.3)
        self.assertEqual(self.area(), stopped, what)
        return stopped

    def check_molt_widths(self, dots):
        # A Molt dot and its soft rim. Two nearly coinciding dots can pass for
        # one larger round dot, never a smaller one: every lone dot is at
        # least as wide, and the middle one, not each, at most.
        lone = dots.lone_dots()
        self.assertTrue(lone, f"no dot stood on its own; blobs: {[b[2:4] for b in dots.blobs()]}")
        widths = sorted(b[2] for b in lone)
        print(f"scale {self.scale}: lone Molt dots {widths} device pixels wide", file=sys.stderr)
        self.assertGreaterEqual(widths[0], self.px(DOT[0]))
        self.assertLessEqual(widths[len(widths) // 2], self.px(DOT[1]) + 1, f"lone dots {widths} wide")

    def one_line_without_reports(self, stderr):
        lines = [line for line in stderr.splitlines() if line.strip()]
        self.assertEqual(len(lines), 1, stderr)
        self.assertNotIn("Sanitizer", stderr)
        return lines[0]


class PaintingChecks(Checks):
    # What holds for every window, on the desktop and in the browser: the
    # adapter gives client_shot(), choose(), paint() and check_ended().

    def check_colours(self, dots, colours):
        # Each colour in play in its share of the dots (a blend at an edge may
        # match a colour by chance, never in that many pixels), and no other.
        for colour in PALETTE:
            n, painted = dots.count(colour), dots.painted()
            self.assertTrue(n * 4 * len(colours) > painted if colour in colours else n == 0,
                            f"colour {colour:06x} in {n} of {painted} painted pixels")

    def check_ends(self, close=lambda test: test.choose("Accions", A["Accions"][-1])):
        close(self)
        self.check_ended()


class PaintingTests:
    # The tests every window runs.

    def test_opens_empty_and_a_click_paints_palette_dots_inside_the_area_until_the_next_click(self):
        before = self.client_shot()
        self.assertEqual(before.width, self.px(CLIENT[0]))
        self.assertEqual(self.at[0], self.px(AREA[0]))
        self.assertEqual(self.painted(), 0)
        dots = self.paint(20000)
        self.assertEqual(settled(self.area), dots, "dots kept coming after the second click")
        self.check_colours(dots, PALETTE)
        self.assertGreater(sum(map(dots.count, PALETTE)), dots.painted() / 2, "most painted pixels are palette colours")
        # Outside the area the window looks as it did.
        after = self.client_shot()
        (x, y), (w, h), (W, H) = self.at, self.size, (before.width, before.height)
        for strip in ((0, 0, W, y), (0, y + h, W, H - y - h), (0, y, x, h), (x + w, y, W - x - w, h)):
            self.assertEqual(after.crop(*strip), before.crop(*strip), f"the window changed in {strip}")

    def test_esborra_clears_and_pocs_paints_only_its_colours(self):
        self.paint(5000)
        self.choose("Accions", A["Accions"][0])
        wait_for(lambda: self.painted() == 0, "Esborra to clear the area")
        self.choose("Colors", A["Colors"][0])
        self.check_colours(self.paint(20000), colours_of(A["Colors"][0]))

    def test_molt_paints_dots_of_a_molt_dots_width(self):
        self.choose("Gruix", A["Gruix"][2])
        self.choose("Velocitat", A["Velocitat"][0])  # slow, so that a few dots stand apart
        # Stopped after a frame, the area holds a dot or two, which may
        # overlap or be cut by the edge: paint on until one stands whole.
        dots = wait_for(lambda: (d := self.paint(self.painted() + 1)).lone_dots() and d, "a lone dot", 30)
        self.check_molt_widths(dots)

    def test_surt_ends_the_program(self):
        self.click_area()
        wait_for(self.painted, "dots")
        self.check_ends()


class AbuseChecks:
    # Hostile use while painting with Molt dots: nothing may crash, freeze,
    # lose dots or leave a state the program does not have.

    def setUp(self):
        super().setUp()
        self.choose("Gruix", A["Gruix"][2])
        self.click_area()
        wait_for(lambda: self.painted() > 5000, "5000 pixels painted")
        self.before = self.area()

    def check_painting_kept_and_ends(self, what=""):
        now = self.area()
        self.assertTrue(wait_for(lambda: self.area() != now, timeout=3), f"painting stopped {what}")
        self.click_area()
        # Later dots may cover earlier ones, never erase them.
        self.assertEqual(settled(self.area).kept(self.before), 0, "pixels of earlier dots went back to silver")
        self.check_ends()

    def test_clicks_on_the_area_while_a_menu_is_open_only_close_it(self):
        for _ in range(5):
            self.open_first_menu()
            self.click_area()
            wait_for(lambda: not self.popup(), "the click to close the menu")
        self.check_painting_kept_and_ends("after a click that closed a menu")

    def test_every_setting_chosen_while_painting(self):
        for menu, items in MENUS[:3]:
            for caption in items:
                self.choose(menu, caption)
                now = self.area()
                self.assertTrue(wait_for(lambda: self.area() != now, timeout=3), f"painting stopped at {caption}")
        self.check_painting_kept_and_ends()


class X11Program(s.X11Window, PaintingChecks):
    def setUp(self):
        self.open()
        self.addCleanup(self.close)

    def check_ended(self):
        self.assertEqual(self.program.ends(), 0, self.program.stderr())


class ProgramTest(X11Program, PaintingTests, unittest.TestCase):
    def test_dots_survive_being_covered_and_minimised(self):
        before = self.paint(20000)
        cover = self.x.cover(self.x.inside(self.window), MAGENTA)
        wait_for(lambda: self.area().count(MAGENTA) == len(before.pixels), "the cover to show")
        self.x.uncover(cover)
        wait_for(lambda: self.area() == before, "the dots back after being covered")
        self.x.iconify(self.window)
        wait_for(lambda: not self.x.window(), "the window to be minimised")
        self.x.activate(self.window)
        wait_for(lambda: self.area() == before, "the dots back after minimising")

    def test_assistive_technology_presses_the_area_to_start_and_stop_painting(self):
        client = os.environ.get("TACOLINA_A11Y_CLIENT")
        if client is None:
            self.skipTest("no MSAA client here; AccessibilityOnX11 uses AT-SPI")
        def press():
            with s.Program(env={**os.environ, "TACOLINA_EXE": client}) as reader:
                self.assertEqual(reader.ends(60), 0, f"the area's accessible object is not right: {reader.stderr()}")
        press()
        wait_for(self.painted, "pressing the area to start painting")
        press()
        self.check_stops("pressing the area again did not stop painting")

    def test_closing_the_window_ends_the_program(self):
        self.click_area()
        wait_for(self.painted, "dots")
        self.check_ends(lambda test: test.x.type("Alt_L+F4"))


class AbuseTest(AbuseChecks, X11Program, unittest.TestCase):
    def test_three_hundred_rapid_clicks(self):
        x, y, _, _ = self.area_rect()
        for i in range(300):  # an even number: painting as before
            self.x.press(x + 20 + i % 200, y + 20 + i % 180)
        self.x.move(0, 0)
        self.check_painting_kept_and_ends()

    def test_minimise_and_restore_five_times_and_cover_five_times(self):
        for _ in range(5):
            self.x.iconify(self.window)
            wait_for(lambda: not self.x.window(), "the window to be minimised")
            self.x.focus(self.window)  # the last step in bringing it back
            self.assertIsNotNone(self.x.window(), "focused, yet not restored")
        for _ in range(5):
            cover = self.x.cover(self.x.inside(self.window), MAGENTA)
            wait_for(lambda: self.area().count(MAGENTA) == len(self.before.pixels), "the cover to show")
            self.x.uncover(cover)
            wait_for(lambda: self.area().count(MAGENTA) == 0, "the area back from under the cover")
        self.check_painting_kept_and_ends()

    def test_closing_the_window_while_painting(self):
        self.check_ends(lambda test: test.x.type("Alt_L+F4"))


class Browser(BrowserWindow, PaintingChecks):
    # The web page in headless Chromium (TACOLINA_WEB_SITE); any console
    # error or uncaught exception fails the test. Headless Chromium shows
    # every page: a hidden tab is the document saying so and telling the
    # page, as a browser does; the page's handler hears it and reads it.
    HIDDEN = """(hidden => {{
      for (const [name, value] of [['hidden', hidden], ['visibilityState', hidden ? 'hidden' : 'visible']])
        Object.defineProperty(document, name, {{value, configurable: true}});
      document.dispatchEvent(new Event('visibilitychange'));
      return [tacolina.tacolina_ticks(), performance.now()]; }})({})"""

    def setUp(self):
        self.open()
        self.addCleanup(self.close)

    def tearDown(self):
        self.assertEqual(self.browser.errors, [], "console errors or uncaught exceptions")

    def check_ended(self):
        wait_for(lambda: self.evaluate("!!document.querySelector('p#ended[role=status]')"), "the ended note")
        self.assertIsNone(self.evaluate("document.getElementById('picture1')"), "the area is still there")
        self.assertEqual(self.evaluate("intervals.size"), 0, "a wake-up timer is left")
        drawn = self.drawn()
        time.sleep(0.5)
        self.assertEqual(self.drawn(), drawn, "frames drawn after the end")

    def rate(self, seconds=2):
        (n0, t0), _, (n1, t1) = self.ticks(), time.sleep(seconds), self.ticks()
        return (n1 - n0) * 1000 / (t1 - t0)

    def node(self, nodes, role, name):
        return next(n for n in nodes if n["role"]["value"] == role and n.get("name", {}).get("value") == name)

    def tree(self):
        return [n for n in self.browser.call("Accessibility.getFullAXTree", session=True)["nodes"] if not n["ignored"]]


class ChromiumPage(Browser, PaintingTests, unittest.TestCase):
    def test_window_and_area_sizes(self):
        client = self.client_shot()
        self.assertEqual((client.width, client.height), tuple(self.px(v) for v in CLIENT))
        self.assertEqual(tuple(self.at), tuple(self.px(v) for v in AREA[:2]))

    def test_ticks_a_second_at_each_speed(self):
        # A speed takes effect when painting starts.
        for caption, interval in zip(A["Velocitat"], map(int, A["Velocitat sets"])):
            self.choose("Velocitat", caption)
            self.click_area()
            time.sleep(0.2)
            rate = self.rate()
            self.click_area()
            print(f"{caption}: {rate:.1f} ticks a second, {1000 / interval:.1f} due", file=sys.stderr)
            self.assertAlmostEqual(rate, 1000 / interval, delta=0.04 * 1000 / interval, msg=caption)

    def test_keyboard_menus(self):
        (velocitat, _), (gruix, _), (colors, _) = MENUS[:3]
        items = {caption for _, captions in MENUS for caption in captions}
        area = lambda: self.evaluate("document.activeElement.id") == "picture1"  # noqa: E731
        self.key("Tab")
        wait_for(lambda: self.focused() == velocitat, "Tab to reach the menu bar")
        self.key("Tab")
        wait_for(area, "Tab to go on from the bar to the area")
        for key, focused in (("F10", velocitat), ("ArrowRight", gruix), ("ArrowDown", A[gruix][0]),
                             ("ArrowUp", A[gruix][-1]), ("ArrowRight", A[colors][0]), ("Escape", colors)):
            self.key(key)
            wait_for(lambda: self.focused() == focused, lambda: f"{key} to focus {focused!r}, not {self.focused()!r}")
            self.assertEqual(bool(self.popup()), focused in items, f"a menu open or not after {key}")
        self.key("F10")
        wait_for(area, "F10 to leave the bar for the area")
        self.key(" ")
        wait_for(self.painted, "Space on the area to paint")
        self.key("F10", "ArrowLeft", "ArrowDown", "ArrowDown", "Enter")  # Accions, Surt
        self.check_ended()

    def test_accessibility_tree_and_pressing_the_area(self):
        nodes = self.tree()
        self.assertEqual(len([n for n in nodes if n["role"]["value"] == "menubar"]), 1)
        titles = [n["name"]["value"] for n in nodes if any(p["name"] == "hasPopup" for p in n.get("properties", []))]
        self.assertEqual(titles, A["menus"])
        for index, (menu, items) in enumerate(MENUS):
            self.key("F10", *["ArrowRight"] * index, "ArrowDown")
            wait_for(self.popup, f"menu {menu} to open")
            nodes = self.tree()
            ids = self.node(nodes, "menu", menu)["childIds"]
            shown = [n["name"]["value"] for n in nodes if n["nodeId"] in ids and n["role"]["value"] == "menuitem"]
            self.assertEqual(shown, items)
            self.key("Escape", "Escape")
            wait_for(lambda: not self.popup(), f"menu {menu} to close")
        area = self.node(self.tree(), "button", " ".join(A["area name"]))
        self.assertIn(" ".join(A["area description"]), area["description"]["value"])
        self.evaluate("document.getElementById('picture1').focus()")
        for start, stop in (("Enter", "Enter"), (" ", " "), (self.click_area, self.click_area)):
            self.assertEqual(settled(self.area).painted(), 0)
            start() if callable(start) else self.key(start)
            wait_for(self.painted, f"{start!r} on the area to paint")
            stop() if callable(stop) else self.key(stop)
            self.check_stops(f"{stop!r} again did not stop painting")
            self.choose("Accions", A["Accions"][0])
            self.evaluate("document.getElementById('picture1').focus()")

    def test_a_hidden_page_draws_nothing_and_shows_the_whole_picture_back(self):
        self.click_area()
        wait_for(self.painted, "dots")
        before = self.painted()
        n0, t0 = self.evaluate(self.HIDDEN.format("true"))
        time.sleep(0.2)  # a frame asked for before may still come
        drawn = self.drawn()
        time.sleep(2)
        self.assertEqual(self.drawn(), drawn, "frames drawn while hidden")
        n1, t1 = self.evaluate(self.HIDDEN.format("false"))
        due = 1000 / int(A["Velocitat sets"][A["Velocitat"].index(A["Velocitat starts"][0])])
        self.assertAlmostEqual((n1 - n0) * 1000 / (t1 - t0), due, delta=0.04 * due, msg="ticks while hidden")
        wait_for(lambda: self.drawn()[0] > drawn[0], "a frame on coming back")
        self.click_area()
        self.assertGreater(self.check_stops().painted(), before)
        # The canvas shows the whole picture the program holds.
        self.assertEqual(self.evaluate(f"""(() => {{ const s = tacolina.tacolina_copy_box(0, 0, {AREA[2]}, {AREA[3]});
            const [x, y, w, h] = new Uint32Array(tacolina.memory.buffer, s, 4);
            const held = new Uint8Array(tacolina.memory.buffer, s + 16, w * h * 4);
            const shown = document.getElementById('picture1').getContext('2d').getImageData(x, y, w, h).data;
            return held.filter((b, i) => b !== shown[i]).length; }})()"""), 0, "bytes unlike the picture's")


class ChromiumAtScale2(Browser, PaintingTests, unittest.TestCase):
    scale = 2
    test_window_and_area_sizes = ChromiumPage.test_window_and_area_sizes


class ChromiumAbuse(AbuseChecks, Browser, unittest.TestCase):
    pass


class AccessibilityOnX11(Checks, unittest.TestCase):
    scale = 1

    def test_tree_and_the_area_action(self):
        x = s.X11()
        with s.accessibility_bus(), x.start() as program:
            a11y = s.Accessible(program.pid)
            self.check_tree(a11y)
            self.area = lambda: x.shot(a11y.extents(a11y.area(), desktop=True))
            wait_for(lambda: self.painted() == 0, "an empty area")
            a11y.press(a11y.area())
            wait_for(self.painted, "pressing the area to paint")
            a11y.press(a11y.area())
            self.check_stops()
            a11y.choose("Accions", A["Accions"][-1])
            self.assertEqual(program.ends(), 0, program.stderr())


class Wayland(Checks):
    def setUp(self):
        self.bus = s.accessibility_bus()
        self.bus.__enter__()
        self.addCleanup(self.bus.__exit__, None, None, None)
        self.sway = s.Sway(self.scale)
        self.addCleanup(self.sway.close)
        self.program = self.sway.start()
        self.addCleanup(self.end_program)
        self.a11y = s.Accessible(self.program.pid)

    def end_program(self):
        if self.program.wait(0) not in (None, 0):
            print(f"the program ended with {self.program.wait(0)}:\n{self.program.stderr()}\nsway's log ends:\n"
                  + "".join(self.sway.process.stderr().splitlines(True)[-15:]), file=sys.stderr)
        self.program.end()

    def area(self, shot=None):
        return (shot or self.sway.shot()).crop(*self.at, self.px(AREA[2]), self.px(AREA[3]))

    def test_runs_natively_paints_and_ends(self):
        self.check_tree(self.a11y)
        # A native Wayland window that docks can match to the desktop file.
        node = wait_for(lambda: self.sway.node(APP_ID), f"a window with app id {APP_ID!r}")
        self.assertEqual((node["shell"], node["name"]), ("xdg_shell", CAPTION))
        self.assertEqual(node["type"], "floating_con", "a fixed-size window floats")
        bar = self.a11y.extents(self.a11y.find("menu bar"))
        window = node["window_rect"]
        self.assertEqual((window["width"], window["height"]), (CLIENT[0], bar[3] + CLIENT[1]))
        self.assertEqual(self.a11y.extents(self.a11y.area()), (AREA[0], bar[3] + AREA[1], *AREA[2:]))
        # On the screen: the area at the output's density, crisp to its edge.
        size = [self.px(v) for v in AREA[2:]]
        shot = wait_for(lambda: (sh := self.sway.shot()).find_solid(SILVER, *size) and sh,
                        f"a solid {size} silver area on the screen")
        self.at = shot.find_solid(SILVER, *size)
        self.assertEqual(self.at[0], self.px(node["rect"]["x"] + window["x"] + AREA[0]))
        self.check_menus_open_under_their_titles(shot)

        self.a11y.press(self.a11y.area())
        wait_for(self.painted, "pressing the area to paint")
        for menu, caption in (("Gruix", A["Gruix"][2]), ("Colors", A["Colors"][0]), ("Velocitat", A["Velocitat"][0])):
            self.a11y.choose(menu, caption)
        self.a11y.press(self.a11y.area())
        settled(self.area)
        self.a11y.choose("Accions", A["Accions"][0])
        wait_for(lambda: self.painted() == 0, "Esborra to clear the area")
        # A few slow dots, then stop: of the two colours, Molt-sized.
        self.a11y.press(self.a11y.area())
        wait_for(lambda: len(self.area().lone_dots()) >= 3, step=0.02)
        self.a11y.press(self.a11y.area())
        self.check_molt_dots_in_two_colours(self.check_stops())
        self.a11y.choose("Accions", A["Accions"][0])
        wait_for(lambda: self.painted() == 0, "Esborra to clear the area")
        self.end()
        self.assertEqual(self.program.ends(), 0, self.program.stderr())

    def check_menus_open_under_their_titles(self, closed):
        # Headless sway has no input devices, and a menu grabs input only with
        # one: wtype lends a virtual keyboard while it runs. Keys at a
        # person's pace, the menu left open a while and closed with Escape:
        # Qt 6.4's Wayland client can abort when a menu hides just as the
        # compositor answers its last repaint (its frame callback destroyed
        # on two threads at once), so no menu hides moments after it shows.
        left, bar_bottom = self.at[0] - self.px(AREA[0]), self.at[1] - self.px(AREA[1])
        for index, menu in enumerate(self.a11y.find("menu bar")):
            title_x = left + self.px(self.a11y.extents(menu)[0])
            seen = []
            def under_title():
                seen.append(box := self.sway.shot().changed_box(closed, below=bar_bottom))
                return box and abs(box[1] - bar_bottom) <= 3 * self.scale and abs(box[0] - title_x) <= 3 * self.scale
            with self.sway.type("F10", *["Right"] * index, 3000, "Escape", "Escape") as typing:
                # The menus before it open on the way; this one opens last.
                wait_for(under_title, lambda: f"menu {menu.name} under its title at x {title_x}, y {bar_bottom}; "
                         f"changes seen: {seen[-3:]}")
                typing.ends(20)
            wait_for(lambda: self.sway.shot().changed_box(closed, below=bar_bottom) is None, f"menu {menu.name} to close")

    def check_molt_dots_in_two_colours(self, dots):
        two = colours_of(A["Colors"][0])
        colours = set(dots.pixels) - {SILVER}
        def blend(c):  # of the two colours and silver, as soft edges over each other
            r, g, b = c >> 16, (c >> 8) & 255, c & 255
            silver, blue = r / (SILVER >> 16), (b - r) / 255  # black adds nothing, blue only to b
            return abs(r - g) <= 2 and blue >= -0.02 and silver + blue <= 1.02
        self.assertEqual(two, PALETTE[:2], "the blend check knows black and blue")
        self.assertEqual([f"{c:06x}" for c in colours if not blend(c)], [], "colours other than two and their edges")
        self.assertTrue(set(two) & colours)
        self.assertTrue(colours - set(two), "dots have hard edges")
        self.check_molt_widths(dots)
        if self.scale > 1:
            # Drawn at the screen's density, not a 1x picture blown up: edges
            # cut through the blocks of a stretched pixel.
            n = self.scale
            split = sum(1 for y in range(0, dots.height - 1, n) for x in range(0, dots.width - 1, n)
                        if len({dots.at(x + i, y + j) for i in range(n) for j in range(n)}) > 1)
            self.assertGreater(split, 0, "the picture is stretched from a 1x buffer")


class WaylandAtScale1(Wayland, unittest.TestCase):
    scale = 1

    def end(self):
        self.a11y.choose("Accions", A["Accions"][-1])


class WaylandAtScale2(Wayland, unittest.TestCase):
    scale = 2

    def end(self):  # as the compositor closes windows
        self.sway.msg(f"[app_id={APP_ID}]", "kill")


class DisplayGone(Checks):
    # The display server ends while the program paints.

    def check_ends_promptly(self, program, end_server):
        a11y = s.Accessible(program.pid)
        a11y.press(a11y.area())
        time.sleep(0.5)
        end_server()
        start = time.monotonic()
        status = program.ends(5)
        self.assertLess(time.monotonic() - start, 1.0)
        self.assertGreater(status, 0, "killed by a signal, or ended with status 0")
        self.one_line_without_reports(program.stderr())


class CompositorGone(DisplayGone, unittest.TestCase):
    def test_ends_when_the_compositor_ends(self):
        with s.accessibility_bus(), s.Sway(1) as sway, sway.start() as program:
            self.check_ends_promptly(program, sway.process.process.terminate)


class XServerGone(DisplayGone, unittest.TestCase):
    def test_ends_when_the_x_server_ends(self):
        with s.accessibility_bus(), s.Program() as program:
            self.check_ends_promptly(program, lambda: os.kill(int(os.environ["X_SERVER_PID"]), signal.SIGTERM))


class NoDisplay(Checks, unittest.TestCase):
    def test_says_so_in_one_line_and_exits_1(self):
        with tempfile.TemporaryDirectory() as where:
            env = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM")}
            env["XDG_RUNTIME_DIR"] = where  # no wayland-0 here either
            allow_core = lambda: resource.setrlimit(resource.RLIMIT_CORE, (resource.RLIM_INFINITY,) * 2)  # noqa: E731
            run = subprocess.run([s.program_path()], env=env, cwd=where, capture_output=True, text=True,
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
        with s.Program(env={**env, "QT_QPA_PLATFORM": "offscreen"}) as program:
            self.assertIsNone(program.wait(2), program.stderr())


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
