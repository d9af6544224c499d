# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The desktop window in a real X server, driven with xdotool, xclip and wmctrl."""

import time

from description import Target
from x_session import XSession

NOTHING_COPIED = "<nothing copied>"


class X11Driver:
    def __init__(self, binary, description, session=None):
        self.description = description
        self.session = session or XSession()
        self.binary = binary
        self.program = self.start_program(binary)
        self.window = self.session.find_window(description.window["title"])
        self.session.wait_until_shown(self.window, *description.window["pixels"])

    def start_program(self, binary):
        return self.session.start([binary])

    def program_output(self):
        """What the program printed, once it has ended."""
        return self.program.stdout.read() if self.program.stdout else ""

    def place(self, target):
        """Where a control or a list's entry is, in the window's pixels."""
        if not isinstance(target, Target):
            target = Target(target)
        return target.place(self.description)

    def click(self, target, modifier=None):
        self.session.click(self.window, *self.place(target), modifier=modifier)

    def key(self, *keys):
        self.session.key(*keys)

    def type_text(self, text):
        self.session.type_text(text)

    def read(self, control):
        """Selects all of a control's text with the keyboard and copies it.

        Copying an empty selection leaves the clipboard alone, so an empty
        control reads as the marker put there first; that counts as empty text.
        """
        self.session.set_clipboard(NOTHING_COPIED)
        self.click(control)
        self.key("ctrl+a")
        self.key("ctrl+c")
        # The program answers the copy in its own time: a moment, or as long as a busy machine takes
        # where the driver can tell an empty control without waiting.
        deadline = time.monotonic() + (60 if self.TELLS_EMPTY else 2)
        while time.monotonic() < deadline:
            text = self.session.clipboard()
            if text != NOTHING_COPIED:
                return text
            if self.known_empty(control):
                return ""
            time.sleep(0.1)
        return ""

    # Whether known_empty can say yes.
    TELLS_EMPTY = False

    def known_empty(self, control):
        """Whether the driver can tell, without waiting, that the control holds no text to copy."""
        return False

    def burst(self, control, count):
        self.session.run(["xdotool", "mousemove", "--window", self.window, *map(str, self.place(control))])
        self.session.run(["xdotool", "click", "--repeat", str(count), "--delay", "2", "1"])

    def close_during_burst(self, control):
        """Closes the window as its close box does, while a burst of clicks goes on;
        gives the program's exit status and what it printed."""
        session, program = self.session, self.program
        session.run(["xdotool", "mousemove", "--window", self.window, *map(str, self.place(control))])
        burst = session.start(["xdotool", "click", "--repeat", "300", "--delay", "2", "1"])
        time.sleep(0.3)
        session.close_window(self.description.window["title"])
        burst.wait(timeout=30)
        try:
            status = program.wait(timeout=15)
        except Exception:
            status = "still running"
        output = self.program_output() if status == 0 else ""
        return status, output

    def screen_reader(self):
        """Another start of the program, on a desktop of its own with Orca listening."""
        from screen_reader import Desk
        desk = Desk()
        try:
            desk.open([self.binary], self.description.window["title"])
        except Exception:
            desk.stop()
            raise
        return desk

    def stop(self):
        program = self.program
        if program.poll() is None:
            program.kill()
            program.wait()
        output = self.program_output()
        if output.strip():
            print("program output:\n" + output)
        self.session.stop()
