# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A real screen reader on a private desktop: Orca, speaking Bulgarian, and what it said.

Orca needs a D-Bus session with the accessibility bus on it; both are started
here for one X session only, so nothing of the machine's own desktop is
touched. No speech server is needed: Orca writes every utterance into its
debug file as a line "SPEECH OUTPUT: '...'", which is the transcript.
"""

import re
import subprocess
import tempfile
import time
from pathlib import Path

ORCA = "/usr/bin/orca"

# Orca as a pupil's desktop starts it, with two differences for a test run:
# its debug file is written line by line (Orca buffers it, so what it said
# could sit unread), and other Orcas of this user count for nothing (each
# test's Orca has its own X server and buses; Orca would otherwise refuse to
# start beside another one, and name itself so that another's --replace
# kills it).
LAUNCHER = """
import builtins, sys
path = sys.argv[1]
code = compile(open(path, encoding="utf-8").read(), path, "exec")
scope = {"__name__": "orca_launcher", "__file__": path}
exec(code, scope)
scope["open"] = lambda file, mode="r": builtins.open(file, mode, buffering=1, encoding="utf-8")
scope["otherOrcas"] = lambda: []
scope["setProcessName"] = lambda name: True
sys.argv = sys.argv[1:]
sys.exit(scope["main"]())
"""

def _end(process):
    """Asks a process of ours to end, and makes it if it has not within 10 s."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'\s?(?:\{.*\})?$", re.MULTILINE)


def wait_until(condition, what, timeout=60.0):
    """What the condition gives once it gives something, checked every tenth of a second."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise RuntimeError(f"timed out after {timeout:.0f} s waiting for {what}")


class AccessibilityBus:
    """A D-Bus session with the accessibility bus, accessibility switched on as a screen reader does."""

    def __init__(self, env):
        self.env = dict(env)
        self._processes = []
        daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                  env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self._processes.append(daemon)
        try:
            self.env["DBUS_SESSION_BUS_ADDRESS"] = daemon.stdout.readline().strip()
            self._processes.append(subprocess.Popen(
                ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=self.env,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            # The launcher owns org.a11y.Bus once it is ready; then switch accessibility on.
            set_enabled = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                           "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                           "variant:boolean:true"]
            wait_until(lambda: subprocess.run(set_enabled, env=self.env, capture_output=True, timeout=30).returncode == 0,
                  "the accessibility bus", 60)
        except Exception:
            self.stop()
            raise

    def stop(self):
        for process in reversed(self._processes):
            _end(process)
        self._processes = []


class Orca:
    """Orca on the given desktop (an environment with DISPLAY and the accessibility bus), and its transcript."""

    def __init__(self, env):
        self._home = tempfile.TemporaryDirectory(prefix="trezolin-orca-")
        home = Path(self._home.name)
        self.debug_file = home / "orca-debug.txt"
        self.env = dict(env, HOME=str(home), XDG_CONFIG_HOME=str(home / "config"),
                        XDG_DATA_HOME=str(home / "data"), LANG="bg_BG.UTF-8", LANGUAGE="bg",
                        # A speech server that does not exist: Orca never waits for one to start.
                        SPEECHD_ADDRESS=f"unix_socket:{home / 'no-speech-server'}")
        self.env.pop("LC_ALL", None)
        self._log = tempfile.TemporaryFile(mode="w+")
        self._process = subprocess.Popen(
            ["/usr/bin/python3", "-c", LAUNCHER, ORCA, "--debug", "--debug-file", str(self.debug_file)],
            env=self.env, stdout=self._log, stderr=self._log)
        try:
            # Orca has started when it has said something ("Екранен четец включен").
            self.wait_for(lambda said: said, "Orca to start", timeout=90)
        except Exception:
            self.stop()
            raise

    def transcript(self):
        """Everything Orca has said so far, one utterance an entry."""
        if not self.debug_file.exists():
            return []
        text = self.debug_file.read_text(encoding="utf-8", errors="replace")
        return [m.group(1) for m in SPEECH.finditer(text)]

    def wait_for(self, condition, what, after=0, timeout=60):
        """Waits until condition(the utterances from index `after` on) is true; gives the utterances."""
        def check():
            if self._process.poll() is not None:
                self._log.seek(0)
                raise RuntimeError(f"Orca ended with status {self._process.returncode}: {self._log.read()[-2000:]}")
            said = self.transcript()[after:]
            return said if condition(said) else None
        try:
            return wait_until(check, what, timeout)
        except RuntimeError as error:
            raise RuntimeError(f"{error}; Orca said: {self.transcript()[after:]}") from None

    def stop(self):
        _end(self._process)
        self._home.cleanup()


class Desk:
    """A pupil's desktop with Orca: a private X server, its buses and Orca, then one program's window."""

    def __init__(self):
        from x_session import XSession
        self.x = XSession()
        self.bus = self.orca = self.program = None
        try:
            self.bus = AccessibilityBus(self.x.env)
            self.x.env = self.bus.env
            self.orca = Orca(self.bus.env)
        except Exception:
            self.stop()
            raise

    def open(self, args, title, window_name=None):
        """Starts the program and makes its window (named window_name, a pattern; else the title) the
        active one, as a click on it in the task bar would; gives back once Orca has said the title."""
        said = len(self.orca.transcript())
        self.program = subprocess.Popen(args, env=self.x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = self.x.find_window(window_name or title, timeout=60)
        # Orca follows only the active window.
        wait_until(lambda: self.x.run(["xdotool", "windowactivate", window], check=False) and
              self.x.run(["xdotool", "getactivewindow"], check=False).stdout.strip() == window,
              "the window to become active", 30)
        self.orca.wait_for(lambda s: any(title in u for u in s), "Orca to say the window's title", after=said)

    def key(self, key):
        self.x.key(key)

    def stop(self):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        for part in (self.orca, self.bus):
            if part is not None:
                part.stop()
        self.x.stop()
