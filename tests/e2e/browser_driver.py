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

from description import Target

NOTHING_COPIED = "<nothing copied>"
KEYS = {
    "ctrl": Keys.CONTROL, "shift": Keys.SHIFT, "space": Keys.SPACE, "Tab": Keys.TAB,
    "Down": Keys.ARROW_DOWN, "Up": Keys.ARROW_UP, "Return": Keys.ENTER, "End": Keys.END,
    "Home": Keys.HOME, "BackSpace": Keys.BACKSPACE, "Delete": Keys.DELETE, "Escape": Keys.ESCAPE,
}


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
    # The page's roles are ARIA's, as the scenario names them.
    ROLES = {}

    def __init__(self, page, description):
        self.description = description
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
        if isinstance(control, Target):
            if control.row is None:
                return self.element(control.control)
            return self.element(control.control).find_elements(By.CSS_SELECTOR, "[role=option]")[control.row]
        return self.browser.find_element(By.CSS_SELECTOR, f'[data-control="{control}"]')

    def actions(self):
        return ActionChains(self.browser, duration=0)

    def click(self, target, modifier=None):
        chain = self.actions()
        if modifier:
            chain.key_down(KEYS[modifier])
        if isinstance(target, Target) and target.below:
            # The list's frame, under its last entry: one pixel above its bottom edge.
            height = self.description.controls[target.control]["pixels"][3]
            chain.move_to_element_with_offset(self.element(target.control), 0, height // 2 - 1)
        else:
            chain.move_to_element(self.element(target))
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

    def click_many(self, control, count):
        """Clicks a button many times from a script, in one go: a full run in seconds."""
        self.browser.execute_script(
            "const [e, count] = arguments; for (let n = 0; n < count; ++n) e.click();", self.element(control), count)

    # What a screen reader gets.

    def accessible(self, control):
        e = self.element(control)
        return e.aria_role, e.accessible_name

    def accessible_entries(self, control):
        return [(o.aria_role, o.accessible_name, o.get_attribute("aria-selected") == "true")
                for o in self.element(control).find_elements(By.CSS_SELECTOR, "[role=option]")]

    def watch_additions(self, control):
        """From now on, notes every change to the control's children: [added, removed, first added text]."""
        self.browser.execute_script("""
            window.trezolinChanges = [];
            new MutationObserver((records) => records.forEach((r) => window.trezolinChanges.push(
                [r.addedNodes.length, r.removedNodes.length, r.addedNodes[0] ? r.addedNodes[0].textContent : ""])))
              .observe(arguments[0], {childList: true, characterData: true, subtree: true});""",
                                    self.element(control))

    def additions(self):
        time.sleep(0.1)
        return self.browser.execute_script("return window.trezolinChanges")

    # What the page shows.

    def title(self):
        return self.browser.title

    def language(self):
        return self.browser.find_element(By.TAG_NAME, "html").get_attribute("lang")

    def tooltip(self, control):
        return self.element(control).get_attribute("title")

    def displayed(self, control):
        return self.element(control).is_displayed()

    def text(self, control):
        return self.element(control).text.strip()

    def attribute(self, control, name):
        return self.element(control).get_attribute(name)

    def scrolled_to_end(self, control):
        return self.browser.execute_script(
            "const l = arguments[0]; return l.scrollHeight - l.clientHeight - l.scrollTop <= 1", self.element(control))

    def log_line_count(self, control):
        return self.browser.execute_script("return arguments[0].querySelectorAll('.line').length",
                                           self.element(control))

    def last_log_line(self, control):
        return self.browser.execute_script(
            "return Array.from(arguments[0].querySelectorAll('.line')).pop().textContent", self.element(control))

    def message_box(self):
        """The open message box's (accessible name, text), or None."""
        dialog = self.browser.find_element(By.CSS_SELECTOR, "dialog")
        if dialog.get_attribute("open") is None:
            return None
        if dialog.aria_role != "dialog":
            return ("not a dialog", dialog.aria_role)
        return dialog.accessible_name, dialog.find_element(By.TAG_NAME, "p").text

    def focused(self):
        """The focused control's name, or the text of a focused element that is no control."""
        active = self.browser.switch_to.active_element
        return active.get_attribute("data-control") or active.text

    def requests_beyond_the_page(self):
        urls = set()
        for entry in self.browser.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.add(message["params"]["request"]["url"])
        return sorted(u for u in urls if u != self.url and not u.startswith("data:"))

    def console_problems(self):
        return [e["message"] for e in self.browser.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]

    def stop(self):
        self.browser.quit()
