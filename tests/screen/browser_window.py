# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The web page in headless Chromium as the harness's window: served from
# the built site (TACOLINA_WEB_SITE), found as its silver area in the
# browser's screen shots, driven with the mouse and the keyboard over the
# DevTools protocol (tests/browser/chromium.py). Before the page's own
# script runs, a few lines keep the wasm's exports at hand and count what
# the page draws and which interval timers it keeps.
import base64, os, struct, sys, zlib  # noqa: E401
from contextlib import suppress

from session import A, MENUS, SILVER, Shot, Window, px, wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "browser"))
from chromium import Chromium  # noqa: E402
from serve import Site  # noqa: E402

WATCH = """(() => {
  const instantiate = WebAssembly.instantiateStreaming;
  WebAssembly.instantiateStreaming = async (...args) => {
    const made = await instantiate(...args);
    window.tacolina = made.instance.exports;
    return made;
  };
  window.drawn = {frames: 0, boxes: 0};
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (f) => request((t) => { window.drawn.frames++; f(t); });
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    window.drawn.boxes++;
    return put.apply(this, args);
  };
  window.intervals = new Set();
  const every = window.setInterval.bind(window), stop = window.clearInterval.bind(window);
  window.setInterval = (...args) => { const id = every(...args); window.intervals.add(id); return id; };
  window.clearInterval = (id) => { window.intervals.delete(id); stop(id); };
})()"""


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def decode_png(data):
    # (width, height, RGB or RGBA bytes) of an 8-bit truecolour PNG.
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), f"PNG of depth {depth}, colour type {colour}"
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    n = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * n
    out, prior = bytearray(), bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 1:
            for i in range(n, stride):
                line[i] = (line[i] + line[i - n]) & 255
        elif kind == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, prior))
        elif kind == 3:
            for i in range(stride):
                line[i] = (line[i] + ((line[i - n] if i >= n else 0) + prior[i]) // 2) & 255
        elif kind == 4:
            for i in range(stride):
                line[i] = (line[i] + paeth(line[i - n] if i >= n else 0, prior[i], prior[i - n] if i >= n else 0)) & 255
        out += line
        prior = line
    return width, height, bytes(out), "RGB" if n == 3 else "RGBA"


class BrowserWindow(Window):
    # scale: the page's device pixel ratio.
    scale = 1
    width, height = 480, 480  # the viewport, in CSS pixels

    def open(self, site=None):
        self.site = Site(site or os.environ["TACOLINA_WEB_SITE"])
        self.browser = Chromium(self.width, self.height)
        self.browser.call("Page.addScriptToEvaluateOnNewDocument", session=True, source=WATCH)
        if self.scale != 1:
            self.browser.call("Emulation.setDeviceMetricsOverride", session=True, width=self.width,
                              height=self.height, deviceScaleFactor=self.scale, mobile=False)
        self.browser.open(self.site.url)
        wait_for(lambda: self.evaluate("!!(window.tacolina && document.getElementById('picture1'))"),
                 "the page to build its window")
        self.client = self.evaluate("(r => [r.x, r.y, r.width, r.height])"
                                    "(document.querySelector('#form1 .client').getBoundingClientRect())")
        self.size = [self.px(int(v)) for v in A["area"][2:]]
        self.at = wait_for(lambda: self.client_shot().find_solid(SILVER, *self.size),
                           f"the drawing area as a {self.size} silver rectangle")

    def close(self):
        for part in ("browser", "site"):  # what open() got to
            with suppress(AttributeError):
                getattr(self, part).close()

    def evaluate(self, expression):
        return self.browser.evaluate(expression)

    def shot(self, x, y, width, height):
        # What the page shows in this box of CSS pixels, in device pixels.
        clip = {"x": x, "y": y, "width": width, "height": height, "scale": 1}
        png = self.browser.call("Page.captureScreenshot", session=True, clip=clip)["data"]
        w, h, data, order = decode_png(base64.b64decode(png))
        return Shot.from_bytes(w, h, data, order)

    def client_shot(self):
        return self.shot(*self.client)

    def area_box(self):
        # The area in CSS pixels, on the page.
        x, y = self.client[0] + self.at[0] / self.scale, self.client[1] + self.at[1] / self.scale
        return x, y, self.size[0] / self.scale, self.size[1] / self.scale

    def area(self):
        return self.shot(*self.area_box())

    def click_area(self):
        # Then the pointer out of the way.
        x, y, w, h = self.area_box()
        self.browser.click(x + w // 2, y + h // 2)
        self.browser.call("Input.dispatchMouseEvent", session=True, type="mouseMoved", x=0, y=0)

    def key(self, *names):
        for name in names:
            self.browser.key(name)

    def focused(self):
        return self.evaluate("document.activeElement.textContent")

    def popup(self):
        # (x, y, width, height) of the open menu in CSS pixels, or None.
        return self.evaluate("(m => m && (r => [r.x, r.y, r.width, r.height])(m.getBoundingClientRect()))"
                             "(document.querySelector('ul.menu:not([hidden])'))")

    def open_first_menu(self):
        # F10 reaches the bar, Down opens its first menu.
        self.key("F10")
        wait_for(lambda: self.focused() == MENUS[0][0], "F10 to reach the menu bar")
        self.key("ArrowDown")
        return wait_for(self.popup, "Down to open a menu")

    def choose(self, menu, caption):
        self.key("F10")
        wait_for(lambda: self.focused() == MENUS[0][0], "F10 to reach the menu bar")
        self.key(*["ArrowRight"] * [m for m, _ in MENUS].index(menu))
        wait_for(lambda: self.focused() == menu, f"the bar's {menu}")
        self.key("ArrowDown", *["ArrowDown"] * A[menu].index(caption))
        wait_for(lambda: self.focused() == caption, f"item {caption} of menu {menu}")
        self.key("Enter")
        wait_for(lambda: not self.popup(), f"menu {menu} to close")

    def ticks(self):
        # The timer's ticks so far, and the page's clock in ms.
        return self.evaluate("[tacolina.tacolina_ticks(), performance.now()]")

    def drawn(self):
        # Frames and boxes drawn so far.
        return self.evaluate("[drawn.frames, drawn.boxes]")

    def px(self, logical):
        return px(logical, self.scale)
