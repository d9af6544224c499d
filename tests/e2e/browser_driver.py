"""The page in headless Chromium, driven over WebDriver as a pupil drives it.

Clicks and keys go through WebDriver's input actions, as real input events;
texts are read as a pupil copies them, with Ctrl+A, Ctrl+C and the clipboard;
roles and names are the ones Chromium computes for screen readers.
"""

import json
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

NOTHING_COPIED = "<nothing copied>"
KEYS = {
    "ctrl": Keys.CONTROL, "shift": Keys.SHIFT, "space": Keys.SPACE, "Tab": Keys.TAB,
    "Down": Keys.ARROW_DOWN, "Up": Keys.ARROW_UP, "Return": Keys.ENTER, "End": Keys.END,
    "Home": Keys.HOME, "BackSpace": Keys.BACKSPACE, "Delete": Keys.DELETE, "Escape": Keys.ESCAPE,
}
METHODS = ("Round", "Int", "Fix")

# What a screen reader gets from each control: its role and its name.
EXPECTED_ACCESSIBILITY = {
    **{f"Wryh_N({i})": ("textbox", f"Преди, връх {'ABCDEFGH'[i]}") for i in range(8)},
    **{f"Wryh_k({i})": ("textbox", f"Сега, връх {'ABCDEFGH'[i]}") for i in range(8)},
    "Command1(0)": ("button", "Начало"),
    "Command1(1)": ("button", "Провери"),
    "List1(2)": ("listbox", "Начин на закръгляване"),
    "Text1(0)": ("log", "Дневник на промените"),
    "Picture1(0)": ("image", "Кубът преди промените"),
    "Picture1(1)": ("image", "Кубът сега"),
}
HIDDEN = ("List1(0)", "List1(1)", "Text1(1)")
LABELS = {"Label1(0)": "Начин", "Label1(1)": "Преди", "Label1(2)": "Сега", "Label1(3)": "Trezolin"}


def start_chromium():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--window-size=1000,800"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))


