"""The end-to-end scenario: Trezolin driven as a pupil drives it.

The same steps run against every shell; a driver knows how to click, press
keys and read a control in its shell, and nothing about the program. Which
control is which comes from the window's description. Every log line is
checked against values computed here, independently of the program's own
code. Steps that only some shells can take (what a screen reader hears, the
full counter, closing mid-burst) run where the driver can do what they need.
"""

from pathlib import Path

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
        self.lines = []

    def check(self, method):
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

def available(d, primitive):
    """Whether the driver can carry the primitive out; when it cannot, says so and why."""
    reason = getattr(d, "LACKS", {}).get(primitive)
    if reason:
        print(f"skip {primitive}: {reason}")
    return reason is None


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
    if available(d, "console_problems"):
        Check.equal(d.console_problems(), [], "no error or warning in the browser's console")
    return model


# The automated accessibility check: axe-core with its rules for WCAG 2.0,
# 2.1 and 2.2 at levels A and AA, run inside the page by the driver.
AXE = Path(__file__).resolve().parent / "node_modules" / "axe-core" / "axe.min.js"
AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa"]
AXE_RUN = """
const [tags, done] = arguments;
axe.run(document, {runOnly: {type: "tag", values: tags}, resultTypes: ["violations"]}).then(
  (result) => done(result.violations.map((v) => `${v.id} (${v.impact}): ${v.help}; at ` + v.nodes.map(
    (n) => n.target.join(" ") + " - " + n.failureSummary.replace(/\\s+/g, " ")).join("; "))),
  (error) => done([`axe-core failed: ${error}`]));
"""
# The screens pupils use, and how they press a button there.
SCREENS = (("a desktop", 1280, 800, "click"), ("a phone upright", 360, 740, "tap"),
           ("a phone sideways", 740, 360, "tap"))


def axe_findings(d):
    """What axe-core finds wrong in the page as it stands, one entry per rule broken."""
    if not d.script("return typeof axe === 'object'"):
        d.script(AXE.read_text(encoding="utf-8"))
    return d.async_script(AXE_RUN, AXE_TAGS)


def every_screen(d, w, model):
    """On a desktop and on a phone either way up: the page opens in its load state,
    a start and checks pressed there (tapped on a phone) give the right lines, and
    axe-core finds nothing at load, after the checks, and with the message box open."""
    for screen, width, height, how in SCREENS:
        Check.equal(d.viewport(width, height), (width, height), f"{screen}: the page has {width} x {height}")
        d.open()
        Check.equal(axe_findings(d), [], f"{screen}: axe-core finds nothing at load")
        press = getattr(d, how)
        press(w.start)
        run = Model([int(d.read(n)) for n in w.right])
        for method in METHODS:
            press(w.method(method))
            press(w.check)
            run.check(method)
        Check.equal(d.read(w.log).splitlines(), run.lines, f"{screen}: a start and a check by each method")
        Check.equal(axe_findings(d), [], f"{screen}: axe-core finds nothing after the checks")

    d.click(w.start)
    d.click_many(w.check, 32768)
    for screen, width, height, _ in SCREENS:
        d.viewport(width, height)
        Check.equal(d.message_box() is not None, True, f"{screen}: the message box is open")
        Check.equal(axe_findings(d), [], f"{screen}: axe-core finds nothing with the message box open")
    d.key("Return")
    return model
