"""The end-to-end scenario: Trezolin driven as a pupil drives it.

The same steps run against every shell; a driver knows how to click, press
keys and read a control in its shell, and nothing about the program. Which
control is which comes from the window's description. Every log line is
checked against values computed here, independently of the program's own
code. Steps that only some shells can take (what a screen reader hears, the
full counter, closing mid-burst) run where the driver can do what they need.
"""

from description import Target

NEIGHBOURS = [(1, 3, 4), (2, 0, 5), (3, 1, 6), (0, 2, 7),
              (5, 7, 0), (6, 4, 1), (7, 5, 2), (4, 6, 3)]
METHODS = ("Round", "Int", "Fix")


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
        self.previous = None  # the values before the latest check
        self.lines = []

    def check(self, method):
        self.previous = self.values
        self.values = change(self.values, method)
        self.lines.append(log_line(len(self.lines) + 1, self.values))


class Window:
    """The controls the steps use, found in the description by their part."""

    def __init__(self, description):
        self.description = description
        self.left = description.with_role("firstCubeVertex")
        self.right = description.with_role("secondCubeVertex")
        self.log = description.the("log")
        self.start = description.the("startButton")
        self.check = description.the("checkButton")
        self.methods = description.the("methodList")
        assert tuple(description.entries(self.methods)) == METHODS

    def method(self, name):
        return Target(self.methods, row=METHODS.index(name))

    def below_methods(self):
        return Target(self.methods, below=True)


def run(d, w):
    read_cube = lambda names: [d.read(n) for n in names]
    log_lines = lambda: d.read(w.log).splitlines()

    # The load state.
    help_lines = log_lines()
    Check.equal(help_lines[0][:20] if help_lines else "", "При някои изчисления", "help text first line")
    Check.equal(len(help_lines), 29, "help text has 29 lines")
    Check.equal(read_cube(w.left), list("ABCDEFGH"), "left cube shows the letters")
    Check.equal(read_cube(w.right), [""] * 8, "right cube is empty")

    # A check before any start works on the empty boxes, behind the help text.
    d.click(w.check)
    Check.equal(log_lines(), help_lines + [log_line(1, [0] * 8)], "a check before any start gives zeros")
    Check.equal(read_cube(w.right), ["0"] * 8, "the right cube shows the zeros")

    d.click(w.start)
    start = read_cube(w.left)
    Check.equal(read_cube(w.right), start, "both cubes show the start values")
    values = [int(v) for v in start]
    Check.equal(all(-98 <= v <= 0 for v in values), True, f"start values {values} in -98..0")
    Check.equal(d.read(w.log), "", "start empties the log")
    model = Model(values)

    # "Round" is chosen at load.
    for _ in range(3):
        d.click(w.check)
        model.check("Round")
    Check.equal(log_lines(), model.lines, "three checks by Round")
    Check.equal(read_cube(w.right), [str(v) for v in model.values], "right cube after three checks")
    Check.equal(read_cube(w.left), start, "left cube keeps the start values")

    for method in ("Int", "Fix"):
        d.click(w.method(method))
        d.click(w.check)
        model.check(method)
    Check.equal(log_lines(), model.lines, "checks by Int and Fix, chosen by clicking the list")

    # The method list cannot be emptied: Ctrl+click on the chosen entry,
    # Ctrl+Space and a click below the last entry keep it chosen.
    d.click(w.method("Fix"), modifier="ctrl")
    d.key("ctrl+space")
    d.click(w.below_methods())
    d.click(w.check)
    model.check("Fix")
    Check.equal(log_lines(), model.lines, "the list keeps Fix chosen")

    # The keyboard: Tab from the right cube's H reaches the buttons; Space
    # presses the focused one; the arrow keys move the method; Enter presses.
    d.click(w.method("Round"))
    d.click(w.right[7])
    d.key("Tab", "Tab")            # the start button, then the check button
    d.key("space")
    model.check("Round")
    d.key("Tab", "Down")           # the method list, then Int
    d.key("shift+Tab", "Return")   # back to the check button
    model.check("Int")
    Check.equal(log_lines(), model.lines, "Space, the arrow keys and Enter")

    # Typing into a vertex box changes nothing.
    before = d.read(w.right[0])
    d.click(w.right[0])
    d.key("End")
    d.type_text("123")
    d.key("BackSpace", "Delete")
    Check.equal(d.read(w.right[0]), before, "typing into a vertex box changes nothing")

    # A burst of clicks, each one a check, in order.
    d.burst(w.check, 1000)
    for _ in range(1000):
        model.check("Int")
    Check.equal(log_lines(), model.lines, "a burst of 1000 clicks gives 1000 lines in order")
    Check.equal(read_cube(w.right), [str(v) for v in model.values], "right cube after the burst")
    return model


