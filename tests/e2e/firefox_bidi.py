# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Firefox over WebDriver BiDi, the protocol it speaks itself.

Debian has no geckodriver, so the tests start Firefox ESR with its remote
agent on a local port and talk to it over one WebSocket. Only what the page's
driver needs is here: scripts, input actions, the viewport, finding a node by
its role or name, and the console and network events.
"""

import json
import re
import subprocess
import tempfile
import threading

import websocket

FIREFOX = "/usr/bin/firefox-esr"

# Written into the fresh profile: the page may read back what it copied (a
# pupil's browser asks once), and Firefox contacts nothing on its own: no
# portal or connectivity probe, no safe-browsing lists, no remote settings.
PREFERENCES = {
    "dom.events.testing.asyncClipboard": True,
    "focusmanager.testmode": True,
    "dom.input_events.security.minNumTicks": 0,
    "dom.input_events.security.minTimeElapsedInMS": 0,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.normandy.enabled": False,
    "messaging-system.rsexperimentloader.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "browser.safebrowsing.provider.mozilla.updateURL": "",
    "services.settings.server": "data:,",
    "extensions.update.enabled": False,
    "app.update.auto": False,
    # The browser's languages, as on a Bulgarian pupil's machine.
    "intl.accept_languages": "bg",
}


class BiDiError(RuntimeError):
    pass


class Node:
    """A node of the page, as the remote end shares it."""

    def __init__(self, shared_id):
        self.shared_id = shared_id

    def __eq__(self, other):
        return isinstance(other, Node) and other.shared_id == self.shared_id

    def __hash__(self):
        return hash(self.shared_id)


def local_value(value):
    """A Python value as a script argument."""
    if isinstance(value, Node):
        return {"sharedId": value.shared_id}
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [local_value(v) for v in value]}
    if isinstance(value, dict):
        return {"type": "object", "value": [[k, local_value(v)] for k, v in value.items()]}
    raise TypeError(f"cannot pass {value!r} to a script")


def python_value(remote):
    """A script's result as a Python value; nodes become Node."""
    kind = remote["type"]
    if kind in ("undefined", "null"):
        return None
    if kind in ("string", "boolean"):
        return remote["value"]
    if kind == "number":
        value = remote["value"]
        if isinstance(value, str):      # NaN, Infinity, -0
            return float(value)
        return value
    if kind in ("array", "set", "nodelist", "htmlcollection"):
        return [python_value(v) for v in remote.get("value", [])]
    if kind in ("object", "map"):
        return {k if isinstance(k, str) else python_value(k): python_value(v) for k, v in remote.get("value", [])}
    if kind == "node":
        return Node(remote["sharedId"])
    return remote


class Firefox:
    """One headless Firefox with one tab, and the events it reported."""

    def __init__(self, width, height):
        self._profile = tempfile.TemporaryDirectory(prefix="trezolin-firefox-")
        with open(f"{self._profile.name}/user.js", "w", encoding="utf-8") as f:
            for name, value in PREFERENCES.items():
                f.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self._process = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", self._profile.name,
             "--remote-debugging-port", "0"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self._socket = None
        self._next_id = 0
        self.events = []
        try:
            self._socket = websocket.create_connection(
                self._listening_address() + "/session", timeout=300, suppress_origin=True)
            self.command("session.new", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": False}}})
            # A tab of its own: the one Firefox starts with has no focus here
            # (document.hasFocus() is false), and there Enter and Space press no button.
            self.context = self.command("browsingContext.create", {"type": "tab"})["context"]
            self.command("session.subscribe", {"events": ["log.entryAdded", "network.beforeRequestSent"]})
            self.set_viewport(width, height)
        except Exception:
            self.quit()
            raise

    def _listening_address(self, timeout=30.0):
        # Firefox names its port on stderr once the remote agent listens. Its
        # messages are read to the end, or Firefox would block on a full pipe.
        seen, found = [], threading.Event()

        def read_messages():
            for line in self._process.stderr:
                seen.append(line)
                if "WebDriver BiDi listening on " in line:
                    found.set()

        threading.Thread(target=read_messages, daemon=True).start()
        if not found.wait(timeout):
            raise RuntimeError("Firefox did not start its remote agent:\n" + "".join(seen[-20:]))
        address = next(re.search(r"listening on (ws://\S+)", l) for l in seen if "WebDriver BiDi listening on " in l)
        return address.group(1)

    def command(self, method, params):
        self._next_id += 1
        sent = self._next_id
        self._socket.send(json.dumps({"id": sent, "method": method, "params": params}))
        while True:
            message = json.loads(self._socket.recv())
            if message.get("type") == "event":
                self.events.append(message)
            elif message.get("id") == sent:
                if message.get("type") == "error":
                    raise BiDiError(f"{method}: {message['error']}: {message.get('message', '')}")
                return message["result"]

    # What the page's driver asks of a browser.

    def call(self, declaration, *args, await_promise=False):
        result = self.command("script.callFunction", {
            "functionDeclaration": declaration,
            "arguments": [local_value(a) for a in args],
            "target": {"context": self.context},
            "awaitPromise": await_promise,
            "resultOwnership": "none",
            "userActivation": True,
        })
        if result["type"] == "exception":
            details = result["exceptionDetails"]
            raise BiDiError(f"script failed: {details.get('text', details)}")
        return python_value(result["result"])

    def execute_script(self, body, *args):
        return self.call(f"function() {{ {body}\n}}", *args)

    def execute_async_script(self, body, *args):
        # As WebDriver's classic form: the script calls its last argument when done.
        return self.call("function() { const args = [...arguments]; return new Promise((done) => {"
                         f" (function() {{ {body}\n}}).apply(this, [...args, done]); }}); }}",
                         *args, await_promise=True)

    def perform(self, sources):
        for source in sources:
            for action in source["actions"]:
                origin = action.get("origin")
                if isinstance(origin, Node):
                    action["origin"] = {"type": "element", "element": {"sharedId": origin.shared_id}}
        self.command("input.performActions", {"context": self.context, "actions": sources})

    def get(self, url):
        self.command("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})

    def set_viewport(self, width, height):
        self.command("browsingContext.setViewport",
                     {"context": self.context, "viewport": {"width": width, "height": height}})

    def locate(self, start, role=None, name=None):
        """The nodes from start down that the browser gives this role and name, start included."""
        value = {k: v for k, v in (("role", role), ("name", name)) if v is not None}
        result = self.command("browsingContext.locateNodes", {
            "context": self.context, "locator": {"type": "accessibility", "value": value},
            "startNodes": [{"sharedId": start.shared_id}]})
        return [python_value(n) for n in result["nodes"]]

    def quit(self):
        if self._socket is not None:
            try:
                self.command("browser.close", {})
            except (BiDiError, OSError, websocket.WebSocketException):
                pass
            self._socket.close()
            self._socket = None
        elif self._process.poll() is None:
            self._process.terminate()
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        self._profile.cleanup()
