# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The program on a real desktop as assistive technology and a compositor see
# it: a private D-Bus session with the accessibility bus, a headless sway
# started as an unprivileged user, screenshots as plain pixel arrays, and the
# program's accessible tree read and driven through pyatspi.
#
# Run these with Debian's /usr/bin/python3, which has pyatspi.
import contextlib
import json
import os
import pwd
import shutil
import signal
import subprocess
import tempfile
import time

SILVER = (0xC0, 0xC0, 0xC0)
BLACK, BLUE = (0, 0, 0), (0, 0, 0xFF)
CAPTION = "Tacolina 2.0"
MENUS = [
    ("Velocitat", ["Poca", "Normal", "Molta"]),
    ("Gruix", ["Poc", "Normal", "Molt"]),
    ("Colors", ["Pocs", "Normal", "Molts"]),
    ("Accions", ["Esborra", "Surt"]),
]


def program_path():
    return os.environ.get("TACOLINA_BIN", "tacolina")


def wait_for(condition, timeout=10.0, step=0.05):
    """Polls condition until it returns something true; that value, or None."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(step)


class Shot:
    """What the screen showed: width x height RGB pixels, row by row."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @staticmethod
    def from_ppm(data):
        # Binary PPM: "P6", width, height, maximum, one whitespace, pixels.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos : pos + 1].isspace():
                pos += 1
            if data[pos : pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end : end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        return Shot(int(fields[1]), int(fields[2]), data[pos + 1 :])

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i : i + 3])

    def crop(self, x, y, width, height):
        rows = [self.rgb[3 * ((y + r) * self.width + x) : 3 * ((y + r) * self.width + x + width)] for r in range(height)]
        return Shot(width, height, b"".join(rows))

    def pixels(self):
        for i in range(0, len(self.rgb), 3):
            yield tuple(self.rgb[i : i + 3])

    def count_other(self, colour):
        return sum(1 for p in self.pixels() if p != colour)

    def find_solid(self, colour, width, height):
        """Top-left of a solid rectangle of exactly this colour and size, whose
        neighbours just outside it are of another colour; or None."""
        row = bytes(colour) * width
        for y in range(self.height - height + 1):
            start = 0
            line = self.rgb[3 * y * self.width : 3 * (y + 1) * self.width]
            while (x := line.find(row, start)) >= 0:
                start = x + 1
                if x % 3:
                    continue
                x //= 3
                if self._solid(colour, x, y, width, height):
                    return x, y
        return None

    def _solid(self, colour, x, y, width, height):
        inside = all(self.crop(x, y + r, width, 1).rgb == bytes(colour) * width for r in range(height))
        if not inside:
            return False
        outside = [(x - 1, y), (x + width, y), (x, y - 1), (x, y + height)]
        return all(not (0 <= ox < self.width and 0 <= oy < self.height) or self.at(ox, oy) != colour
                   for ox, oy in outside)

    def changed_box(self, before, below=0):
        """(left, top, right, bottom) of the pixels that differ from before in
        the rows from `below` down, or None if none do."""
        rows = [y for y in range(below, self.height)
                if self.rgb[3 * y * self.width : 3 * (y + 1) * self.width]
                != before.rgb[3 * y * self.width : 3 * (y + 1) * self.width]]
        if not rows:
            return None
        columns = [x for x in range(self.width) if any(self.at(x, y) != before.at(x, y) for y in rows)]
        return columns[0], rows[0], columns[-1], rows[-1]

    def blobs(self, background=SILVER):
        """Connected patches of other colours: (left, top, width, height, pixels)."""
        seen = bytearray(self.width * self.height)
        found = []
        for start in range(self.width * self.height):
            if seen[start] or self.at(start % self.width, start // self.width) == background:
                continue
            seen[start] = 1
            stack, pixels = [start], 0
            left, top, right, bottom = self.width, self.height, -1, -1
            while stack:
                i = stack.pop()
                x, y = i % self.width, i // self.width
                pixels += 1
                left, right, top, bottom = min(left, x), max(right, x), min(top, y), max(bottom, y)
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    n = ny * self.width + nx
                    if 0 <= nx < self.width and 0 <= ny < self.height and not seen[n] \
                            and self.at(nx, ny) != background:
                        seen[n] = 1
                        stack.append(n)
            found.append((left, top, right - left + 1, bottom - top + 1, pixels))
        return found

    def lone_dots(self):
        """The blobs that are one whole dot: round, unclipped, filling about
        pi/4 of their box."""
        return [b for b in self.blobs()
                if b[0] > 0 and b[1] > 0 and b[0] + b[2] < self.width and b[1] + b[3] < self.height
                and abs(b[2] - b[3]) <= 1 and b[4] / (b[2] * b[3]) > 0.7]


def black_blue_on_silver(colour):
    """Whether colour is a mix of black, blue and the silver background, as
    soft edges of black and blue dots over each other are."""
    r, g, b = colour
    silver = r / SILVER[0]  # black adds nothing, and blue adds only to b
    blue = (b - r) / 255
    return abs(r - g) <= 2 and blue >= -0.02 and silver + blue <= 1.02


@contextlib.contextmanager
def accessibility_bus():
    """A private session bus with the accessibility bus on it, switched on as a
    screen reader switches it on. Yields the environment for its clients."""
    tmp = tempfile.mkdtemp(prefix="tacolina-a11y-")
    daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    launcher = None
    try:
        address = daemon.stdout.readline().strip()
        assert address, "dbus-daemon printed no address"
        env = {"DBUS_SESSION_BUS_ADDRESS": address, "XDG_RUNTIME_DIR": tmp}
        os.environ.update(env)
        launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owned = wait_for(lambda: "true" in subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
             "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"], capture_output=True, text=True).stdout)
        assert owned, "the accessibility bus launcher did not start"
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                        "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                        "variant:boolean:true"], capture_output=True, check=True)
        yield env
    finally:
        for process in (launcher, daemon):
            if process is not None:
                process.terminate()
                process.wait()
        shutil.rmtree(tmp, ignore_errors=True)


