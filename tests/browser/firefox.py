# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Firefox ESR, headless, over WebDriver BiDi: JSON messages on a websocket,
through the few lines of a websocket client below."""

import base64
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import tempfile
import time

from chromium import end_group
from webkit import click_actions, key_actions


class WebSocket:
    def __init__(self, host, port, path):
        self.sock = socket.create_connection((host, port), timeout=60)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        head = b""
        while b"\r\n\r\n" not in head:
            head += self.sock.recv(1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise RuntimeError(f"no websocket: {head!r}")

    def send(self, text):
        data, mask = text.encode(), os.urandom(4)
        n = len(data)
        size = bytes([0x80 | n]) if n < 126 else (bytes([0xFE]) + struct.pack(">H", n) if n < 65536
                                                  else bytes([0xFF]) + struct.pack(">Q", n))
        self.sock.sendall(b"\x81" + size + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def _exactly(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise RuntimeError("websocket closed")
            data += chunk
        return data

    def receive(self):
        message = b""
        while True:
            first, second = self._exactly(2)
            n = second & 0x7F
            n = struct.unpack(">H", self._exactly(2))[0] if n == 126 else (
                struct.unpack(">Q", self._exactly(8))[0] if n == 127 else n)
            payload = self._exactly(n)
            if first & 0x0F == 8:
                raise RuntimeError("websocket closed")
            if first & 0x0F in (0, 1, 2):
                message += payload
                if first & 0x80:
                    return message.decode()


def value(remote):
    """A BiDi remote value as Python's."""
    kind, inner = remote["type"], remote.get("value")
    if kind == "array":
        return [value(v) for v in inner]
    if kind == "object":
        return {k if isinstance(k, str) else value(k): value(v) for k, v in inner}
    return None if kind in ("undefined", "null") else inner


class Firefox:
    def __init__(self, width=800, height=600):
        self.profile = tempfile.mkdtemp(prefix="tacolina-firefox-")
        # Its messages go to a file, which nothing has to keep reading.
        log = os.path.join(self.profile, "stderr.txt")
        with open(log, "w") as stderr:
            self.process = subprocess.Popen(
                ["firefox-esr", "--headless", "--remote-debugging-port", "0", "--profile", self.profile,
                 "--no-remote", f"--width={width}", f"--height={height}", "about:blank"],
                stderr=stderr, stdout=subprocess.DEVNULL, start_new_session=True)
        for _ in range(600):
            with open(log) as messages:
                found = re.search(r"WebDriver BiDi listening on ws://([\d.]+):(\d+)", messages.read())
            if found or self.process.poll() is not None:
                break
            time.sleep(0.1)
        if not found:
            end_group(self.process)
            raise RuntimeError("Firefox did not start its WebDriver BiDi server")
        self.ws = WebSocket(found[1], int(found[2]), "/session")
        self._next, self.errors = 0, []
        self.call("session.new", capabilities={"alwaysMatch": {"acceptInsecureCerts": False}})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.call("session.subscribe", events=["log.entryAdded"])

    def call(self, method, **params):
        self._next += 1
        self.ws.send(json.dumps({"id": self._next, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.receive())
            if message.get("id") == self._next:
                if message["type"] == "error":
                    raise RuntimeError(f"{method}: {message['error']}: {message.get('message')}")
                return message["result"]
            if message.get("method") == "log.entryAdded" and message["params"]["level"] == "error":
                self.errors.append(message["params"]["text"])

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def evaluate(self, expression):
        result = self.call("script.evaluate", expression=expression, awaitPromise=True,
                           target={"context": self.context}, resultOwnership="none")
        if result["type"] == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return value(result["result"])

    def _act(self, source):
        self.call("input.performActions", context=self.context, actions=[source])

    def click(self, x, y):
        self._act(click_actions(x, y))

    def key(self, key):
        self._act(key_actions(key))

    def screenshot(self):
        return base64.b64decode(self.call("browsingContext.captureScreenshot", context=self.context)["data"])

    def role_and_name(self, selector):
        """The role and name the accessibility tree gives the element:
        BiDi finds nodes by both, so the element must be among those found."""
        role, name = self.evaluate(
            f"[document.querySelector({json.dumps(selector)}).getAttribute('role'),"
            f" document.querySelector({json.dumps(selector)}).getAttribute('aria-label')]")
        nodes = self.call("browsingContext.locateNodes", context=self.context,
                          locator={"type": "accessibility", "value": {"role": role, "name": name}})["nodes"]
        ids = [n["value"].get("attributes", {}).get("id") for n in nodes]
        return (role, name) if f"#{ids[0]}" == selector and len(ids) == 1 else (None, None)

    def close(self):
        try:
            self.call("browser.close")
            self.process.wait(timeout=15)
        except (RuntimeError, OSError, subprocess.TimeoutExpired):
            pass
        finally:
            end_group(self.process)
            shutil.rmtree(self.profile, ignore_errors=True)
