# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X server with a window manager, and a user's hands on it.

Starts Xvfb on a free display with openbox in it, so that windows get focus
and a close box as on a desktop, and drives programs there with xdotool,
xclip and wmctrl.
"""

import os
import subprocess
import tempfile
import time
from pathlib import Path


class XSession:
    def __init__(self, width=1280, height=1024):
        self.display = self._free_display()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env["QT_QPA_PLATFORM"] = "xcb"
        self._runtime_dir = tempfile.TemporaryDirectory(prefix="trezolin-xdg-")
        os.chmod(self._runtime_dir.name, 0o700)
        self.env["XDG_RUNTIME_DIR"] = self._runtime_dir.name
        self._xvfb = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._wm = None
        self._wm_log = tempfile.TemporaryFile(mode="w+")
        try:
            # The server answers a client only once it is set up; the socket comes earlier.
            self._wait(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, "Xvfb to start")
            self._start_window_manager()
        except Exception:
            self.stop()
            raise

    def _start_window_manager(self):
        rc = Path(__file__).resolve().parent / "openbox-rc.xml"
        for _ in range(3):
            self._wm = subprocess.Popen(["openbox", "--config-file", str(rc)], env=self.env,
                                        stdout=self._wm_log, stderr=self._wm_log)
            try:
                self._wait(lambda: self._wm.poll() is not None or
                           self.run(["wmctrl", "-m"], check=False).returncode == 0,
                           "the window manager to start")
            except RuntimeError:
                pass
            if self._wm.poll() is None and self.run(["wmctrl", "-m"], check=False).returncode == 0:
                return
            self._wm.kill()
            self._wm.wait()
        self._wm_log.seek(0)
        raise RuntimeError("the window manager did not start: " + self._wm_log.read()[-2000:])

    @staticmethod
    def _free_display():
        for n in range(90, 200):
            if not Path(f"/tmp/.X{n}-lock").exists() and not Path(f"/tmp/.X11-unix/X{n}").exists():
                return f":{n}"
        raise RuntimeError("no free X display")

    @staticmethod
    def _wait(condition, what, timeout=60.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.05)
        raise RuntimeError(f"timed out waiting for {what}")

    def run(self, args, check=True, input_text=None):
        return subprocess.run(args, env=self.env, check=check, capture_output=True,
                              text=True, input=input_text, timeout=30)

    def start(self, args):
        return subprocess.Popen(args, env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True)

    def find_window(self, title, timeout=60.0):
        found = []

        def search():
            result = self.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                              check=False)
            found[:] = result.stdout.split()
            return bool(found)

        self._wait(search, f"a window titled {title}", timeout)
        return found[0]

    def wait_until_shown(self, window, width, height):
        """Until the window is on the screen at its full size: clicks and keys sent earlier could
        reach a window that is not there yet, or one still being laid out."""
        def shown():
            info = self.run(["xwininfo", "-id", window], check=False).stdout
            return "Map State: IsViewable" in info and f"Width: {width}\n" in info and f"Height: {height}\n" in info
        self._wait(shown, f"window {window} to show at {width} x {height}")

    def click(self, window, x, y, button=1, modifier=None):
        # No --sync: it waits for the pointer to move, forever when it is already there.
        held = ["keydown", modifier] if modifier else []
        released = ["keyup", modifier] if modifier else []
        self.run(["xdotool", *held, "mousemove", "--window", window, str(x), str(y),
                  "sleep", "0.05", "click", str(button), *released])
        time.sleep(0.15)

    def key(self, *keys):
        self.run(["xdotool", "key", "--clearmodifiers", *keys])
        time.sleep(0.15)

    def type_text(self, text):
        self.run(["xdotool", "type", "--delay", "20", text])
        time.sleep(0.15)

    def set_clipboard(self, text):
        # xclip keeps serving the selection from a child process of its own,
        # which may take it after the first one has returned: until then, the
        # clipboard still holds the last copy.
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], env=self.env,
                       input=text, text=True, check=True, timeout=10,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._wait(lambda: self.run(["xclip", "-selection", "clipboard", "-o"], check=False).stdout == text,
                   "the clipboard to hold what was put there")

    def clipboard(self):
        return self.run(["xclip", "-selection", "clipboard", "-o"]).stdout

    def close_window(self, title):
        # What the close box does: the window manager sends WM_DELETE_WINDOW.
        self.run(["wmctrl", "-c", title])

    def stop(self):
        for process in (self._wm, self._xvfb):
            if process is None:
                continue
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
        self._runtime_dir.cleanup()
