"""The end-to-end scenario: Trezolin driven as a pupil drives it.

The same checks run against the desktop window (x11_driver) and the page
(browser_driver); a driver knows how to click, press keys and read a control
through the clipboard in its shell, and nothing about the program.
Every log line is checked against values computed here, independently of the
program's own code.
"""

NEIGHBOURS = [(1, 3, 4), (2, 0, 5), (3, 1, 6), (0, 2, 7),
              (5, 7, 0), (6, 4, 1), (7, 5, 2), (4, 6, 3)]
LEFT = [f"Wryh_N({i})" for i in range(8)]
RIGHT = [f"Wryh_k({i})" for i in range(8)]
LOG = "Text1(0)"
START = "Command1(0)"
CHECK = "Command1(1)"


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
            if isinstance(actual, list) and isinstance(expected, list) and len(actual) + len(expected) > 20:
                # Long lists: where they part, and their lengths.
                at = next((i for i, (a, e) in enumerate(zip(actual, expected)) if a != e), min(len(actual), len(expected)))
                print(f"FAIL {what}: {len(actual)} items, {len(expected)} expected; first difference at {at}:\n"
                      f"  expected {expected[at:at + 2]!r}\n  actual   {actual[at:at + 2]!r}")
                return False
            if isinstance(actual, dict) and isinstance(expected, dict):
                keys = sorted(k for k in actual.keys() | expected.keys() if actual.get(k) != expected.get(k))
                expected = {k: expected.get(k) for k in keys}
                actual = {k: actual.get(k) for k in keys}
            print(f"FAIL {what}:\n  expected {expected!r}\n  actual   {actual!r}")
        else:
            print(f"ok   {what}")
        return actual == expected


class Model:
    """The run as it should stand: values, method, and the expected log lines."""

    def __init__(self, values):
        self.values = values
        self.lines = []

    def check(self, method):
        self.values = change(self.values, method)
        self.lines.append(log_line(len(self.lines) + 1, self.values))


def run(d):
    read_cube = lambda names: [d.read(n) for n in names]
    log_lines = lambda: d.read(LOG).splitlines()

    # The load state.
    help_lines = log_lines()
    Check.equal(help_lines[0][:20] if help_lines else "", "При някои изчисления", "help text first line")
    Check.equal(len(help_lines), 29, "help text has 29 lines")
    Check.equal(read_cube(LEFT), list("ABCDEFGH"), "left cube shows the letters")
    Check.equal(read_cube(RIGHT), [""] * 8, "right cube is empty")

    # A check before any start works on the empty boxes, behind the help text.
    d.click(CHECK)
    Check.equal(log_lines(), help_lines + [log_line(1, [0] * 8)], "a check before any start gives zeros")
    Check.equal(read_cube(RIGHT), ["0"] * 8, "the right cube shows the zeros")

    d.click(START)
    start = read_cube(LEFT)
    Check.equal(read_cube(RIGHT), start, "both cubes show the start values")
    values = [int(v) for v in start]
    Check.equal(all(-98 <= v <= 0 for v in values), True, f"start values {values} in -98..0")
    Check.equal(d.read(LOG), "", "start empties the log")
    model = Model(values)

    # "Round" is chosen at load.
    for _ in range(3):
        d.click(CHECK)
        model.check("Round")
    Check.equal(log_lines(), model.lines, "three checks by Round")
    Check.equal(read_cube(RIGHT), [str(v) for v in model.values], "right cube after three checks")
    Check.equal(read_cube(LEFT), start, "left cube keeps the start values")

    for method in ("Int", "Fix"):
        d.click(method)
        d.click(CHECK)
        model.check(method)
    Check.equal(log_lines(), model.lines, "checks by Int and Fix, chosen by clicking the list")

    # The method list cannot be emptied: Ctrl+click on the chosen entry,
    # Ctrl+Space and a click below the last entry keep it chosen.
    d.click("Fix", modifier="ctrl")
    d.key("ctrl+space")
    d.click("below the methods")
    d.click(CHECK)
    model.check("Fix")
    Check.equal(log_lines(), model.lines, "the list keeps Fix chosen")

    # The keyboard: Tab from the right cube's H reaches the buttons; Space
    # presses the focused one; the arrow keys move the method; Enter presses.
    d.click("Round")
    d.click(RIGHT[7])
    d.key("Tab", "Tab")            # Command1(0), Command1(1)
    d.key("space")
    model.check("Round")
    d.key("Tab", "Down")           # the method list, then Int
    d.key("shift+Tab", "Return")   # back to Command1(1)
    model.check("Int")
    Check.equal(log_lines(), model.lines, "Space, the arrow keys and Enter")

    # Typing into a vertex box changes nothing.
    before = d.read(RIGHT[0])
    d.click(RIGHT[0])
    d.key("End")
    d.type_text("123")
    d.key("BackSpace", "Delete")
    Check.equal(d.read(RIGHT[0]), before, "typing into a vertex box changes nothing")

    # A burst of clicks, each one a check, in order.
    d.burst(CHECK, 1000)
    for _ in range(1000):
        model.check("Int")
    Check.equal(log_lines(), model.lines, "a burst of 1000 clicks gives 1000 lines in order")
    Check.equal(read_cube(RIGHT), [str(v) for v in model.values], "right cube after the burst")
    return model
