# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The end-to-end scenario: Trezolin driven as a pupil drives it.

The same steps run against every shell; a driver knows how to click, press
keys and read a control in its shell, and nothing about the program. Which
control is which comes from the window's description. Every log line is
checked against values computed here, independently of the program's own
code. Steps that only some shells can take (what a screen reader hears, the
full counter, closing mid-burst) run where the driver can do what they need.
"""

import os
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


LOG_HEADER = "Проверявате опит: "
HELP_FIRST_LINE = ("При някои изчисления крайният резултат трябва да се закръгли до цяло число и тогава неизбежно "
                   "възникват грешки от закръгляването.")


def log_line(number, values, header=LOG_HEADER):
    return f"{header}{number}: " + "".join(f"{v}  " for v in values)


class Check:
    failures = 0

    @classmethod
    def status(cls):
        """Says how the checks went; the exit status of the test."""
        if cls.failures:
            print(f"{cls.failures} check(s) failed")
            return 1
        print("all checks passed")
        return 0

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

    def __init__(self, values, header=LOG_HEADER):
        self.values = values
        self.previous = None  # the values before the latest check
        self.lines = []
        self.header = header

    def check(self, method):
        self.previous = self.values
        self.values = change(self.values, method)
        self.lines.append(log_line(len(self.lines) + 1, self.values, self.header))

    def relabel(self, header):
        """The same run under another language's header."""
        self.lines = [header + line[len(self.header):] for line in self.lines]
        self.header = header


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
    Check.equal(help_lines[:1], [HELP_FIRST_LINE], "help text first line")
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


def screen_reader(d, w, model):
    """A blind pupil's lesson with Orca: Tab to the start button, Space, Tab to the check button, Space.
    Orca says the start values after the start and the new log line after the check, each once, without
    the focus leaving the button."""
    import re
    order = w.description.window["tabOrder"]["designed"]
    start_name, check_name = (w.description.accessible_name(n) for n in (w.start, w.check))
    desk = d.screen_reader()
    try:
        orca = desk.orca

        def press(key, hear, what):
            """Presses the key; gives what Orca said from then until `hear` holds for it."""
            said = len(orca.transcript())
            desk.key(key)
            return orca.wait_for(hear, what, after=said, timeout=120)

        def names(name):
            return lambda said: any(name in u for u in said)

        tabs = order.index(w.start) - order.index(w.description.window["firstFocus"])
        for _ in range(tabs - 1):
            desk.key("Tab")
        press("Tab", names(start_name), "Orca to name the start button")

        def numbers(utterance):
            return re.findall(r"-?\d+", utterance)
        started = press("space", lambda said: any(len(numbers(u)) >= 8 for u in said), "Orca to say the start values")
        values = next(numbers(u) for u in started if len(numbers(u)) >= 8)[:8]
        sentence = w.description.start_announcement(values)
        print("Orca after the start:", started)
        Check.equal([any(sentence in u for u in started), all(-98 <= int(v) <= 0 for v in values)], [True, True],
                    f"after the start Orca says the description's sentence with the values {values}")

        run = Model([int(v) for v in values])
        run.check("Round")
        line = " ".join(run.lines[-1].split())
        press("Tab", names(check_name), "Orca to name the check button")
        checked = press("space", lambda said: any(line in " ".join(u.split()) for u in said),
                        "Orca to say the new log line")
        print("Orca after the check:", checked)
        # Back to the start button: whatever Orca said of the check is in by then.
        after = press("shift+Tab", names(start_name), "Orca to name the start button again")
        Check.equal(sum(line in " ".join(u.split()) for u in checked + after), 1,
                    "after the check Orca says the new log line, once")
        Check.equal(sum(sentence in u for u in checked + after), 0, "the start values are not said again")
    finally:
        desk.stop()
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
    first = (d.browser_languages() or [""])[0]
    Check.equal(first.split("-")[0], "bg", f"the browser speaks Bulgarian, as a Bulgarian pupil's does: {first!r} first")
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

    # A start: its sentence with the start values in a polite status, drawn nowhere; the check after it
    # leaves the saying to the log.
    d.click(w.start)
    start = [d.read(n) for n in w.left]
    Check.equal(d.live_regions(), [["status", "polite", w.description.start_announcement(start)]],
                "a start's values said in a polite status")
    d.click(w.check)
    Check.equal(d.live_regions(), [["status", "polite", ""]], "a check says nothing beside the log")
    Check.equal(d.displayed_size(".announcement"), [1, 1], "the status is drawn nowhere")
    model = Model([int(v) for v in start])
    model.check("Int")

    arrangement_under_focus(d, w)
    return failure_while_showing(d, w, model)


