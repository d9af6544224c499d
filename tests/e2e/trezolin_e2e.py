#!/usr/bin/env python3
"""End-to-end test of the trezolin binary in a real X server.

Drives the window as a pupil would, with the mouse, the keyboard and the
clipboard, and checks every log line against values computed here.
Usage: trezolin_e2e.py PATH_TO_TREZOLIN
"""

import sys
import time

from x_session import XSession

# Centres of the controls, in window coordinates (pixels).
START_BUTTON = (648, 264)
CHECK_BUTTON = (648, 312)
METHOD_ROWS = {"Round": (640, 139), "Int": (640, 158), "Fix": (640, 177)}
LOG_BOX = (300, 420)
LEFT_BOXES = [(32, 309), (200, 317), (288, 229), (88, 221),
              (16, 141), (216, 157), (288, 61), (104, 53)]
RIGHT_BOXES = [(328, 309), (496, 317), (592, 229), (392, 221),
               (320, 141), (520, 157), (592, 61), (400, 53)]
NEIGHBOURS = [(1, 3, 4), (2, 0, 5), (3, 1, 6), (0, 2, 7),
              (5, 7, 0), (6, 4, 1), (7, 5, 2), (4, 6, 3)]


def third(total, method):
    q, r = divmod(total, 3)          # floor division: total = 3q + r, 0 <= r < 3
    if method == "Round":
        return q + 1 if r == 2 else q
    if method == "Int":
        return q
    return q + 1 if (total < 0 and r != 0) else q   # Fix: toward zero


def change(values, method):
    return [third(sum(values[j] for j in NEIGHBOURS[i]), method) for i in range(8)]


def log_line(number, values):
    return f"Проверявате опит: {number}: " + "".join(f"{v}  " for v in values)


class Check:
    failures = 0

    @classmethod
    def equal(cls, actual, expected, what):
        if actual != expected:
            cls.failures += 1
            print(f"FAIL {what}:\n  expected {expected!r}\n  actual   {actual!r}")
        else:
            print(f"ok   {what}")


NOTHING_COPIED = "<nothing copied>"


def copy_from(session, window, point):
    """Selects all of a control's text with the keyboard and copies it.

    Copying an empty selection leaves the clipboard alone, so an empty control
    reads as the marker put there first; that counts as empty text.
    """
    session.set_clipboard(NOTHING_COPIED)
    session.click(window, *point)
    session.key("ctrl+a")
    session.key("ctrl+c")
    # The program answers the copy in its own time; give it a moment.
    for _ in range(5):
        text = session.clipboard()
        if text != NOTHING_COPIED:
            return text
        time.sleep(0.1)
    return ""


def main():
    binary = sys.argv[1]
    session = XSession()
    program = None
    try:
        program = session.start([binary])
        window = session.find_window("Trezolin")
        time.sleep(0.5)

        def read(point):
            return copy_from(session, window, point)

        def read_cube(boxes):
            return [read(p) for p in boxes]

        log = read(LOG_BOX)
        Check.equal(log.splitlines()[0][:20], "При някои изчисления", "help text first line")
        Check.equal(len(log.splitlines()), 29, "help text has 29 lines")
        Check.equal(read_cube(LEFT_BOXES), list("ABCDEFGH"), "left cube shows the letters")
        Check.equal(read_cube(RIGHT_BOXES), [""] * 8, "right cube is empty")

        session.click(window, *START_BUTTON)
        start = read_cube(LEFT_BOXES)
        Check.equal(read_cube(RIGHT_BOXES), start, "both cubes show the start values")
        values = [int(v) for v in start]
        Check.equal(all(-98 <= v <= 0 for v in values), True, f"start values {values} in -98..0")
        Check.equal(read(LOG_BOX), "", "start empties the log")

        expected = []
        for n in range(1, 4):
            session.click(window, *CHECK_BUTTON)
            values = change(values, "Round")
            expected.append(log_line(n, values))
        Check.equal(read(LOG_BOX).splitlines(), expected, "three checks by Round")
        Check.equal(read_cube(RIGHT_BOXES), [str(v) for v in values], "right cube after three checks")
        Check.equal(read_cube(LEFT_BOXES), start, "left cube keeps the start values")

        for method, n in (("Int", 4), ("Fix", 5)):
            session.click(window, *METHOD_ROWS[method])
            session.click(window, *CHECK_BUTTON)
            values = change(values, method)
            expected.append(log_line(n, values))
        Check.equal(read(LOG_BOX).splitlines(), expected, "checks by Int and Fix")

        # The method list cannot be emptied: Ctrl+click on the chosen entry
        # and Ctrl+Space keep it chosen, so the next check still rounds by Fix.
        session.click(window, *METHOD_ROWS["Fix"], modifier="ctrl")
        session.key("ctrl+space")
        session.click(window, *CHECK_BUTTON)
        values = change(values, "Fix")
        expected.append(log_line(6, values))
        Check.equal(read(LOG_BOX).splitlines(), expected, "Ctrl+click and Ctrl+Space keep Fix chosen")

        # The keyboard: Space on the focused button presses it.
        session.click(window, *METHOD_ROWS["Round"])
        session.click(window, *RIGHT_BOXES[7])  # focus H of the right cube; Tab leads on to the buttons
        session.key("Tab", "Tab")               # Command1(0), Command1(1)
        session.key("space")
        values = change(values, "Round")
        expected.append(log_line(7, values))
        Check.equal(read(LOG_BOX).splitlines(), expected, "Space on the focused check button")

        # Typing into a vertex box changes nothing.
        before = read(RIGHT_BOXES[0])
        session.click(window, *RIGHT_BOXES[0])
        session.key("End")
        session.type_text("123")
        session.key("BackSpace", "Delete")
        Check.equal(read(RIGHT_BOXES[0]), before, "typing into a vertex box changes nothing")

        # Close the window in the middle of a burst of clicks on "Провери".
        session.run(["xdotool", "mousemove", "--window", window, *map(str, CHECK_BUTTON)])
        burst = session.start(["xdotool", "click", "--repeat", "300", "--delay", "2", "1"])
        time.sleep(0.3)
        session.close_window("Trezolin")
        burst.wait(timeout=30)
        try:
            status = program.wait(timeout=15)
        except Exception:
            status = "still running"
        Check.equal(status, 0, "closing the window mid-burst ends the program with status 0")
        output = program.stdout.read() if status == 0 else ""
        Check.equal([l for l in output.splitlines() if "Sanitizer" in l or "runtime error" in l], [],
                    "no sanitizer report from the program")
    finally:
        if program and program.poll() is None:
            program.kill()
            program.wait()
        if program and program.stdout:
            output = program.stdout.read()
            if output.strip():
                print("program output:\n" + output)
        session.stop()

    if Check.failures:
        print(f"{Check.failures} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
