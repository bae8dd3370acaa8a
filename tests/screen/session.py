#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A user's view of a screen, for the tests and the benchmarks: what the
# program must show (tests/acceptance.txt), screen shots as pixel arrays and
# what is found in them, bounded waits, the program started and watched, and
# one small adapter a kind of screen: X11 (python3-xlib: get_image, XTest,
# override-redirect windows, the window manager's messages) and Wayland
# (headless sway, grim, wtype). An adapter supplies shot, press (a click at
# x, y), type (key names as X spells them; on X11 "Alt_L+F4" for a chord) and start;
# the X11 one adds what the abuse tests need. The web page in headless
# Chromium is browser_window.py's BrowserWindow, beside X11Window.
#
# Also a command:  session.py open-close [--timeout SECONDS] -- COMMAND [ARGS...]
# starts COMMAND in $DISPLAY, awaits its window, gives it the focus, closes it
# with alt+F4 and awaits its end with status 0; exit status 0, or 1 saying what
# was awaited.
#
# Run with Debian's /usr/bin/python3, which has python3-xlib and pyatspi.
import array, contextlib, json, os, pwd, shutil, subprocess, sys, tempfile, time  # noqa: E401
from contextlib import suppress

from Xlib import X, XK, Xatom, display as xdisplay, error as xerror
from Xlib.ext import xtest
from Xlib.protocol import event as xevent

HERE = os.path.dirname(os.path.abspath(__file__))


def acceptance(path=os.path.join(HERE, "..", "acceptance.txt")):
    # The table of what the program must show: key -> list of words.
    with open(path, encoding="utf-8") as f:
        pairs = (line.split(":", 1) for line in f if line.strip() and not line.startswith("#"))
        return {key.strip(): value.split() for key, value in pairs}


A = acceptance()
CAPTION = " ".join(A["caption"])
SILVER = int(A["area colour"][0], 16)
PALETTE = [int(c, 16) for c in A["palette"]]
MENUS = [(menu, A[menu]) for menu in A["menus"]]


def px(logical, scale):
    # A length in logical pixels, in the device pixels a screen at this scale shows.
    return int(logical * scale + 0.5)


def program_path():
    return os.environ.get("TACOLINA_BIN", "tacolina")


def wait_for(condition, what=None, timeout=10.0, step=0.05):
    # Polls condition until it gives something true, and returns that. Past
    # the timeout: None, or, if what was awaited is named, AssertionError.
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            if what is None:
                return None
            raise AssertionError(f"waited {timeout:g} s for {what() if callable(what) else what}")
        time.sleep(step)
    return value