def arrangement_under_focus(d, w):
    """The page narrowed to a phone's width under the focus, and widened again: the focus stays on its
    control, and the document (what Tab and a screen reader follow) takes each arrangement's order."""
    d.click(w.right[0])
    for arrangement, (width, height) in (("compact", (360, 740)), ("designed", d.viewport_size())):
        d.viewport(width, height)
        order = w.description.window["tabOrder"][arrangement]
        Check.equal((d.focused(), [n for n in d.document_order() if n in order]), (w.right[0], order),
                    f"{width} x {height}: the focus kept, the document in the {arrangement} tab order")


def failure_while_showing(d, w, model):
    """A script error inside the page while it shows a check (Int chosen): the message box says the
    unexpected error, and the next check writes the whole lesson anew, the failed check's line included."""
    d.take_entries_away(w.description.the("currentValues"))
    d.click(w.check)
    model.check("Int")
    Check.equal(d.message_box(), (w.description.window["title"], w.description.data["messages"]["unexpected"]),
                "a failure while showing a check opens the message box of the unexpected error")
    d.key("Return")
    d.click(w.check)
    model.check("Int")
    Check.equal((d.message_box(), d.read(w.log).splitlines(), [d.read(n) for n in w.right]),
                (None, model.lines, [str(v) for v in model.values]),
                "the next check shows the whole lesson again, every line and value right")
    return model


def version_and_trust(d, w, model):
    """The version and the licence under the window, in the single file and on the site; a policy that
    lets no string become HTML or a script's address (Trusted Types); and on the site the worker,
    registered through the page's one policy, keeping a cache named with the version."""
    version = os.environ["TREZOLIN_VERSION"]
    about = d.about_text()
    Check.equal((version in about.split(), "GNU GPL" in about), (True, True),
                f"the page shows its version and its licence: {about!r}")
    folder = d.site_folder()
    Check.equal(d.serve(folder), "true", "the site's page opens over http")
    if available(d, "console_problems"):
        Check.equal(d.console_problems(), [], "the site's page opens with no error or warning in the console")
    Check.equal(d.about_text(), about, "the site's page shows the same version and licence")
    state = d.worker_state()
    caches = state.get("caches", [])
    Check.equal((len(caches), f" {version} " in (caches or [""])[0]), (1, True),
                f"the worker, registered through the page's policy, keeps one cache named with the version: {state}")
    Check.equal(d.worker_from_text(), "refused", "the site's policy takes no plain text for the worker's address")
    Check.equal(d.html_from_text(), "refused", "the site's policy turns no string into HTML")
    d.stop_serving()
    d.open()
    Check.equal(d.html_from_text(), "refused", "the single file's policy turns no string into HTML")
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
AXE_SCREENS = (("a desktop", 1280, 800, "click"), ("a phone upright", 360, 740, "tap"),
               ("a phone sideways", 740, 360, "tap"))
# The most the page may move while it opens (the browser's layout-shift
# score; 0.1 is the most that web.dev counts as good).
MOST_SHIFT = 0.02


def axe_findings(d):
    """What axe-core finds wrong in the page as it stands, one entry per rule broken."""
    if not d.script("return typeof axe === 'object'"):
        d.script(AXE.read_text(encoding="utf-8"))
    return d.async_script(AXE_RUN, AXE_TAGS)


# The letters of the other languages that Bulgarian does not have.
LETTERS = "ґєіїĞğŞşıİçöü"


def language_codes(w):
    return [l["code"] for l in w.description.data["languages"]]


def in_every_language(d, w, screen):
    """The page opened in each language on this screen: it says it speaks it, nothing moves while it
    opens, every caption, button text, list entry and language choice fits its box, and axe-core finds
    nothing."""
    for code in language_codes(w):
        d.restart_in_language(code)
        Check.equal((d.ready, d.language()), ("true", code), f"{screen}, {code}: the page opens in that language")
        shift = d.layout_shift()
        if shift is not None:
            Check.equal(shift <= MOST_SHIFT, True, f"{screen}, {code}: nothing moves while it opens ({shift:.3f})")
        Check.equal(d.overflowing_texts(), [], f"{screen}, {code}: every text fits its box")
        Check.equal(axe_findings(d), [], f"{screen}, {code}: axe-core finds nothing")
    d.restart_in_language(None)


