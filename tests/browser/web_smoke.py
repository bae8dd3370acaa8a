# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The web page in one browser: it loads, a click on the area paints,
Esborra clears, the keyboard reaches Surt and the program ends, the area's
role and name are right, and the page says nothing of an error.
Usage: web_smoke.py chromium|firefox|webkit SITE_DIR [SCREENSHOT.png]"""

import os
import sys
import time

from serve import Site

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "screen"))
from session import A, CAPTION, SILVER, wait_for  # noqa: E402

# The area's silver as String() gives a canvas pixel's R, G, B and A.
SILVER_RGBA = ",".join(str(v) for v in (SILVER >> 16, SILVER >> 8 & 0xFF, SILVER & 0xFF, 255))
# How many of the canvas's pixels are not silver.
PAINTED = f"""(() => {{ const c = document.getElementById('picture1');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; let n = 0;
  for (let i = 0; i < d.length; i += 4) if (String([d[i], d[i+1], d[i+2], d[i+3]]) !== "{SILVER_RGBA}") n++;
  return n; }})()"""
CENTRE = "(() => {{ const r = document.querySelector({!r}).getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; }})()"


def until(browser, expression):
    wait_for(lambda: browser.evaluate(expression), expression)


def smoke(browser, url, screenshot):
    browser.open(url)
    until(browser, "document.getElementById('picture1') !== null")
    assert browser.evaluate("document.title") == CAPTION
    assert browser.role_and_name("#picture1") == ("button", " ".join(A["area name"])), browser.role_and_name("#picture1")
    area = browser.evaluate(CENTRE.format("#picture1"))
    browser.click(*area)
    until(browser, f"{PAINTED} > 0")
    browser.click(*area)  # stops the dots
    browser.click(*browser.evaluate(CENTRE.format("#MenuAccions")))
    browser.click(*browser.evaluate(CENTRE.format("#MenuAccionsEsborra")))
    until(browser, f"{PAINTED} === 0")
    if screenshot:
        browser.click(*area)
        until(browser, f"{PAINTED} > 2000")
        with open(screenshot, "wb") as out:
            out.write(browser.screenshot())
    # F10, then left to Accions, its menu open on Esborra, down to Surt.
    for key in ("F10", "ArrowLeft", "Enter", "ArrowDown", "Enter"):
        browser.key(key)
    until(browser, "document.getElementById('ended') !== null")
    # Nothing is drawn once the program has ended: count what would be.
    browser.evaluate("(window.drawn = 0, window.requestAnimationFrame ="
                     " CanvasRenderingContext2D.prototype.putImageData = () => window.drawn++, 0)")
    time.sleep(0.5)
    assert browser.evaluate("window.drawn") == 0
    assert browser.evaluate("document.getElementById('picture1') === null")
    assert "acabat" in browser.evaluate("document.getElementById('ended').textContent")
    assert not browser.errors, browser.errors


def main(engine, site, screenshot=None):
    driver = __import__(engine)
    browser = getattr(driver, engine.capitalize() if engine != "webkit" else "WebKit")()
    server = Site(site)
    try:
        smoke(browser, server.url, screenshot)
    finally:
        browser.close()
        server.close()
    print(f"web_smoke: {engine}: passed")


if __name__ == "__main__":
    main(*sys.argv[1:])