# Steps that need more of a driver than clicks, keys and the clipboard.

def accessibility(d, w, model):
    """What a screen reader gets from each control: its role and its name."""
    roles = {"vertexBox": "textbox", "button": "button", "choiceList": "listbox", "logBox": "log",
             "picture": "image"}
    expected, seen = {}, {}
    for name, control in w.description.controls.items():
        if control["visible"] and control["widget"] in roles:
            expected[name] = (d.ROLES.get(control["widget"], roles[control["widget"]]),
                              w.description.accessible_name(name))
            seen[name] = d.accessible(name)
    Check.equal(seen, expected, "each control's role and accessible name")
    entries = d.accessible_entries(w.methods)
    Check.equal(entries, [(d.ROLES.get("entry", "option"), m, m == "Int") for m in METHODS],
                "the method list's entries, Int chosen")
    return model


def full_counter(d, w, model):
    """The 32 768th check of a run: the counter is full, a message box says so, the window stays."""
    d.click(w.start)
    model = Model([int(d.read(n)) for n in w.right])
    d.click_many(w.check, 32767)
    Check.equal(d.log_line_count(w.log), 32767, "32 767 checks give 32 767 lines")
    right = [d.read(n) for n in w.right]
    last_line = d.last_log_line(w.log)
    Check.equal(last_line.startswith("Проверявате опит: 32767: "), True, "the last line is number 32767")
    d.click(w.check)
    title, text = d.message_box()
    Check.equal(title, w.description.window["title"], "the 32 768th check opens a message box titled Trezolin")
    Check.equal(text, w.description.data["messages"]["overflow"], "the message box says the counter overflowed")
    Check.equal(d.focused(), "OK", "the message box has the focus on OK")
    d.key("Return")
    Check.equal(d.message_box(), None, "Enter closes the message box")
    Check.equal(d.focused(), w.check, "the focus goes back to the check button")
    Check.equal(([d.read(n) for n in w.right], d.log_line_count(w.log), d.last_log_line(w.log)),
                (right, 32767, last_line), "the window stays as it was")
    d.click(w.start)
    d.click(w.check)
    Check.equal(d.log_line_count(w.log), 1, "a start afterwards begins a new run")
    Check.equal(d.read(w.log).startswith("Проверявате опит: 1: "), True, "numbered from 1")
    return model


def close_mid_burst(d, w, model):
    """Closing the window as its close box does, in the middle of a burst of clicks, ends the program cleanly."""
    status, output = d.close_during_burst(w.check)
    Check.equal(status, 0, "closing the window mid-burst ends the program with status 0")
    Check.equal([l for l in output.splitlines() if "Sanitizer" in l or "runtime error" in l], [],
                "no sanitizer report from the program")
    return model


def page_details(d, w, model):
    """What only the page has: its language, tooltips, the live region, the focus around the dialog."""
    Check.equal(d.ready, "true", "the page started")
    Check.equal((d.title(), d.language()), (w.description.window["title"], "bg"), "title and language")
    tooltips = {n: c["tooltip"] for n, c in w.description.controls.items() if c["tooltip"]}
    Check.equal({n: d.tooltip(n) for n in tooltips}, tooltips, "tooltips")
    hidden = [n for n, c in w.description.controls.items() if not c["visible"]]
    Check.equal([d.displayed(n) for n in hidden], [False] * len(hidden), "the hidden controls stay hidden")
    captions = {n: c["text"].strip() for n, c in w.description.controls.items() if c["widget"] == "caption"}
    Check.equal({n: d.text(n) for n in captions}, captions, "the labels' captions")
    Check.equal(d.attribute(w.right[0], "readonly"), "true", "vertex boxes are read-only")
    Check.equal((d.attribute(w.log, "aria-live"), d.attribute(w.log, "aria-relevant")), ("polite", None),
                "the log is a polite live region that announces additions")

    # One check adds exactly one line to the live region and removes nothing.
    d.watch_additions(w.log)
    d.click(w.check)
    model.check("Int")
    Check.equal(d.additions(), [[1, 0, model.lines[-1]]], "a check adds one line to the log, the new one")
    Check.equal(d.scrolled_to_end(w.log), True, "the log is scrolled to its newest line")
    return model