def every_screen(d, w, model):
    """On a desktop and on a phone either way up: the page opens in its load state,
    a start and checks pressed there (tapped on a phone) give the right lines, and
    axe-core finds nothing at load, after the checks, and with the message box open.
    In every language, each text fits its box and axe-core finds nothing, and the
    window's font has every letter of every language."""
    coverage = d.font_coverage(LETTERS)
    Check.equal((coverage["font"] is not None, coverage["missing"]), (True, []),
                f"the window's font {coverage['font']!r} has every letter of {LETTERS}")
    for screen, width, height, how in AXE_SCREENS:
        Check.equal(d.viewport(width, height), (width, height), f"{screen}: the page has {width} x {height}")
        d.open()
        shift = d.layout_shift()
        lacks = d.LACKS.get("layout_shift")
        Check.equal(shift is None, lacks is not None,
                    f"{screen}: " + (f"no layout shift measured: {lacks}" if lacks else "the browser measures layout shifts"))
        if shift is not None:
            Check.equal(shift <= MOST_SHIFT, True, f"{screen}: nothing moves while the page opens (layout shift {shift:.3f})")
        about, window = d.about_box(), d.window_box()
        Check.equal((about["top"] >= window["bottom"] - 0.5, about["left"] >= 0, about["right"] <= width + 0.5),
                    (True, True, True), f"{screen}: the version and the licence under the window, inside the screen")
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
        in_every_language(d, w, screen)

    d.click(w.start)
    d.click_many(w.check, 32768)
    for screen, width, height, _ in AXE_SCREENS:
        d.viewport(width, height)
        Check.equal(d.message_box() is not None, True, f"{screen}: the message box is open")
        Check.equal(axe_findings(d), [], f"{screen}: axe-core finds nothing with the message box open")
    d.key("Return")
    return model


# The page on every kind of screen, in high contrast and with the keyboard,
# and installed from a site: steps for the Chromium driver, which can pose as
# a phone, a tablet or a projector.

# name, CSS pixels wide and high (a window's, before any zoom), browser zoom in
# per cent, pixel density, touch, and the arrangement that fits there
SCREENS = [
    ("phone upright", 360, 740, 100, 3, True, "compact"),
    ("phone upright", 390, 844, 100, 3, True, "compact"),
    ("phone sideways", 844, 390, 100, 3, True, "designed"),
    ("tablet upright", 768, 1024, 100, 2, True, "designed"),
    ("Chromebook", 1366, 768, 100, 1, False, "designed"),
    ("projector", 1920, 1080, 100, 1, False, "designed"),
    ("200 % zoom", 1280, 720, 200, 1, False, "designed"),
]


def colour(text):
    """'rgb(r, g, b)' or 'rgba(r, g, b, a)' as (r, g, b, a)."""
    parts = [float(p) for p in text[text.index("(") + 1:-1].replace("/", ",").split(",")]
    return tuple(parts + [1.0] * (4 - len(parts)))


def over(top, below):
    """A colour that may be translucent, as it shows over an opaque one."""
    (r, g, b, a), base = colour(top), colour(below)
    return f"rgb({r * a + base[0] * (1 - a)}, {g * a + base[1] * (1 - a)}, {b * a + base[2] * (1 - a)})"


