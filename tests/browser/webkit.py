# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""WebKitGTK's MiniBrowser through WebKitWebDriver, W3C WebDriver over HTTP.
It needs an X server and a D-Bus session bus: run it inside
dbus-run-session and scripts/with-x-server.sh."""

import base64
import json
import socket
import subprocess
import time
import urllib.error
import urllib.request

from chromium import end_group

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
KEYS = {"Enter": "\ue007", "Escape": "\ue00c", "Tab": "\ue004", "F10": "\ue03a", "Home": "\ue011",
        "End": "\ue010", "ArrowLeft": "\ue012", "ArrowUp": "\ue013", "ArrowRight": "\ue014",
        "ArrowDown": "\ue015"}
# WebDriver classic has no console log: the page's errors are gathered by a
# script put in after it loads.
CATCH = """window.__errors = window.__errors || [];
addEventListener('error', e => __errors.push(String(e.message)));
addEventListener('unhandledrejection', e => __errors.push(String(e.reason)));
addEventListener('securitypolicyviolation', e => __errors.push('CSP: ' + e.violatedDirective));
const error = console.error; console.error = (...a) => { __errors.push(a.join(' ')); error(...a); };"""


# The input actions of WebDriver, which BiDi takes as they are.
def click_actions(x, y):
    return {"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
        {"type": "pointerMove", "x": round(x), "y": round(y)},
        {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}


def key_actions(key):
    code = KEYS.get(key, key)
    return {"type": "key", "id": "keyboard", "actions": [
        {"type": "keyDown", "value": code}, {"type": "keyUp", "value": code}]}


class WebKit:
    def __init__(self, width=800, height=600):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        self.process = subprocess.Popen(["WebKitWebDriver", f"--port={port}"], start_new_session=True,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.base = f"http://127.0.0.1:{port}"
        for _ in range(100):
            try:
                self._http("GET", "/status")
                break
            except OSError:
                time.sleep(0.1)
        options = {"binary": MINIBROWSER, "args": ["--automation"]}
        try:
            self.session = self._http("POST", "/session", {"capabilities": {
                "alwaysMatch": {"webkitgtk:browserOptions": options}}})["sessionId"]
        except BaseException:
            end_group(self.process)
            raise
        self.base += f"/session/{self.session}"
        self._http("POST", "/window/rect", {"width": width, "height": height})
        self._errors = []

    def _http(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as reply:
                return json.load(reply)["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{method} {path}: {error.read().decode()}") from None

    @property
    def errors(self):
        try:
            return self._errors + self.evaluate("window.__errors || []")
        except RuntimeError as error:
            return self._errors + [str(error)]

    def open(self, url):
        self._http("POST", "/url", {"url": url})
        self._http("POST", "/execute/sync", {"script": CATCH, "args": []})

    def evaluate(self, expression):
        result = self._http("POST", "/execute/async", {
            "script": f"Promise.resolve().then(() => ({expression}))"
                      ".then(v => arguments[0]({v}), e => arguments[0]({e: String(e)}))",
            "args": []})
        if "e" in result:
            raise RuntimeError(result["e"])
        return result.get("v")

    def _act(self, source):
        self._http("POST", "/actions", {"actions": [source]})
        self._http("DELETE", "/actions")

    def click(self, x, y):
        self._act(click_actions(x, y))

    def key(self, key):
        self._act(key_actions(key))

    def screenshot(self):
        return base64.b64decode(self._http("GET", "/screenshot"))

    def role_and_name(self, selector):
        found = self._http("POST", "/element", {"using": "css selector", "value": selector})
        element = next(iter(found.values()))
        return (self._http("GET", f"/element/{element}/computedrole"),
                self._http("GET", f"/element/{element}/computedlabel"))

    def close(self):
        try:
            self._http("DELETE", "")
        except (RuntimeError, OSError):
            pass
        finally:
            end_group(self.process)
