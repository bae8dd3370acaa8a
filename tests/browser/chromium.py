# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Chromium's headless shell over the DevTools protocol, through the pipe
on its file descriptors 3 (commands in) and 4 (replies and events out),
one NUL-ended JSON message each."""

import base64
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time

BINARY = "/usr/lib/chromium/chromium-headless-shell"
# Chromium's sandbox refuses to start as root.
SANDBOX = ["--no-sandbox"] if os.geteuid() == 0 else []
KEYS = {"Enter": 13, " ": 32, "Escape": 27, "Tab": 9, "F10": 121, "Home": 36, "End": 35,
        "ArrowLeft": 37, "ArrowUp": 38, "ArrowRight": 39, "ArrowDown": 40}


class Chromium:
    def __init__(self, width=800, height=600):
        self.profile = tempfile.mkdtemp(prefix="tacolina-chromium-")
        to_browser, self._in = os.pipe()
        self._out, from_browser = os.pipe()
        # bash: dash takes only one-digit descriptors in a redirection.
        self.process = subprocess.Popen(
            ["bash", "-c", f'exec "$0" "$@" 3<&{to_browser} 4>&{from_browser}', BINARY,
             "--remote-debugging-pipe", f"--user-data-dir={self.profile}", "--no-first-run",
             f"--window-size={width},{height}", "about:blank"] + SANDBOX,
            pass_fds=(to_browser, from_browser), start_new_session=True,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self._buffer, self._next, self.errors, self._events = b"", 0, [], []
        try:
            page = next(t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page")
            self.session = self.call("Target.attachToTarget", targetId=page["targetId"], flatten=True)["sessionId"]
            for domain in ("Page", "Runtime", "Log"):
                self.call(f"{domain}.enable", session=True)
        except BaseException:
            self.close()
            raise

    def call(self, method, session=False, **params):
        """Sends a command and returns its result; raises on an error reply."""
        self._next += 1
        message = {"id": self._next, "method": method, "params": params}
        if session:
            message["sessionId"] = self.session
        os.write(self._in, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._read()
            if reply.get("id") == self._next:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply["result"]

    def _read(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._out, 65536)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self._buffer += chunk
        text, self._buffer = self._buffer.split(b"\0", 1)
        message = json.loads(text)
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            self.errors.append(details.get("exception", {}).get("description") or details["text"])
        elif method == "Runtime.consoleAPICalled" and params["type"] in ("error", "assert"):
            self.errors.append(" ".join(str(a.get("value", a.get("description"))) for a in params["args"]))
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            self.errors.append(params["entry"]["text"])
        elif method:
            self._events.append(method)
        return message

    def open(self, url):
        self._events.clear()
        self.call("Page.navigate", session=True, url=url)
        while "Page.loadEventFired" not in self._events:
            self._read()

    def evaluate(self, expression):
        """The expression's value (awaited when a promise), as JSON gives it."""
        result = self.call("Runtime.evaluate", session=True, expression=expression,
                           returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(result["exceptionDetails"]["exception"]["description"])
        return result["result"].get("value")

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", session=True, type=kind, x=x, y=y, button="left", clickCount=1)

    def key(self, key):
        code = KEYS[key]
        for kind in ("rawKeyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", session=True, type=kind, key=key, windowsVirtualKeyCode=code)

    def screenshot(self):
        return base64.b64decode(self.call("Page.captureScreenshot", session=True)["data"])

    def role_and_name(self, selector):
        """The computed accessible role and name of the element selector finds."""
        document = self.call("DOM.getDocument", session=True)["root"]["nodeId"]
        node = self.call("DOM.querySelector", session=True, nodeId=document, selector=selector)["nodeId"]
        ax = self.call("Accessibility.getPartialAXTree", session=True, nodeId=node, fetchRelatives=False)["nodes"][0]
        return ax["role"]["value"], ax["name"]["value"]

    def close(self):
        try:
            self.call("Browser.close")
            self.process.wait(timeout=10)
        except (RuntimeError, OSError, subprocess.TimeoutExpired):
            pass
        finally:
            end_group(self.process)
            os.close(self._in)
            os.close(self._out)
            shutil.rmtree(self.profile, ignore_errors=True)


def end_group(process):
    """Ends a browser's whole process group, whatever it left running."""
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()
    time.sleep(0.1)