def contrast(first, second):
    """The contrast ratio of two opaque colours, as WCAG defines it: 1 to 21."""
    def luminance(c):
        def channel(v):
            v /= 255
            return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
        r, g, b = (channel(v) for v in colour(c)[:3])
        return 0.2126 * r + 0.7152 * g + 0.0722 * b
    light, dark = sorted((luminance(first), luminance(second)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def shown_controls(w):
    return [n for n, c in w.description.controls.items() if c["visible"]]


def targets(w):
    """The controls a finger taps, but for the method list's rows: the buttons and the vertex boxes (to copy a value)."""
    return [n for n, c in w.description.controls.items()
            if c["visible"] and c["widget"] in ("button", "vertexBox")]


def check_screen(d, w, name, width, height, touch, arrangement):
    """What every screen promises: no sideways scrolling, text no smaller than designed, targets for a
    finger, and the arrangement that fits, scaled as a whole to the largest size that fits."""
    what = f"{name} {width} x {height}"
    view = d.page_extent()
    Check.equal((view["scrollWidth"] <= view["width"], view["pinch"]), (True, 1), f"{what}: no sideways scrolling")
    names = shown_controls(w)
    boxes = d.layout(names)
    win = boxes.pop("window")
    data = w.description.data
    designed_font = data["window"]["fontPoints"] * 96 / 72
    size = data["window"]["pixels"] if arrangement == "designed" else data["compact"]["pixels"]
    scale = win["width"] / size[0]
    # Every control where the arrangement puts it, all scaled alike.
    key = "pixels" if arrangement == "designed" else "compact"
    misplaced = {}
    for n in names:
        b, (left, top, wide, _) = boxes[n], w.description.controls[n][key]
        actual = (b["left"] - win["left"], b["top"] - win["top"], b["width"])
        if any(abs(a - e * scale) > 1 for a, e in zip(actual, (left, top, wide))):
            misplaced[n] = (tuple(round(a) for a in actual), tuple(round(e * scale) for e in (left, top, wide)))
    Check.equal(misplaced, {}, f"{what}: every control where the {arrangement} arrangement puts it")
    # The largest scale that fits, never below 1 unless the page is narrower than the arrangement: at 1,
    # or touching the screen's width or height.
    least = min(1, view["width"] / size[0])
    fit_height = data["window"]["pixels"][1] if arrangement == "designed" else data["compact"]["firstScreen"]
    touches = abs(win["width"] - view["width"]) <= 1 or abs(fit_height * scale - view["height"]) <= 1
    fits = win["width"] <= view["width"] + 0.5 and (fit_height * scale <= view["height"] + 0.5 or scale < 1)
    Check.equal((scale >= least - 0.001, abs(scale - 1) < 0.001 or (touches and fits)), (True, True),
                f"{what}: scaled by {scale:.3f}, the largest that fits, below 1 only to fit the width")
    fonts = {n: b["font"] for n, b in boxes.items() if abs(b["font"] - designed_font * scale) > 0.05}
    Check.equal((fonts, designed_font * scale >= designed_font * least - 0.05), ({}, True),
                f"{what}: text {designed_font * scale:.1f} px, no smaller than designed but to fit the width")
    if touch:
        small = {n: (round(boxes[n]["width"]), round(boxes[n]["height"])) for n in targets(w)
                 if min(boxes[n]["width"], boxes[n]["height"]) < data["minimumTarget"]}
        rows = [round(r["height"], 1) for r in d.entry_boxes(w.methods)]
        Check.equal((small, min(rows) >= data["minimumTarget"]), ({}, True),
                    f"{what}: targets for a finger, method rows {rows} px")
    return what


def keyboard_order(d, w, what, arrangement):
    """Tab from the first control of the arrangement's tab order visits the others in the description's
    order, which in the compact column goes top to bottom as it stands."""
    order = w.description.window["tabOrder"][arrangement]
    d.click(order[0])
    seen = []
    for _ in order[1:]:
        d.key("Tab")
        seen.append(d.focused())
    Check.equal(seen, order[1:], f"{what}: Tab follows the {arrangement} tab order")
    # The cubes in the order they stand on the screen, top to bottom or left to right.
    pictures = [n for n in order if n in w.description.with_role("picture")]
    boxes = d.layout(pictures)
    places = [(boxes[n]["top"], boxes[n]["left"]) if arrangement == "compact" else (boxes[n]["left"],) for n in pictures]
    Check.equal(places == sorted(places), True, f"{what}: Tab meets the cubes in the order they stand")


def keyboard_on_screen(d, w, what, first, zoom, arrangement):
    """On the first screen, a phone: the focus stayed as the column replaced the window, and Tab goes down
    the column. Zoomed: the window spans the page's width, and Tab follows the designed order."""
    if first:
        Check.equal(d.focused(), w.right[0], f"{what}: the focus stays on its control as the column replaces the window")
        keyboard_order(d, w, what, arrangement)
    if zoom != 100:
        window, view = d.window_box(), d.page_extent()
        Check.equal(abs(window["width"] - view["width"]) <= 1, True,
                    f"{what}: the window spans the page's width ({window['width']:.0f} of {view['width']})")
        keyboard_order(d, w, what, arrangement)


def screens(d, w, model):
    """The page on each kind of screen, and the keyboard there; on a phone held upright one screen shows
    what a tap did, held sideways every control can be scrolled to."""
    d.emulate_screen(1366, 768)
    d.click(w.right[0])
    for name, width, height, zoom, density, touch, arrangement in SCREENS:
        if zoom != 100:
            d.zoom(zoom, width, height)
        else:
            d.emulate_screen(width, height, density, touch)
        what = check_screen(d, w, name, width, height, touch, arrangement)
        keyboard_on_screen(d, w, what, (name, width) == SCREENS[0][:2], zoom, arrangement)
        if arrangement == "designed":
            view = d.page_extent()
            reach = {n: d.reveal(n) for n in shown_controls(w)}
            # Within half a pixel: the page scrolls by whole pixels, a scaled window's edges fall between them.
            out = [n for n, r in reach.items() if r["left"] < -0.5 or r["top"] < -0.5
                   or r["right"] > view["width"] + 0.5 or r["bottom"] > view["height"] + 0.5]
            Check.equal(out, [], f"{what}: every control can be scrolled into view")
        d.scroll_to_top()

    # A pupil's taps on a phone: start, choose, check; then one screen shows the right cube,
    # "Провери" and the newest log line.
    d.emulate_screen(360, 740, 3, touch=True)
    d.finger_tap(w.start)
    model = Model([int(d.read(n)) for n in w.right])
    for method in ("Round", "Fix"):
        d.finger_tap(w.method(method))
        d.finger_tap(w.check)
        model.check(method)
    Check.equal(d.last_log_line(w.log), model.lines[-1], "taps on a phone: start, a method, a check")
    view = d.page_extent()
    seen = d.layout(w.right + [w.check])
    seen.pop("window")
    seen["the newest log line"] = d.newest_line_box(w.log)
    out = [n for n, b in seen.items()
           if b is None or b["top"] < 0 or b["top"] + b["height"] > view["height"] or b["left"] < 0
           or b["left"] + b["width"] > view["width"]]
    Check.equal(out, [], "360 x 740: the right cube, Провери and the newest log line in one screen")
    d.reset_screen()
    return model


def focus_and_colours(d, w, model):
    """The keyboard's focus ring on every control, and colours that stay readable in high contrast."""
    d.emulate_screen(1366, 768)
    d.click(w.start)
    look = d.focus_look()
    Check.equal((look["control"], look["visible"], look["style"]), (w.start, False, "none"),
                "a click leaves no focus ring")
    focusable = [n for n, c in w.description.controls.items() if c["takesFocus"]]
    looks = {}
    # Round the window and through the language chooser under it.
    for _ in range(len(focusable) + len(language_codes(w)) + 2):
        d.key("Tab")
        look = d.focus_look()
        looks.setdefault(look["control"], look)
    Check.equal(sorted(n for n in looks if n in focusable), sorted(focusable), "Tab reaches every control")
    weak = {}
    for n in focusable:
        look = looks[n]
        rings = [over(r, look["inside"]) for r in look["rings"]]
        against = [max(contrast(r, side) for r in rings) for side in (look["inside"], look["around"])]
        if not (look["visible"] and look["style"] != "none" and look["width"] >= 2 and min(against) >= 3):
            weak[n] = (look["visible"], look["style"], [round(a, 2) for a in against])
    Check.equal(weak, {}, "the keyboard's focus ring stands out at least 3 : 1 on every control and the chosen entry")

    # Text readable and captions and borders opaque, as designed and in both high-contrast palettes.
    texts = [n for n in shown_controls(w) if w.description.controls[n]["widget"] != "picture"]
    for palette, forced, dark in (("as designed", False, False), ("high contrast, light", True, False),
                                  ("high contrast, dark", True, True)):
        d.force_colours(forced, dark)
        found = d.colours(texts)
        faint = {n: round(contrast(c["text"], c["background"]), 2) for n, c in found.items()
                 if contrast(c["text"], c["background"]) < 4.5}
        translucent = {n: c for n, c in found.items() if any(colour(x)[3] < 1 for x in [c["text"]] + c["borders"])}
        Check.equal((faint, translucent), ({}, {}), f"{palette}: every text readable, captions and borders opaque")
        text, background = d.chosen_entry_colours(w.methods)
        shown = over(background, found[w.methods]["background"])
        Check.equal(contrast(text, shown) >= 4.5, True,
                    f"{palette}: the chosen method readable ({contrast(text, shown):.1f} : 1)")
        if forced:
            Check.equal([text, background], d.system_colours("HighlightText", "Highlight"),
                        f"{palette}: the chosen method in the system's selection colours")
            Check.equal([d.drawing_colours(n) for n in w.description.with_role("picture")],
                        [d.system_colours("CanvasText", "Canvas")] * 2, f"{palette}: the cubes drawn in the user's colours")
    d.reset_screen()
    return model


def message_box_on_every_screen(d, w, model):
    """The message box of a full counter stays inside a phone's screen, and OK stays its default:
    Enter closes it after a tap on its text or a click behind it, and presses nothing else."""
    d.emulate_screen(360, 740, 3, touch=True)
    d.finger_tap(w.start)
    d.click_many(w.check, 32767)
    d.finger_tap(w.check)
    box, view = d.message_box_box(), d.page_extent()
    Check.equal((d.message_box() is not None, box["left"] >= 0, box["top"] >= 0, box["right"] <= view["width"],
                 box["bottom"] <= view["height"]), (True,) * 5,
                f"360 x 740: the message box inside the screen ({box['width']:.0f} x {box['height']:.0f})")
    found = d.colours(["dialog p", "dialog button"])
    Check.equal({n: (contrast(c["text"], c["background"]) >= 4.5, all(colour(x)[3] == 1 for x in [c["text"]] + c["borders"]))
                 for n, c in found.items()}, {n: (True, True) for n in found},
                "the message box's text and OK readable, opaque")
    for what, elsewhere in (("a tap on its text", d.tap_message_text), ("a click behind it", d.click_behind_message_box)):
        if d.message_box() is None:
            d.click(w.check)
        elsewhere()
        d.key("Return")
        Check.equal((d.message_box(), d.log_line_count(w.log)), (None, 32767), f"Enter closes the message box after {what}")
        d.reset_screen()
    Check.equal(d.focused(), w.check, "the focus is back on the check button")
    return model


def site_installed_and_offline(d, w, model):
    """The site's folder on a web server: installable, kept by its worker after one visit, opening and
    working with the server stopped, and taking a newer build when the site has one."""
    import re
    import shutil
    import tempfile
    folder = Path(tempfile.mkdtemp(prefix="trezolin-site-"))
    try:
        shutil.copytree(d.site_folder(), folder, dirs_exist_ok=True)
        Check.equal(d.serve(folder), "true", "the site's page opens over http")
        Check.equal(d.installability_errors(), [], "the browser finds nothing that stops installing it")
        first = d.worker_state()
        d.open_url(d.site_url)
        state = d.worker_state()
        Check.equal((state.get("controlled"), len(state.get("caches", []))), (True, 1),
                    "after one reload the worker controls the page, with one cache")
        port = d.stop_serving()

        Check.equal(d.open_url(d.site_url), "true", "with the server stopped the page still opens")
        d.click(w.start)
        offline = Model([int(d.read(n)) for n in w.right])
        d.click(w.check)
        offline.check(METHODS[0])
        Check.equal(d.last_log_line(w.log), offline.lines[-1], "and a check works")

        # A newer build on the site: its page changed, its worker names a new cache.
        page = folder / "index.html"
        page.write_text(page.read_text(encoding="utf-8").replace('<html lang="bg">', '<html lang="bg" data-build="newer">'),
                        encoding="utf-8")
        worker = folder / "service-worker.js"
        worker.write_text(re.sub(r"[0-9a-f]{16}", "0123456789abcdef", worker.read_text(encoding="utf-8")),
                          encoding="utf-8")
        d.serve(folder, port)
        caches = d.update_worker()
        Check.equal((len(caches), caches[0].endswith("0123456789abcdef") if caches else None, caches != first["caches"]),
                    (1, True, True), "a newer build's worker takes over and deletes the older cache")
        d.open_url(d.site_url)
        Check.equal(d.document_attribute("data-build"), "newer", "the next opening shows the newer build")
        d.stop_serving()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return model


def focus_frame_whole(d, description):
    """A vertex box reached with Tab shows its focus frame whole: every pixel of each edge."""
    order = description.window["tabOrder"]["designed"]
    d.click(order[0])
    d.key("Tab")
    frame = d.focus_frame(order[1])
    Check.equal((d.focused(), frame["top"], frame["bottom"], frame["left"], frame["right"]),
                (order[1], frame["width"], frame["width"], frame["height"], frame["height"]),
                f"the focused box's frame is drawn whole: {frame}")


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

    focus_frame_whole(d, description)
    # What the UI Automation notification says: a start's values in the description's words, a check's line.
    d.click(w.start)
    start = [d.read(n) for n in w.left]
    Check.equal(d.said(), w.description.start_announcement(start), "a start says its values")
    model = Model([int(v) for v in start])
    d.click(w.check)
    model.check("Int")
    Check.equal(d.said(), model.lines[-1], "a check says its log line")
    return model


def tab_order(d, w, model):
    """Tab moves through the visible controls that take the focus, in the description's tab order, out of
    the many-line log as well, and round to the first; Shift+Tab moves back."""
    order = w.description.window["tabOrder"]["designed"]
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


def page_languages(d, w, model):
    """What only the page has of its languages: an unknown code in the address passed over for the
    browser's language, the chooser (named in each language, reached by the keyboard) putting its
    choice into the address, the page's own texts in the language, and on the site its manifest."""
    desc = w.description
    d.restart_in_language("xx")
    Check.equal((d.ready, d.language()), ("true", "bg"), "an unknown ?lang=xx: the browser's language, Bulgarian")
    if available(d, "console_problems"):
        # Chromium gives the message quoted, its quotes escaped: look for the code alone.
        said = [p for p in d.console_problems() if "xx" in (p or "")]
        Check.equal(len(said), 1, f"the console says the page speaks no language xx: {said}")
    names = [[l["name"], l["code"], l["code"] == "bg"] for l in desc.data["languages"]]
    Check.equal(d.page_texts()["choices"], names, "the chooser names each language in itself, Bulgarian chosen")
    d.choose_language_by_keyboard("uk")
    tr = lambda text: desc.translate("uk", text)
    texts = d.page_texts()
    page = desc.data["page"]
    Check.equal((texts["label"], texts["licence"], texts["summary"], texts["title"], d.address().endswith("?lang=uk")),
                (tr(page["languageLabel"]), tr(page["licence"]), tr(desc.data["installer"]["comment"]),
                 tr(desc.window["title"]), True),
                "chosen with the keyboard: the page's own texts in Ukrainian, ?lang=uk in the address")
    Check.equal([c[2] for c in texts["choices"]], [n[1] == "uk" for n in names], "the chooser marks Ukrainian")
    Check.equal(d.read(w.log).splitlines()[0], tr(HELP_FIRST_LINE), "the help text re-labelled in Ukrainian")

    # On the site, the manifest follows: the installed page's name, description and language.
    Check.equal(d.serve(d.site_folder()), "true", "the site's page opens over http")
    Check.equal(d.manifest_link(), "manifest.json", "the site links Bulgarian's manifest")
    d.choose_language("tr")
    Check.equal(d.manifest_link(), "manifest-tr.json", "in Turkish, the site links Turkish's manifest")
    d.stop_serving()
    d.restart_in_language(None)
    return model


def languages(d, w, model):
    """A pupil who reads Ukrainian starts the program in Ukrainian, the shell's own way (--lang uk, or
    ?lang=uk in the page's address): the captions, a tooltip, the names a screen reader gets, the help
    text and the log's header are Ukrainian, the window says it is, and the numbers are those a run in
    Bulgarian gives. On the page the pupil then picks Turkish in the language chooser mid-run: the
    values, the count and the method stay, and every log line is re-labelled."""
    desc = w.description

    def expect_language(code, what):
        tr = lambda text: desc.translate(code, text)
        Check.equal(d.language(), code, f"{what}: the window's language")
        Check.equal([d.caption(n) for n in (w.start, w.check)],
                    [tr(desc.controls[n]["text"]) for n in (w.start, w.check)], f"{what}: the buttons' captions")
        Check.equal(d.tooltip(w.check), tr(desc.controls[w.check]["tooltip"]), f"{what}: the check button's tooltip")
        for name in (w.start, w.right[0], w.methods, w.log):
            Check.equal(d.accessible(name)[1], desc.spoken_name_in(code, name), f"{what}: {name}'s accessible name")

    uk_header = desc.translate("uk", LOG_HEADER)
    Check.equal(uk_header != LOG_HEADER, True, "Ukrainian has a log header of its own")
    d.restart_in_language("uk")
    expect_language("uk", "started in Ukrainian")
    help_lines = d.read(w.log).splitlines()
    first_help_line = desc.translate("uk", HELP_FIRST_LINE)
    Check.equal((help_lines[:1], len(help_lines)), ([first_help_line], 29), "the help text in Ukrainian")
    d.click(w.start)
    run = Model([int(v) for v in (d.read(n) for n in w.right)], uk_header)
    for method in ("Round", "Round", "Int"):
        d.click(w.method(method))
        d.click(w.check)
        run.check(method)
    Check.equal(d.read(w.log).splitlines(), run.lines, "three checks in Ukrainian: Bulgarian's numbers")

    if available(d, "choose_language"):
        d.choose_language("tr")
        expect_language("tr", "switched to Turkish")
        run.relabel(desc.translate("tr", LOG_HEADER))
        Check.equal(d.read(w.log).splitlines(), run.lines, "the switch keeps the run and re-labels its lines")
        Check.equal([d.read(n) for n in w.right], [str(v) for v in run.values], "the switch keeps the values")
        d.click(w.check)      # Int, still chosen
        run.check("Int")
        Check.equal(d.read(w.log).splitlines(), run.lines, "the count and the method go on in Turkish")

    # Started again with no choice, on a Bulgarian pupil's machine: Bulgarian, at the load state.
    d.restart_in_language(None)
    expect_language("bg", "started with no choice")
    return Model([0] * 8)


# Ukrainian's and Turkish letters that Bulgarian lacks.
OWN_LETTERS = "ґєіїĞğŞşıİçöü"
# The screen's scalings the Windows program is measured at, in dpi: 100 % and 150 %.
SCALES = (96, 144)


def windows_languages(d, w, model):
    """The Windows program's ways of choosing and what it shows in each language: Wine is a Bulgarian
    pupil's machine; each language by --lang, and by --lang=CODE; an unknown code is said on the standard
    error and the program goes on in the user's language; without --lang the user's language (Wine under
    the C locale gives en-US); in every language, at 100 % and 150 %, every button, label and list entry
    fits its control and the window's font has every letter; the message box's button is in the program's
    language."""
    desc = w.description
    Check.equal(d.user_languages(), {"preferred": ["bg-BG"], "locale": "bg-BG"},
                "Wine gives the user's language as a Bulgarian pupil's machine does: bg-BG")
    measured = {n for n, c in desc.controls.items()
                if c["visible"] and c["widget"] in ("button", "caption", "choiceList")}
    codes = [language["code"] for language in desc.data["languages"]]
    runs = [(dpi, code) for dpi in SCALES for code in codes]
    seen, fits, missing = {}, {}, {}
    for dpi, code in runs:
        if dpi != SCALES[0] and code == codes[0]:
            d.rescale(dpi)
        d.restart_in_language(code)
        seen[dpi, code] = d.language()
        fit = d.text_fit()
        Check.equal({f["control"] for f in fit}, measured, f"{code} at {dpi} dpi: every button, label and list is measured")
        fits[dpi, code] = [f"{f['control']} {f['text']!r}: {f['extent']} in {f['room']}" for f in fit
                           if f["extent"][0] > f["room"][0] or f["extent"][1] > f["room"][1]]
        missing[dpi, code] = d.missing_glyphs(OWN_LETTERS)["missing"]
    d.rescale(SCALES[0])
    Check.equal(seen, {(dpi, code): code for dpi, code in runs}, "--lang CODE starts the window in each language")
    Check.equal(fits, {run: [] for run in runs},
                "every button's, label's and list entry's text fits its control, in every language, at 100 % and 150 %")
    Check.equal(missing, {run: "" for run in runs}, f"the window's font has every letter of {OWN_LETTERS}")

    d.restart(["--lang=uk"])
    Check.equal(d.language(), "uk", "--lang=uk as well")
    d.restart(["--lang", "xx"])
    Check.equal((d.language(), "--lang xx" in d.program_output()), ("bg", True),
                "an unknown --lang is said on the standard error, and the program goes on in the user's language")
    d.restart([], locale="C.UTF-8")
    Check.equal(d.language(), "en", "without --lang, the user's language: under the C locale Wine says en-US")

    # The 32 768th check in Turkish: the message box in Turkish, its button too.
    d.restart_in_language("tr")
    d.click(w.start)
    d.click_many(w.check, 32767)
    d.click(w.check)
    Check.equal((d.message_box(), d.message_box_button()),
                ((desc.window["title"], desc.translate("tr", desc.data["messages"]["overflow"])),
                 desc.translate("tr", desc.data["messages"]["button"])),
                "the message box and its button in Turkish")
    d.key("Return")
    Check.equal(d.message_box(), None, "Enter closes it")

    d.restart_in_language(None)
    Check.equal(d.language(), "bg", "started with no choice: Bulgarian")
    return Model([0] * 8)


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