class Shot:
    # What the screen showed in a rectangle: 0xRRGGBB ints, row by row.

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    @staticmethod
    def from_bytes(width, height, data, order):
        # From packed pixels: order names where R, G and B lie in each.
        step = len(order)
        four = bytearray(width * height * 4)
        for channel, to in zip("BGR", range(3)):
            four[to::4] = data[order.index(channel)::step]
        return Shot(width, height, array.array("I", bytes(four)))

    def __eq__(self, other):
        return isinstance(other, Shot) and self.pixels == other.pixels

    def at(self, x, y):
        return self.pixels[y * self.width + x]

    def crop(self, x, y, width, height):
        w, rows = self.width, array.array("I")
        for r in range(y, y + height):
            rows.extend(self.pixels[r * w + x : r * w + x + width])
        return Shot(width, height, rows)

    def count(self, colour):
        return self.pixels.count(colour)

    def painted(self):
        return len(self.pixels) - self.count(SILVER)

    def find_solid(self, colour, width, height):
        # (x, y) in the shot of a solid width x height rectangle of colour,
        # with other colours just outside it; or None.
        row, w = array.array("I", [colour] * width), self.width
        def solid(x, y):
            inside = all(self.pixels[r * w + x : r * w + x + width] == row for r in range(y, y + height))
            outside = ((x - 1, y), (x + width, y), (x, y - 1), (x, y + height))
            return inside and all(not (0 <= i < w and 0 <= j < self.height) or self.at(i, j) != colour
                                  for i, j in outside)
        for y in range(self.height - height + 1):
            line, start = self.pixels[y * w : (y + 1) * w].tobytes(), 0
            while (x := line.find(row.tobytes(), start)) >= 0:
                start = x + 1
                if x % 4 == 0 and solid(x // 4, y):
                    return x // 4, y
        return None

    def changed_box(self, before, below=0):
        # (left, top, right, bottom) of the pixels unlike before's from row
        # `below` down, or None.
        w = self.width
        rows = [y for y in range(below, self.height) if self.pixels[y * w:(y + 1) * w] != before.pixels[y * w:(y + 1) * w]]
        columns = [x for x in range(w) if any(self.at(x, y) != before.at(x, y) for y in rows)]
        return (columns[0], rows[0], columns[-1], rows[-1]) if rows else None

    def blobs(self):
        # Connected patches off the silver: (left, top, width, height, pixels).
        w, h, px = self.width, self.height, self.pixels
        seen = bytearray(px[i] == SILVER for i in range(w * h))
        found = []
        for start in (i for i in range(w * h) if not seen[i]):
            seen[start], stack, n = 1, [start], 0
            left, top, right, bottom = w, h, -1, -1
            while stack:
                i = stack.pop()
                x, y = i % w, i // w
                n += 1
                left, right, top, bottom = min(left, x), max(right, x), min(top, y), max(bottom, y)
                for j, ok in ((i + 1, x + 1 < w), (i - 1, x > 0), (i + w, y + 1 < h), (i - w, y > 0)):
                    if ok and not seen[j]:
                        seen[j] = 1
                        stack.append(j)
            found.append((left, top, right - left + 1, bottom - top + 1, n))
        return found

    def lone_dots(self):
        # The blobs that are one whole dot: round, not cut by the edge, and
        # filling about pi/4 of their box (overlapping dots fill less).
        return [b for b in self.blobs() if b[0] > 0 and b[1] > 0 and b[0] + b[2] < self.width
                and b[1] + b[3] < self.height and abs(b[2] - b[3]) <= 1 and b[4] / (b[2] * b[3]) > 0.7]

    def kept(self, before):
        # Pixels painted in before that are background now, with all their
        # 3x3 neighbourhood: a soft edge crossing another colour may blend one
        # lone pixel back to exactly the silver, never a patch.
        def background(x, y):
            return all(self.at(min(max(x + dx, 0), self.width - 1), min(max(y + dy, 0), self.height - 1)) == SILVER
                       for dx in (-1, 0, 1) for dy in (-1, 0, 1))
        return sum(1 for i, p in enumerate(before.pixels)
                   if p != SILVER and self.pixels[i] == SILVER and background(i % self.width, i // self.width))


def settled(shoot, what="the picture to settle", step=0.1, timeout=10):
    # A shot once two in a row, step seconds apart, are the same.
    last = [shoot()]
    def same():
        time.sleep(step)
        last.append(shoot())
        return last[-1] == last[-2]
    wait_for(same, what, timeout, step=0)
    return last[-1]


def usage(pid):
    # What a process has used so far, all its threads: CPU seconds to the
    # nanosecond (schedstat; /proc/PID/stat's clock ticks are too coarse), and
    # context switches, each a wake-up or a preemption, of the main thread and
    # of all.
    cpu, main, total = 0, 0, 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with suppress(OSError):
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                cpu += int(f.read().split()[0])
            with open(f"/proc/{pid}/task/{task}/status") as f:
                switches = sum(int(line.split()[1]) for line in f if "ctxt_switches" in line)
            total += switches
            main = switches if int(task) == pid else main
    return cpu / 1e9, main, total


class Program:
    # A program started for a test or a benchmark, its standard error kept
    # in a file for failure messages, killed if it outlives its use.

    def __init__(self, command=None, env=None, **popen):
        self.err = tempfile.TemporaryFile(mode="w+")
        popen.setdefault("stdout", subprocess.DEVNULL)
        self.process = subprocess.Popen(command or [program_path()], env=env, stderr=self.err, **popen)
        self.pid = self.process.pid

    def running(self):
        return self.process.poll() is None

    def wait(self, timeout=10):
        # Exit status (negative for a signal), or None if still running.
        with suppress(subprocess.TimeoutExpired):
            return self.process.wait(timeout)

    def stderr(self):
        self.err.seek(0)
        return self.err.read()

    def ends(self, timeout=10):
        # Its exit status, having awaited its end; AssertionError if it runs on.
        status = self.wait(timeout)
        assert status is not None, f"waited {timeout} s for the program to end; its stderr:\n{self.stderr()}"
        return status

    def end(self):
        if self.running():
            self.process.kill()
            self.process.wait()
        self.err.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.end()


class X11:
    # The X display in $DISPLAY (or `display`), through python3-xlib.

    def __init__(self, display=None):
        self.d = xdisplay.Display(display)
        # Windows come and go while looked at: a request about one just gone
        # fails, which only means it is not there.
        self.d.set_error_handler(lambda *_: None)
        assert self.d.has_extension("XTEST"), "the X server has no XTest extension"
        self.root = self.d.screen().root
        self.covers = []

    def shot(self, rect=None):
        x, y, w, h = rect or (0, 0, self.root.get_geometry().width, self.root.get_geometry().height)
        data = self.root.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF).data
        return Shot.from_bytes(w, h, data, "BGRX")

    def move(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()

    def press(self, x, y):
        self.move(x, y)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.sync()
        # A window manager may hold the pointer while it focuses the window:
        # the click is over once no button is down.
        wait_for(lambda: not self.root.query_pointer().mask & (X.Button1Mask | X.Button3Mask),
                 "the pointer's button to be up")

    def type(self, *keys):
        for key in keys:
            codes = [self.d.keysym_to_keycode(XK.string_to_keysym(k)) for k in key.split("+")]
            for code in codes:
                xtest.fake_input(self.d, X.KeyPress, code)
            for code in reversed(codes):
                xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.sync()

    def start(self, command=None, env=None):
        return Program(command, env)

    def window(self, title=CAPTION):
        # The viewable window with this title, if any, of those the window
        # manager lists: a few requests, not one a window of the whole tree.
        clients = self.root.get_full_property(self.d.intern_atom("_NET_CLIENT_LIST"), X.AnyPropertyType)
        for window in map(lambda id: self.d.create_resource_object("window", id), clients.value if clients else []):
            with suppress(xerror.XError):
                name = window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
                if name and bytes(name.value).decode("utf-8", "replace") == title \
                        and window.get_attributes().map_state == X.IsViewable:
                    return window
        return None

    def inside(self, window):
        # (x, y, width, height) of the window's inside, on the screen.
        at, size = window.translate_coords(self.root, 0, 0), window.get_geometry()
        return -at.x, -at.y, size.width, size.height

    def popup(self):
        # (x, y, width, height) of the open popup menu: a viewable
        # override-redirect window on the screen (toolkits keep tiny helpers
        # off it), not a cover; or None.
        found = None
        for child in self.root.query_tree().children:
            with suppress(xerror.XError):
                a, g = child.get_attributes(), child.get_geometry()
                if a.map_state == X.IsViewable and a.override_redirect and g.x >= 0 and g.y >= 0 \
                        and g.width > 1 and g.height > 1 and child not in self.covers:
                    found = g.x, g.y, g.width, g.height
        return found

    def cover(self, rect, rgb):
        # A plain window of one colour, frameless, exactly over rect.
        window = self.root.create_window(*rect, 0, X.CopyFromParent, X.InputOutput, X.CopyFromParent,
                                         background_pixel=rgb, override_redirect=True)
        window.map()
        window.configure(stack_mode=X.Above)
        self.d.sync()
        self.covers.append(window)
        return window

    def uncover(self, window):
        self.covers.remove(window)
        window.destroy()
        self.d.sync()

    def _ask_wm(self, window, message, *data):
        ev = xevent.ClientMessage(window=window, client_type=self.d.intern_atom(message),
                                  data=(32, (list(data) + [0] * 5)[:5]))
        self.root.send_event(ev, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.d.sync()

    def iconify(self, window):
        self._ask_wm(window, "WM_CHANGE_STATE", 3)  # IconicState

    def activate(self, window):
        # As a task bar asks the window manager: source 2, a pager.
        self._ask_wm(window, "_NET_ACTIVE_WINDOW", 2, X.CurrentTime)
        window.map()
        window.configure(stack_mode=X.Above)
        self.d.sync()

    def has_focus(self, window):
        # Whether keyboard input goes to the window or one inside it.
        focused = self.d.get_input_focus().focus
        with suppress(xerror.XError, AttributeError):
            while focused and focused not in (X.PointerRoot, self.root):
                if focused == window:
                    return True
                focused = focused.query_tree().parent
        return False

    def focus(self, window, timeout=10):
        # Gives the window the focus as a task bar would, asking again each
        # half second: a window still coming back from being minimised may turn
        # it down (Wine 10 does) until it is back.
        polls = iter(range(10 ** 9))
        def focused():
            if self.has_focus(window):
                return True
            if next(polls) % 10 == 0:
                self.activate(window)
        wait_for(focused, "the window to have the keyboard focus", timeout)


class Window:
    # What every adapter's window does with its area(), click_area() and px().

    def painted(self):
        return self.area().painted()

    def paint(self, pixels):
        # Paints until `pixels` are painted, stops, and awaits a still picture.
        self.click_area()
        wait_for(lambda: self.painted() >= pixels, f"{pixels} pixels painted", 10)
        self.click_area()
        return settled(self.area, "the picture to settle after the second click")


class X11Window(Window):
    # The program's window in $DISPLAY, found by its caption and its silver
    # area, driven with the mouse and the keyboard. What differs between the
    # programs driven comes from the environment: the screen's scale for the
    # program (TACOLINA_SCALE), the menu highlight behind the chosen item,
    # neither a dot's colour nor a blend of one with silver
    # (TACOLINA_MENU_HIGHLIGHT, hex), and whether F10 only selects the menu bar
    # for Down to open the first menu, as on Windows (TACOLINA_F10_SELECTS_BAR).
    scale = float(os.environ.get("TACOLINA_SCALE", "1"))
    highlight = int(os.environ.get("TACOLINA_MENU_HIGHLIGHT", "308CC6"), 16)

    def px(self, logical):
        return px(logical, self.scale)

    def open(self, command=None, env=None):
        self.x = X11()
        self.program = self.x.start(command, env)
        # Wine may take a while to start its own services first.
        self.window = wait_for(self.x.window, f"a window titled {CAPTION}", 60)
        self.size = [self.px(int(v)) for v in A["area"][2:]]
        self.at = wait_for(lambda: self.x.shot(self.x.inside(self.window)).find_solid(SILVER, *self.size),
                           f"the drawing area as a {self.size} silver rectangle")

    def close(self):
        if self.program.wait(0) not in (None, 0):
            print(f"the program ended with {self.program.wait(0)}:\n{self.program.stderr()}", file=sys.stderr)
        self.program.end()
        for cover in list(self.x.covers):
            self.x.uncover(cover)
        # The server may show a killed program's window a while longer, and
        # give its id to the next program's window, not yet sized or shown:
        # the next test must not take the one for the other.
        wait_for(lambda: not self.x.window(), "the ended program's window to go")

    def area_rect(self):
        # The window manager may place the window anew after minimising.
        x, y, _, _ = self.x.inside(self.window)
        return x + self.at[0], y + self.at[1], *self.size

    def area(self):
        return self.x.shot(self.area_rect())

    def click_area(self):
        # Then the pointer out of the way, so that shots show the picture alone.
        x, y, w, h = self.area_rect()
        self.x.press(x + w // 2, y + h // 2)
        self.x.move(0, 0)

    def open_first_menu(self):
        # Keys go to the focused window, which may not have it back yet.
        self.x.focus(self.window)
        self.x.type("F10", *["Down"] * bool(os.environ.get("TACOLINA_F10_SELECTS_BAR")))
        return wait_for(self.x.popup, "F10 to open a menu")

    def choose(self, menu, caption):
        index = [m for m, _ in MENUS].index(menu)
        shown = self.open_first_menu()
        for _ in range(index):
            self.x.type("Right")
            shown = wait_for(lambda left=shown[0]: (p := self.x.popup()) and p[0] > left and p, f"menu {menu}")
        self.x.type(*["Down"] * A[menu].index(caption))
        # A popup is mapped before it is drawn, and the window repaints what
        # it covered after it closes: a drawn menu is a tenth or more of its
        # highlight colour.
        w, h = shown[2:]
        drawn = lambda: self.x.shot(shown).count(self.highlight) * 10 > w * h  # noqa: E731
        wait_for(drawn, f"menu {menu} to be drawn")
        self.x.type("Return")
        wait_for(lambda: not self.x.popup(), f"menu {menu} to close")
        wait_for(lambda: not drawn(), "the window to repaint where the menu was")

    def client_shot(self):
        return self.x.shot(self.x.inside(self.window))

    def popup(self):
        return self.x.popup()


class Sway:
    # A headless sway with one output at the given scale, run as an
    # unprivileged user (sway refuses root), with no GPU and no input devices.

    def __init__(self, scale=1, user="nobody"):
        self.scale = scale
        self.dir, self.client_dir = tempfile.mkdtemp(prefix="tacolina-sway-"), tempfile.mkdtemp(prefix="tacolina-c-")
        command = []
        if os.geteuid() == 0:
            account = pwd.getpwnam(user)
            os.chown(self.dir, account.pw_uid, account.pw_gid)
            command = ["runuser", "-u", user, "--"]
        os.chmod(self.dir, 0o700)
        config = os.path.join(self.dir, "config")
        with open(config, "w") as f:
            f.write(f"output HEADLESS-1 resolution 1280x720 scale {scale}\n")
        env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": self.dir, "XDG_RUNTIME_DIR": self.dir,
               "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        self.process = Program(command + ["sway", "-c", config], env)
        sockets = wait_for(self._sockets)
        if not sockets:
            log = self.process.stderr()
            self.close()
            raise RuntimeError("sway did not start:\n" + log)
        # Clients reach the sockets by path and keep a runtime directory of their own.
        self.env = {"WAYLAND_DISPLAY": sockets[0], "SWAYSOCK": sockets[1], "XDG_RUNTIME_DIR": self.client_dir}

    def _sockets(self):
        names = os.listdir(self.dir)
        wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in names if n.startswith("sway-ipc.")]
        return wayland and ipc and (os.path.join(self.dir, wayland[0]), os.path.join(self.dir, ipc[0]))

    def pid(self):
        # Sway itself: as root, runuser's child.
        with suppress(OSError, IndexError):
            with open(f"/proc/{self.process.pid}/task/{self.process.pid}/children") as f:
                return int(f.read().split()[0])
        return self.process.pid

    def client_env(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        return {**env, **self.env}

    def start(self, command=None, env=None):
        return Program(command, {**self.client_env(), **(env or {})})

    def shot(self, rect=None):
        data = subprocess.run(["grim", "-t", "ppm", "-"], env=self.client_env(), capture_output=True,
                              check=True, timeout=10).stdout
        # Binary PPM as grim writes it: "P6\nW H\n255\n", then the pixels.
        magic, size, top, pixels = data.split(b"\n", 3)
        assert magic == b"P6" and top == b"255", data[:20]
        shot = Shot.from_bytes(*map(int, size.split()), pixels, "RGB")
        return shot.crop(*rect) if rect else shot

    def press(self, x, y):
        raise NotImplementedError("headless sway has no pointer: press through assistive technology")

    def type(self, *keys, pause_ms=300):
        # Keys (a number: a pause in ms) through wtype's virtual keyboard,
        # which lives as long as wtype runs: a second's pause first, for the
        # compositor to hand its keymap and focus to the window, and pause_ms
        # after each key. Returns the running wtype.
        args = ["-s", "1000"]
        for key in keys:
            args += ["-s", str(key)] if isinstance(key, int) else ["-k", key, "-s", str(pause_ms)]
        return Program(["wtype", *args], self.client_env())

    def msg(self, *args):
        out = subprocess.run(["swaymsg", *args], env=self.client_env(), capture_output=True, text=True, check=True,
                             timeout=10)
        return json.loads(out.stdout) if out.stdout.strip() else None

    def node(self, app_id):
        # The sway tree's node of the window with this app id, or None.
        stack = [self.msg("-t", "get_tree")]
        while stack:
            node = stack.pop()
            if node.get("app_id") == app_id:
                return node
            stack += node.get("nodes", []) + node.get("floating_nodes", [])
        return None

    def close(self):
        if self.process.running():
            self.process.process.terminate()
            self.process.wait(10)
        self.process.end()
        shutil.rmtree(self.dir, ignore_errors=True)
        shutil.rmtree(self.client_dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


@contextlib.contextmanager
def accessibility_bus():
    # A private session bus with the accessibility bus on it, switched on as
    # a screen reader switches it on, for this process and its children.
    tmp = tempfile.mkdtemp(prefix="tacolina-a11y-")
    send = ["dbus-send", "--session", "--print-reply"]
    with Program(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                 stdout=subprocess.PIPE, text=True) as daemon:
        address = daemon.process.stdout.readline().strip()
        assert address, "dbus-daemon printed no address"
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, XDG_RUNTIME_DIR=tmp)
        with Program(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]):
            wait_for(lambda: "true" in subprocess.run(send + [
                "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                "string:org.a11y.Bus"], capture_output=True, text=True, timeout=10).stdout, "the accessibility bus")
            subprocess.run(send + ["--dest=org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                                   "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                           capture_output=True, check=True, timeout=10)
            try:
                yield
            finally:
                shutil.rmtree(tmp, ignore_errors=True)


class Accessible:
    # The program's accessible tree as a screen reader reads it (pyatspi),
    # once accessibility_bus() has set the bus up.

    def __init__(self, pid):
        import pyatspi
        self.pyatspi, self.pid = pyatspi, pid
        self.app = wait_for(self._app, "the program on the accessibility bus", timeout=20)
        self.frame = wait_for(lambda: self.child(self.app, "frame", CAPTION), f"a frame named {CAPTION!r}")

    def _app(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            with suppress(Exception):  # an application just gone
                if app is not None and app.get_process_id() == self.pid:
                    return app

    @staticmethod
    def child(parent, role, name=None):
        return next((c for c in parent if c.getRoleName() == role and name in (None, c.name)), None)

    def find(self, role, name=None):
        # The first accessible of this role (and name) in the frame.
        stack = [self.frame]
        while stack:
            node = stack.pop(0)
            if node.getRoleName() == role and name in (None, node.name):
                return node
            stack[0:0] = list(node)

    def menus(self):
        # [(menu title, [item captions])], as the tree holds them.
        return [(m.name, [i.name for i in self.child(m, "popup menu") or []]) for m in self.find("menu bar")]

    def actions(self, node):
        action = node.queryAction()
        return [action.getName(i) for i in range(action.nActions)]

    def extents(self, node, desktop=False):
        e = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS if desktop else self.pyatspi.WINDOW_COORDS)
        return e.x, e.y, e.width, e.height

    def press(self, node):
        assert self.actions(node) == ["Press"], f"{node.name!r} offers {self.actions(node)}"
        node.queryAction().doAction(0)

    def item(self, menu, caption):
        return self.child(self.child(self.find("menu item", menu), "popup menu"), "menu item", caption)

    def choose(self, menu, caption):
        self.press(self.item(menu, caption))

    def area(self):
        return self.find("canvas")


def open_close(command, timeout):
    # Starts command in $DISPLAY, closes its window as a user would, and
    # awaits its end with status 0.
    x = X11()
    with x.start(command) as program:
        try:
            window = wait_for(lambda: x.window() or not program.running() or None,
                              f"a window titled {CAPTION!r}", timeout)
            assert program.running(), f"the program ended with status {program.wait()} before showing its window"
            x.focus(window, timeout)
            x.type("Alt_L+F4")
            status = program.ends(timeout)
            assert status == 0, f"the program ended with status {status}"
        except AssertionError as e:
            print(f"session.py open-close: {e}; the program's stderr:\n{program.stderr()}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    args = sys.argv[1:]
    timeout = 30.0
    if args[1:2] == ["--timeout"]:
        timeout = float(args[2])
        del args[1:3]
    if len(args) < 3 or args[:2] != ["open-close", "--"]:
        sys.exit("usage: session.py open-close [--timeout SECONDS] -- COMMAND [ARGS...]")
    sys.exit(open_close(args[2:], timeout))