def page_kept_to_itself(d, w, model):
    """Nothing leaves the machine, and nothing went wrong on the way."""
    Check.equal(d.requests_beyond_the_page(), [], "no request beyond the file itself")
    Check.equal(d.console_problems(), [], "no error or warning in the browser's console")
    return model


def windows_details(d, w, model):
    """What the Windows program holds beyond what the clipboard shows, read from inside Windows: the log's
    own CR LF line ends, the hidden controls and lists, the window's frame and icon, tooltips, and what a
    screen reader reads after each name."""
    description = w.description
    controls = description.controls
    Check.equal(d.text(w.log).split("\r\n"), model.lines + [""], "the log box holds every line, each ending in CR LF")

    hidden = [n for n, c in controls.items() if not c["visible"]]
    Check.equal({n: d.shown(n) for n in hidden}, {n: False for n in hidden}, "the hidden controls exist and stay hidden")
    Check.equal((d.items(description.the("previousValues")), d.items(description.the("currentValues"))),
                ([str(v) for v in model.previous], [str(v) for v in model.values]),
                "the hidden lists hold the values before and after the latest change")
    locked = w.left + w.right + [w.log]
    Check.equal({n: d.read_only(n) for n in locked}, {n: True for n in locked}, "vertex boxes and the log are read-only")
    captions = {n: c["text"] for n, c in controls.items() if c["widget"] == "caption"}
    Check.equal({n: d.text(n) for n in captions}, captions, "the labels' captions")

    facts = d.window_facts()
    width, height = description.window["pixels"]
    Check.equal({k: facts[k] for k in ("title", "client", "systemMenu", "minimizeBox", "maximizeBox", "resizable")},
                {"title": description.window["title"], "client": [0, 0, width, height], "systemMenu": True,
                 "minimizeBox": False, "maximizeBox": False, "resizable": False},
                "title, client area, system menu and close box only, fixed size")
    left, top, right, bottom = facts["frame"]
    area = facts["workArea"]
    Check.equal((abs(left + right - area[0] - area[2]) <= 1, abs(top + bottom - area[1] - area[3]) <= 1), (True, True),
                f"the window {facts['frame']} is centred on the screen {area}")
    Check.equal((16, 16) in d.icon_sizes() and (32, 32) in d.icon_sizes(), True, "the window shows its icon")

    tooltips = {n: c["tooltip"] for n, c in controls.items() if c["tooltip"]}
    Check.equal({n: d.tooltip(n) for n in tooltips}, tooltips, "each tooltip shows its whole text")
    described = {n: c["accessibleDescription"] or c["tooltip"] for n, c in controls.items()
                 if c["visible"] and c["widget"] != "caption" and (c["accessibleDescription"] or c["tooltip"])}
    Check.equal({n: d.accessible_description(n) for n in described}, described,
                "what a screen reader reads after each control's name")
    return model


def tab_order(d, w, model):
    """Tab moves through the visible controls that take the focus, in the description's tab order, out of
    the many-line log as well, and round to the first; Shift+Tab moves back."""
    controls = w.description.controls
    takes_focus = ("vertexBox", "logBox", "choiceList", "button", "picture")
    order = [n for n, c in sorted(controls.items(), key=lambda item: item[1]["tabIndex"])
             if c["visible"] and c["widget"] in takes_focus]
    d.click(order[0])
    forward = []
    for _ in order:
        d.key("Tab")
        forward.append(d.focused())
    Check.equal(forward, order[1:] + order[:1], "Tab follows the tab order, out of the log too")
    d.click(w.log)
    d.key("shift+Tab")
    Check.equal(d.focused(), order[order.index(w.log) - 1], "Shift+Tab leaves the log backwards")
    return model


RESTARTS = 4


def restarts(d, w, model):
    """Started again and again, the program opens its window with the help text every time, the text
    can be selected and copied, and the close box ends the program cleanly. A font's text layout that
    fails only now and then shows here, not in a single start."""
    statuses, help_texts = [], []
    for _ in range(RESTARTS):
        statuses.append(d.restart())
        lines = d.read(w.log).splitlines()
        help_texts.append((lines[0][:20] if lines else "", len(lines)))
    Check.equal(statuses, [0] * RESTARTS, f"the close box ends the program with status 0, {RESTARTS} times")
    Check.equal(help_texts, [("При някои изчисления", 29)] * RESTARTS, f"{RESTARTS} new starts show the help text")
    # The load state: the second cube's empty boxes count as zeros.
    return Model([0] * 8)
