# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Windows program under Wine, in a real X server.

Wine shows a Windows program's window as an X window the size of its client
area, so the desktop driver's hands work here unchanged: xdotool clicks and
keys, xclip reads what Ctrl+C copied, wmctrl closes. What the clipboard cannot
tell (Wine's clipboard turns CR LF into LF) and what a screen reader hears are
read from inside Windows by a helper, the probe (tests/windows/probe.cpp),
which answers one question per line.
"""

import json
import re
import subprocess
import tempfile
import time
from pathlib import Path

from description import Target
from x11_driver import X11Driver
from x_session import XSession

# Wine's processes and its server all on one CPU: nearly every call of a
# Windows program is a round trip to the server, and on a virtual machine a
# wake-up on another CPU costs far more than a switch on the same one (a burst
# of presses: 59 s on two CPUs, 9 s on one). The server started through the
# launcher keeps the launcher's CPU.
ON_ONE_CPU = ["taskset", "--cpu-list", "0"]
# The one launcher: it sets up the prefix, its server and Wine's settings.
WINE_RUN = Path(__file__).resolve().parents[2] / "windows" / "wine-run"


class Wine:
    """A Wine prefix with a wineserver of its own, running in an X session.

    Every Wine command goes through windows/wine-run, as the build's do. It
    makes the prefix once (wineboot, about 15 s) and keeps it in its folder,
    and it starts the server, here for the session, so that Wine's windows
    show in the session's X server; the server stays until stop() or five
    idle minutes: without a running server, every start of a program would
    start Wine's services again.
    """

    def __init__(self, folder, session):
        self.folder = Path(folder).resolve()
        self.prefix = self.folder / "prefix"
        self.env = dict(session.env)
        # A server still running from the build knows no X server: end it first.
        self.stop()
        self.quiet([])

    def command(self, args):
        return [*ON_ONE_CPU, str(WINE_RUN), str(self.folder), *args]

    def quiet(self, args, check=True):
        subprocess.run(self.command(args), env=self.env, check=check, timeout=180, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, args, timeout=120):
        """Runs a Windows program to its end: its exit status and what it printed."""
        done = subprocess.run(self.command(args), env=self.env, timeout=timeout, stdin=subprocess.DEVNULL,
                              capture_output=True)
        return done.returncode, done.stdout.decode("utf-8", "replace")

    def start(self, args, locale=None, **streams):
        """Starts a Windows program; `locale` is the host's locale Wine takes its languages from
        (None: the launcher's, Bulgarian)."""
        env = dict(self.env, **({"TREZOLIN_WINE_LOCALE": locale} if locale else {}))
        return subprocess.Popen(self.command(args), env=env, **streams)

    def stop(self):
        self.quiet(["--stop"], check=False)

    def scale(self, dpi):
        """Sets the screen's scaling as a user does in Windows' settings (LogPixels, 96 at 100 %) and starts
        the server again, which reads it: every Windows program of the prefix ends."""
        self.run(["reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi),
                  "/f"])
        self.stop()
        self.quiet([])


class WineDriver(X11Driver):
    LACKS = {"choose_language": "the Windows program has no language chooser: its language is chosen when it "
                                "starts (--lang, as the Start menu entry of an installation passes it)"}
    # What MSAA calls the scenario's kinds of control.
    ROLES = {"vertexBox": "ROLE_SYSTEM_TEXT", "logBox": "ROLE_SYSTEM_TEXT", "button": "ROLE_SYSTEM_PUSHBUTTON",
             "choiceList": "ROLE_SYSTEM_LIST", "picture": "ROLE_SYSTEM_GRAPHIC", "entry": "ROLE_SYSTEM_LISTITEM"}

    def __init__(self, program, description, wine_folder, probe):
        session = XSession()
        try:
            self.wine = Wine(wine_folder, session)
            # At 100 %, whatever a run stopped half-way left.
            self.wine.scale(96)
        except Exception:
            session.stop()
            raise
        self.binary = program
        self.probe = None
        self.starts = 0
        # What the next start of the program gets: its arguments, and the host's locale for Wine.
        self.arguments, self.locale = [], None
        # The window's size in pixels at the screen's scaling.
        self.size = description.window["pixels"]
        self.probe_program = probe
        try:
            super().__init__(program, description, session)
        except Exception:
            # A window that never shows leaves no X server or Wine behind.
            self.wine.stop()
            session.stop()
            raise
        self.start_probe()

    def start_probe(self):
        self.probe = self.wine.start([self.probe_program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)

    def stop_probe(self):
        if self.probe:
            self.probe.stdin.close()
            try:
                self.probe.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.probe.kill()
            self.probe = None

    def rescale(self, dpi):
        """Sets the screen's scaling and starts the program (with the same arguments) and the probe again
        under it; gives the window's size."""
        self.stop_probe()
        self.wine.scale(dpi)
        self.program.wait(timeout=30)
        self.program = self.start_program(self.binary)
        self.window = self.session.find_window(self.description.window["title"])
        # Each edge in twips rounded to this DPI's pixels, as the program does.
        per_inch = self.description.data["twipsPerInch"]
        self.size = [(2 * t * dpi + per_inch) // (2 * per_inch) for t in self.description.window["twips"]]
        self.session.wait_until_shown(self.window, *self.size)
        self.start_probe()
        return self.size

    def start_program(self, binary):
        # A file, not a pipe, for what the program prints: Wine's processes outlive a pipe's reader.
        self.output = tempfile.TemporaryFile()
        self.starts += 1
        return self.wine.start([binary, *self.arguments], locale=self.locale, stdout=self.output,
                               stderr=subprocess.STDOUT)

    def program_output(self):
        self.output.seek(0)
        return self.output.read().decode("utf-8", "replace")

    def ask(self, *question):
        self.probe.stdin.write((" ".join(map(str, question)) + "\n").encode())
        self.probe.stdin.flush()
        answer = json.loads(self.probe.stdout.readline())
        if isinstance(answer, dict) and "error" in answer:
            raise RuntimeError(f"probe: {question}: {answer['error']}")
        return answer

    def restart(self, arguments=(), locale=None):
        """Closes the window as its close box does and starts the program again, with the arguments, under
        the host's locale (None: Bulgarian); gives the closed program's exit status."""
        self.arguments, self.locale = list(arguments), locale
        self.session.close_window(self.description.window["title"])
        try:
            status = self.program.wait(timeout=15)
        except subprocess.TimeoutExpired:
            status = "still running"
            self.program.kill()
            self.program.wait()
        self.program = self.start_program(self.binary)
        self.window = self.session.find_window(self.description.window["title"])
        self.session.wait_until_shown(self.window, *self.size)
        return status

    # The probe reads the window from inside Windows, past the input still on
    # its way to the program: after a click on a control, until the control
    # has the focus (or a message box has it); after a Tab, until the focus
    # has moved.
    TAKE_FOCUS = ("vertexBox", "logBox", "choiceList", "button", "picture")

    def click(self, target, modifier=None):
        super().click(target, modifier)
        control = target.control if isinstance(target, Target) else target
        if self.description.controls[control]["widget"] in self.TAKE_FOCUS:
            self.wait_for(lambda: self.focused() == control or self.message_box() is not None)

    def key(self, *keys):
        for key in keys:
            before = self.focused() if key in ("Tab", "shift+Tab") else None
            super().key(key)
            if before is not None:
                self.wait_for(lambda: self.focused() != before)

    def hover(self, control):
        self.session.run(["xdotool", "mousemove", "--window", self.window, *map(str, self.place(control))])

    def icon_sizes(self):
        """The sizes of the icon that the window gives the desktop for its title bar and task bar."""
        shown = self.session.run(["xprop", "-id", self.window, "_NET_WM_ICON"], check=False).stdout
        return sorted({(int(w), int(h)) for w, h in re.findall(r"Icon \((\d+) x (\d+)\)", shown)})

    # Read from inside Windows, by the probe.

    TELLS_EMPTY = True

    def known_empty(self, control):
        return self.ask("length", control) == 0

    def text(self, control):
        return self.ask("text", control)

    def click_many(self, control, count):
        """Queues many presses of a button at once (BM_CLICK), as a fast burst of clicks queues them,
        and returns when the program has handled them: a full run in seconds."""
        return int(self.ask("post", control, count, self.description.the("spareTextBox")))

    def burst(self, control, count):
        log = self.description.the("log")
        before = self.log_line_count(log)
        super().burst(control, count)
        if control == self.description.the("checkButton"):
            # Each check adds one line: done when all of them are there.
            self.wait_for(lambda: self.log_line_count(log) >= before + count, timeout=300.0)
        else:
            self.settle()

    @staticmethod
    def wait_for(condition, timeout=60.0):
        deadline = time.monotonic() + timeout
        while not condition() and time.monotonic() < deadline:
            time.sleep(0.1)

    def settle(self, quiet=1.0, timeout=120.0):
        """Waits until the program has caught up with the clicks sent to it: its log stops growing."""
        log = self.description.the("log")
        deadline = time.monotonic() + timeout
        length, since = None, time.monotonic()
        while time.monotonic() < deadline:
            now = self.ask("length", log)
            if now != length:
                length, since = now, time.monotonic()
            elif time.monotonic() - since >= quiet:
                return
            time.sleep(0.1)

    def log_line_count(self, control):
        return len(self.text(control).splitlines())

    def last_log_line(self, control):
        lines = self.text(control).splitlines()
        return lines[-1] if lines else ""

    def items(self, control):
        return self.ask("items", control)["items"]

    def shown(self, control):
        return self.ask("shown", control)

    def read_only(self, control):
        return self.ask("read_only", control)

    def message_box(self):
        """The open message box's (title, text), or None."""
        box = self.ask("message_box")
        return None if box is None else (box["title"], box["text"])

    def focused(self):
        """The focused control's name, or the text of the focused window (a message box's button)."""
        focus = self.ask("focused")
        return focus["control"] or (focus["text"] or "").replace("&", "")

    def tooltip(self, control, timeout=60.0):
        """The tooltip that shows while the mouse rests on the control, or None."""
        # First away from every control, until no tooltip shows.
        self.session.run(["xdotool", "mousemove", "--window", self.window, "2", "2"])
        deadline = time.monotonic() + timeout
        while self.ask("tooltip") is not None and time.monotonic() < deadline:
            time.sleep(0.1)
        self.hover(control)
        while time.monotonic() < deadline:
            shown = self.ask("tooltip")
            if shown:
                return shown
            time.sleep(0.1)
        return None

    def focus_frame(self, control, timeout=60.0):
        """How many pixels of each edge of the control are in the focus colour, once the whole frame shows
        (or as the screen stands at the time limit), and its size."""
        frame = self.ask("frame", control)
        full = lambda f: (f["top"], f["bottom"], f["left"], f["right"]) == (f["width"], f["width"], f["height"], f["height"])
        deadline = time.monotonic() + timeout
        while not full(frame) and time.monotonic() < deadline:
            time.sleep(0.1)
            frame = self.ask("frame", control)
        return frame

    def restart_in_language(self, code):
        """Starts the program again with --lang CODE, as a pupil's Start menu entry starts it; None: without."""
        self.restart(["--lang", code] if code else [])

    def language(self):
        """The language the window says it shows (its language subtag), or None."""
        name = self.ask("language")
        return name.split("-")[0] if name else None

    def caption(self, control):
        return self.text(control)

    def user_languages(self):
        """The user's preferred UI languages and locale, as Wine gives them to every program in the prefix."""
        return self.ask("user_languages")

    def text_fit(self):
        """Each shown button's, label's and list entry's text, its extent in the window's font and its room."""
        return self.ask("fit")

    def missing_glyphs(self, letters):
        """The window's font's face and which of the letters it has no glyph for."""
        return self.ask("glyphs", letters)

    def message_box_button(self):
        box = self.ask("message_box")
        return None if box is None else box["button"]

    def said(self):
        """The last text the program said to a screen reader (Wine has no UI Automation: the program keeps it)."""
        return self.ask("said")

    def window_facts(self):
        return self.ask("window")

    def accessible(self, control):
        found = self.ask("accessible", control)
        return found["role"], found["name"]

    def accessible_description(self, control):
        return self.ask("accessible", control)["description"]

    def accessible_entries(self, control):
        return [tuple(entry) for entry in self.ask("entries", control)]

    def stop(self):
        self.stop_probe()
        # Ends every Windows process of the prefix, the program among them.
        self.wine.stop()
        super().stop()