class Sway:
    """A headless sway with one output at the given scale, run as an
    unprivileged user (sway refuses root), with no GPU and no input devices."""

    def __init__(self, scale, user="nobody"):
        self.scale = scale
        self.dir = tempfile.mkdtemp(prefix="tacolina-sway-")
        self.client_dir = tempfile.mkdtemp(prefix="tacolina-client-")
        command = []
        if os.geteuid() == 0:
            # Sway refuses to run as root: it gets a runtime directory of
            # the unprivileged user's own.
            account = pwd.getpwnam(user)
            os.chown(self.dir, account.pw_uid, account.pw_gid)
            command = ["runuser", "-u", user, "--"]
        os.chmod(self.dir, 0o700)
        config = os.path.join(self.dir, "config")
        with open(config, "w") as f:
            f.write(f"output HEADLESS-1 resolution 1280x720 scale {scale}\n")
        env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": self.dir, "XDG_RUNTIME_DIR": self.dir,
               "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        self.log = open(os.path.join(self.client_dir, "sway.log"), "w")
        self.process = subprocess.Popen(command + ["sway", "-c", config], env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        sockets = wait_for(lambda: self._sockets())
        if not sockets:
            self.close()
            raise RuntimeError("sway did not start:\n" + open(self.log.name).read())
        wayland, ipc = sockets
        # Clients reach the sockets by absolute path and keep a runtime
        # directory of their own.
        self.env = {"WAYLAND_DISPLAY": wayland, "SWAYSOCK": ipc, "XDG_RUNTIME_DIR": self.client_dir}

    def _sockets(self):
        names = os.listdir(self.dir)
        wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in names if n.startswith("sway-ipc.")]
        if wayland and ipc:
            return os.path.join(self.dir, wayland[0]), os.path.join(self.dir, ipc[0])
        return None

    def client_env(self, **extra):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(self.env)
        env.update(extra)
        return env

    def msg(self, *args):
        out = subprocess.run(["swaymsg", *args], env=self.client_env(), capture_output=True, text=True, check=True)
        return json.loads(out.stdout) if out.stdout.strip() else None

    def window(self, app_id):
        """The sway tree's node of the window with this app id, or None."""
        def walk(node):
            if node.get("app_id") == app_id:
                return node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                if (found := walk(child)) is not None:
                    return found
            return None
        return walk(self.msg("-t", "get_tree"))

    def screenshot(self):
        data = subprocess.run(["grim", "-t", "ppm", "-"], env=self.client_env(), capture_output=True,
                              check=True).stdout
        return Shot.from_ppm(data)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        shutil.rmtree(self.client_dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def x_screenshot():
    """The whole X screen ($DISPLAY)."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                          check=True).stdout
    return Shot.from_ppm(data)


class Program:
    """The program, started for a test and killed if it outlives it."""

    def __init__(self, env=None):
        self.process = subprocess.Popen([program_path()], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)

    def wait(self, timeout=10):
        """Exit status (negative for a signal), or None if still running."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stderr(self):
        return self.process.stderr.read() if self.process.poll() is not None else ""

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()


class AccessibleProgram:
    """The program's accessible tree, as a screen reader or switch access
    reads it. Import after accessibility_bus() has set the bus up."""

    def __init__(self, pid):
        import pyatspi
        self.pyatspi = pyatspi
        self.pid = pid
        self.app = wait_for(self._find_app, timeout=20)
        assert self.app is not None, "the program did not show on the accessibility bus"
        self.frame = wait_for(lambda: self._child(self.app, "frame", CAPTION), timeout=10)
        assert self.frame is not None, f"no frame named {CAPTION!r}"

    def _find_app(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except Exception:  # an application that has just gone
                continue
        return None

    @staticmethod
    def _child(parent, role, name=None):
        for child in parent:
            if child.getRoleName() == role and (name is None or child.name == name):
                return child
        return None

    def find(self, role, name=None, root=None):
        """The first accessible of this role (and name) under root, depth first."""
        stack = [root or self.frame]
        while stack:
            node = stack.pop(0)
            if node.getRoleName() == role and (name is None or node.name == name):
                return node
            stack[0:0] = list(node)
        return None

    def menus(self):
        """[(menu title, [item captions])] in order, as the tree holds them."""
        bar = self.find("menu bar")
        result = []
        for menu in bar:
            popup = self._child(menu, "popup menu")
            result.append((menu.name, [item.name for item in popup] if popup is not None else []))
        return result

    def actions(self, node):
        action = node.queryAction()
        return [action.getName(i) for i in range(action.nActions)]

    def do(self, node, name):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        assert name in names, f"{node.name!r} offers {names}, not {name!r}"
        action.doAction(names.index(name))

    def item(self, menu, caption):
        return self._child(self._child(self.find("menu item", menu), "popup menu"), "menu item", caption)

    def choose(self, menu, caption):
        self.do(self.item(menu, caption), "Press")

    def area(self):
        return self.find("canvas")

    def press_area(self):
        self.do(self.area(), "Press")
