"""The desktop window in a real X server, driven with xdotool, xclip and wmctrl."""

import time

from x_session import XSession

# Centres of the controls, in window coordinates (pixels).
PLACES = {
    "Command1(0)": (648, 264),
    "Command1(1)": (648, 312),
    "Round": (640, 139),
    "Int": (640, 158),
    "Fix": (640, 177),
    "below the methods": (640, 188),   # the list's frame, under its last entry
    "Text1(0)": (300, 420),
}
for i, place in enumerate([(32, 309), (200, 317), (288, 229), (88, 221),
                           (16, 141), (216, 157), (288, 61), (104, 53)]):
    PLACES[f"Wryh_N({i})"] = place
for i, place in enumerate([(328, 309), (496, 317), (592, 229), (392, 221),
                           (320, 141), (520, 157), (592, 61), (400, 53)]):
    PLACES[f"Wryh_k({i})"] = place

NOTHING_COPIED = "<nothing copied>"


class X11Driver:
    name = "desktop"

    def __init__(self, binary):
        self.session = XSession()
        self.program = self.session.start([binary])
        self.window = self.session.find_window("Trezolin")
        time.sleep(0.5)

    def click(self, control, modifier=None):
        self.session.click(self.window, *PLACES[control], modifier=modifier)

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
        # The program answers the copy in its own time; give it a moment.
        for _ in range(20):
            text = self.session.clipboard()
            if text != NOTHING_COPIED:
                return text
            time.sleep(0.1)
        return ""

    def burst(self, control, count):
        self.session.run(["xdotool", "mousemove", "--window", self.window, *map(str, PLACES[control])])
        self.session.run(["xdotool", "click", "--repeat", str(count), "--delay", "2", "1"])

    def finish(self, check, model):
        """Closes the window as its close box does, in the middle of a burst of clicks."""
        session, program = self.session, self.program
        session.run(["xdotool", "mousemove", "--window", self.window, *map(str, PLACES["Command1(1)"])])
        burst = session.start(["xdotool", "click", "--repeat", "300", "--delay", "2", "1"])
        time.sleep(0.3)
        session.close_window("Trezolin")
        burst.wait(timeout=30)
        try:
            status = program.wait(timeout=15)
        except Exception:
            status = "still running"
        check.equal(status, 0, "closing the window mid-burst ends the program with status 0")
        output = program.stdout.read() if status == 0 else ""
        check.equal([l for l in output.splitlines() if "Sanitizer" in l or "runtime error" in l], [],
                    "no sanitizer report from the program")

    def stop(self):
        program = self.program
        if program.poll() is None:
            program.kill()
            program.wait()
        if program.stdout:
            output = program.stdout.read()
            if output.strip():
                print("program output:\n" + output)
        self.session.stop()