def wait_until_ready(browser, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        state = browser.execute_script("return document.getElementById('window').dataset.ready || ''")
        if state:
            return state
        time.sleep(0.05)
    return "timed out"


class BrowserDriver:
    name = "page"

    def __init__(self, page):
        self.url = Path(page).resolve().as_uri()
        self.browser = start_chromium()
        self.browser.get(self.url)
        self.ready = wait_until_ready(self.browser)
        # The 32 767 checks of a full run are clicked from a script, in one go.
        self.browser.set_script_timeout(300)
        # What a pupil's browser asks once: may the page's copies be read back.
        self.browser.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    def element(self, control):
        if control in METHODS:
            return self.element("List1(2)").find_elements(By.CSS_SELECTOR, "[role=option]")[METHODS.index(control)]
        return self.browser.find_element(By.CSS_SELECTOR, f'[data-control="{control}"]')

    def actions(self):
        return ActionChains(self.browser, duration=0)

    def click(self, control, modifier=None):
        chain = self.actions()
        if modifier:
            chain.key_down(KEYS[modifier])
        if control == "below the methods":
            # The list's frame, under its last entry.
            chain.move_to_element_with_offset(self.element("List1(2)"), 0, 29)
        else:
            chain.move_to_element(self.element(control))
        chain.click()
        if modifier:
            chain.key_up(KEYS[modifier])
        chain.perform()

    def key(self, *keys):
        for key in keys:
            *held, last = key.split("+")
            chain = self.actions()
            for k in held:
                chain.key_down(KEYS[k])
            chain.send_keys(KEYS.get(last, last))
            for k in reversed(held):
                chain.key_up(KEYS[k])
            chain.perform()

    def type_text(self, text):
        self.actions().send_keys(text).perform()

    def clipboard(self):
        return self.browser.execute_async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, (e) => done('<error ' + e + '>'));")

    def read(self, control):
        self.browser.execute_async_script(
            "const done = arguments[1]; navigator.clipboard.writeText(arguments[0]).then(done, done);",
            NOTHING_COPIED)
        self.click(control)
        self.key("ctrl+a", "ctrl+c")
        text = self.clipboard()
        return "" if text == NOTHING_COPIED else text

    def burst(self, control, count):
        chain = self.actions().move_to_element(self.element(control))
        for _ in range(count):
            chain.click()
        chain.perform()

    def lines_in_log(self):
        return self.browser.execute_script(
            "return document.querySelectorAll('[data-control=\"Text1(0)\"] .line').length")

    def last_line_in_log(self):
        return self.browser.execute_script(
            "return Array.from(document.querySelectorAll('[data-control=\"Text1(0)\"] .line')).pop().textContent")

    def finish(self, check, model):
        b = self.browser
        check.equal(self.ready, "true", "the page started")
        check.equal((b.title, b.find_element(By.TAG_NAME, "html").get_attribute("lang")), ("Trezolin", "bg"),
                    "title and language")

        # Screen readers: the role and name of every control.
        seen = {c: (self.element(c).aria_role, self.element(c).accessible_name) for c in EXPECTED_ACCESSIBILITY}
        check.equal(seen, EXPECTED_ACCESSIBILITY, "each control's role and accessible name")
        options = self.element("List1(2)").find_elements(By.CSS_SELECTOR, "[role=option]")
        check.equal([(o.aria_role, o.accessible_name, o.get_attribute("aria-selected")) for o in options],
                    [("option", "Round", "false"), ("option", "Int", "true"), ("option", "Fix", "false")],
                    "the method list's options, Int selected")
        check.equal((self.element("Command1(1)").get_attribute("title"), self.element("Label1(3)").get_attribute("title")),
                    ("Изчислява средна стойност на съседни върхове", "Великденско яйце"), "tooltips")
        check.equal([self.element(c).is_displayed() for c in HIDDEN], [False] * 3, "the hidden controls stay hidden")
        check.equal({c: self.element(c).text.strip() for c in LABELS}, LABELS, "the labels' captions")
        check.equal(self.element("Wryh_k(0)").get_attribute("readonly"), "true", "vertex boxes are read-only")
        log = self.element("Text1(0)")
        check.equal((log.get_attribute("aria-live"), log.get_attribute("aria-relevant")), ("polite", None),
                    "the log is a polite live region that announces additions")

        # One check adds exactly one line to the live region and removes nothing.
        b.execute_script("""
            const log = document.querySelector('[data-control="Text1(0)"]');
            window.logChanges = [];
            new MutationObserver((records) => records.forEach((r) => window.logChanges.push(
                [r.addedNodes.length, r.removedNodes.length, r.addedNodes[0] ? r.addedNodes[0].textContent : ""])))
              .observe(log, {childList: true, characterData: true, subtree: true});""")
        self.click("Command1(1)")
        model.check("Int")
        time.sleep(0.1)
        check.equal(b.execute_script("return window.logChanges"), [[1, 0, model.lines[-1]]],
                    "a check adds one line to the log, the new one")
        scroll = b.execute_script("const l = arguments[0]; return l.scrollHeight - l.clientHeight - l.scrollTop", log)
        check.equal(scroll <= 1, True, "the log is scrolled to its newest line")

        # The 32 768th check of a run: the counter is full.
        self.click("Command1(0)")
        start = [self.element(f"Wryh_k({i})").get_attribute("value") for i in range(8)]
        model = type(model)([int(v) for v in start])
        b.execute_script("""
            const check = document.querySelector('[data-control="Command1(1)"]');
            for (let n = 0; n < 32767; ++n) check.click();""")
        check.equal(self.lines_in_log(), 32767, "32 767 checks give 32 767 lines")
        right = [self.element(f"Wryh_k({i})").get_attribute("value") for i in range(8)]
        last_line = self.last_line_in_log()
        check.equal(last_line.startswith("Проверявате опит: 32767: "), True, "the last line is number 32767")
        self.click("Command1(1)")
        dialog = b.find_element(By.CSS_SELECTOR, "dialog")
        check.equal((dialog.get_attribute("open"), dialog.aria_role, dialog.accessible_name), ("true", "dialog", "Trezolin"),
                    "the 32 768th check opens a modal dialog titled Trezolin")
        check.equal(dialog.find_element(By.TAG_NAME, "p").text.startswith("Препълване"), True,
                    "the dialog says the counter overflowed")
        check.equal(b.switch_to.active_element.text, "OK", "the dialog has the focus")
        self.key("Return")
        check.equal(dialog.get_attribute("open"), None, "Enter closes the dialog")
        check.equal(([self.element(f"Wryh_k({i})").get_attribute("value") for i in range(8)], self.lines_in_log(),
                     self.last_line_in_log()),
                    (right, 32767, last_line), "the window stays as it was")
        check.equal(b.switch_to.active_element.get_attribute("data-control"), "Command1(1)",
                    "the focus goes back to the check button")
        self.click("Command1(0)")
        self.click("Command1(1)")
        check.equal(self.lines_in_log(), 1, "a start afterwards begins a new run")
        check.equal(self.element("Text1(0)").text.startswith("Проверявате опит: 1: "), True, "numbered from 1")

        # Nothing leaves the machine, and nothing went wrong on the way.
        urls = set()
        for entry in b.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.add(message["params"]["request"]["url"])
        check.equal(sorted(u for u in urls if u != self.url and not u.startswith("data:")), [],
                    "no request beyond the file itself")
        check.equal([e["message"] for e in b.get_log("browser") if e["level"] in ("SEVERE", "WARNING")], [],
                    "no error or warning in the browser's console")

    def stop(self):
        self.browser.quit()
