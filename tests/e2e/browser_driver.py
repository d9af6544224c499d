"""The page in headless Chromium, driven over WebDriver as a pupil drives it.

Clicks and keys go through WebDriver's input actions, as real input events;
texts are read as a pupil copies them, with Ctrl+A, Ctrl+C and the clipboard;
roles and names are the ones Chromium computes for screen readers.
"""

import functools
import http.server
import json
import threading
import time
import urllib.parse
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
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

    # Chromium only, over its DevTools protocol: screens and touch, zoom,
    # forced colours, the site served over http and its worker;
    # and what the page measures on each screen, read from its layout.

    def emulate_screen(self, width, height, scale=1, touch=False):
        """The page on a screen of width x height CSS pixels; with touch, a phone's or a tablet's:
        a mobile viewport, touch events and a coarse pointer."""
        self.browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": touch,
            "screenWidth": width, "screenHeight": height})
        self.browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                     {"enabled": touch, "maxTouchPoints": 5 if touch else 1})
        self.settle()

    def zoom(self, percent, width, height):
        """The browser's zoom on a window of width x height: the page gets fewer CSS pixels, each larger."""
        self.emulate_screen(width * 100 // percent, height * 100 // percent, scale=percent / 100)

    def reset_screen(self):
        self.browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
        self.force_colours(False)
        self.browser.execute_script("window.scrollTo(0, 0)")
        self.settle()

    def force_colours(self, active, dark=False):
        """A high-contrast mode, with the light or the dark palette."""
        features = [{"name": "forced-colors", "value": "active" if active else "none"},
                    {"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": features})
        self.settle()

    def settle(self):
        """Until the page has drawn two frames since the last change."""
        self.browser.execute_async_script(
            "const done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(() => done()));")

    def tap(self, target):
        """A finger's tap in the middle of the control or list entry, scrolled into view first as a pupil would."""
        self._touch(self.element(target), 0.5)

    def tap_message_text(self):
        """A tap on the message box's text, at its start, away from its button."""
        self._touch(self.browser.find_element(By.CSS_SELECTOR, "dialog p"), 0.02)

    def _touch(self, e, across):
        x, y = self.browser.execute_script("""
            const [e, across] = arguments;
            e.scrollIntoView({block: "nearest"});
            const r = e.getBoundingClientRect();
            return [r.left + r.width * across, r.top + r.height / 2];""", e, across)
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.browser.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
        self.settle()

    def click_behind_message_box(self):
        """A click on the backdrop, the window dimmed behind the message box, near the screen's corner."""
        actions = ActionBuilder(self.browser)
        actions.pointer_action.move_to_location(4, 4).click()
        actions.perform()

    def scroll_to_top(self):
        self.browser.execute_script("window.scrollTo(0, 0)")

    def viewport(self):
        """The page as the screen holds it: the visible size, how far the page reaches, the pinch zoom."""
        return self.browser.execute_script("""
            const d = document.documentElement;
            return {width: d.clientWidth, height: innerHeight, scrollWidth: d.scrollWidth,
                    scrollHeight: d.scrollHeight, scrollY: scrollY, pinch: visualViewport.scale};""")

    def layout(self, names):
        """Each control's box on the screen and its text's size, in CSS pixels."""
        return self.browser.execute_script("""
            const out = {};
            for (const name of arguments[0]) {
              const e = document.querySelector(`[data-control="${name}"]`);
              const r = e.getBoundingClientRect();
              out[name] = {left: r.left, top: r.top, width: r.width, height: r.height,
                           font: parseFloat(getComputedStyle(e).fontSize)};
            }
            const w = document.getElementById("window").getBoundingClientRect();
            out.window = {left: w.left, top: w.top, width: w.width, height: w.height};
            return out;""", names)

    def entry_boxes(self, control):
        return self.browser.execute_script(
            "return Array.from(arguments[0].querySelectorAll('[role=option]'), (o) => o.getBoundingClientRect().toJSON())",
            self.element(control))

    def newest_line_box(self, control):
        """The part of the log's newest line that the log shows, or None."""
        return self.browser.execute_script("""
            const log = arguments[0], line = Array.from(log.querySelectorAll('.line')).pop();
            const l = line.getBoundingClientRect(), v = log.getBoundingClientRect();
            const top = Math.max(l.top, v.top + log.clientTop), bottom = Math.min(l.bottom, v.top + log.clientTop + log.clientHeight);
            return bottom - top >= l.height - 1 ? {left: l.left, top: top, width: l.width, height: bottom - top} : null;""",
                                           self.element(control))

    def reveal(self, control):
        """Scrolls the page until the control is in view, as far as it can; its box afterwards."""
        return self.browser.execute_script("""
            const e = arguments[0];
            e.scrollIntoView({block: "nearest", inline: "nearest"});
            return e.getBoundingClientRect().toJSON();""", self.element(control))

    def focus_look(self):
        """What marks the focused control: where the ring is drawn (the control, or the chosen entry of a list),
        whether it is the keyboard's focus, the ring's colours, and the colours inside and around it."""
        return self.browser.execute_script(BACKGROUND + """
            const active = document.activeElement;
            const chosen = active.querySelector('[aria-selected="true"]');
            const marked = chosen && getComputedStyle(chosen).outlineStyle !== "none" ? chosen : active;
            const style = getComputedStyle(marked);
            const shadow = style.boxShadow.match(/rgba?\\([^)]*\\)/);
            return {control: active.dataset.control || active.tagName, visible: active.matches(":focus-visible"),
                    style: style.outlineStyle, width: parseFloat(style.outlineWidth),
                    rings: [style.outlineColor].concat(shadow ? [shadow[0]] : []),
                    inside: background(marked), around: background(marked.parentElement)};""")

    def colours(self, names):
        """Each control's text, background and border colours as computed, the background the first
        opaque one from the control outwards. Names of controls, or CSS selectors of other parts."""
        return self.browser.execute_script(BACKGROUND + """
            const out = {};
            for (const name of arguments[0]) {
              const e = document.querySelector(`[data-control="${name}"]`) || document.querySelector(name);
              const s = getComputedStyle(e);
              out[name] = {text: s.color, background: background(e),
                           borders: parseFloat(s.borderTopWidth) ? [s.borderTopColor, s.borderRightColor,
                                    s.borderBottomColor, s.borderLeftColor] : []};
            }
            return out;""", names)

    def chosen_entry_colours(self, control):
        return self.browser.execute_script(
            "const s = getComputedStyle(arguments[0].querySelector('[aria-selected=\"true\"]'));"
            "return [s.color, s.backgroundColor];", self.element(control))

    def drawing_colours(self, control):
        """The cube drawing's line and paper colours."""
        return self.browser.execute_script("""
            const svg = arguments[0].querySelector("svg");
            return [getComputedStyle(svg.querySelector("line")).stroke, getComputedStyle(svg.querySelector("rect")).fill];""",
                                           self.element(control))

    def system_colours(self, *names):
        """The values of CSS system colours as the browser gives them now."""
        return self.browser.execute_script("""
            const probe = document.createElement("div");
            document.body.append(probe);
            const out = arguments[0].map((name) => { probe.style.color = name; return getComputedStyle(probe).color; });
            probe.remove();
            return out;""", list(names))

    def message_box_box(self):
        return self.browser.execute_script("return document.querySelector('dialog').getBoundingClientRect().toJSON()")

    def site_folder(self):
        """The folder for a school's site, which the build puts beside the page's file."""
        return Path(urllib.parse.unquote(urllib.parse.urlparse(self.url).path)).with_name("site")

    def serve(self, folder, port=0):
        """Serves the folder over http on 127.0.0.1 (on the port given, or a free one), as a school's
        web server would, and opens it."""
        handler = functools.partial(QuietHandler, directory=str(folder))
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.site_url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        return self.open(self.site_url)

    def stop_serving(self):
        """Stops the server; its port, to serve again at the same origin."""
        port = self.server.server_address[1]
        self.server.shutdown()
        self.server.server_close()
        return port

    def document_attribute(self, name):
        return self.browser.execute_script("return document.documentElement.getAttribute(arguments[0])", name)

    def open(self, url):
        self.browser.get(url)
        self.ready = wait_until_ready(self.browser)
        return self.ready

    def installability_errors(self):
        return self.browser.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]

    def worker_state(self, timeout=15.0):
        """Once the page's service worker is active: whether it controls the page, and the caches it keeps."""
        return self.browser.execute_async_script("""
            const [done, timeout] = [arguments[1], arguments[0]];
            const timer = setTimeout(() => done({error: "no active worker"}), timeout);
            navigator.serviceWorker.ready.then(async () => {
              clearTimeout(timer);
              done({controlled: navigator.serviceWorker.controller !== null, caches: await caches.keys()});
            });""", timeout * 1000)

    def update_worker(self, timeout=15.0):
        """Asks the browser to look for a newer worker now, as it does when a pupil opens the page;
        the caches once the newer one, if any, has taken over."""
        return self.browser.execute_async_script("""
            const [timeout, done] = arguments;
            (async () => {
              const registration = await navigator.serviceWorker.ready;
              const before = registration.active;
              await registration.update();
              const deadline = performance.now() + timeout;
              while (registration.active === before && performance.now() < deadline)
                await new Promise((r) => setTimeout(r, 50));
              // The newer worker deletes the older caches as it becomes active.
              while (registration.active && registration.active.state !== "activated" && performance.now() < deadline)
                await new Promise((r) => setTimeout(r, 50));
              return caches.keys();
            })().then(done, (e) => done(["<error " + e + ">"]));""", timeout * 1000)


# The colour behind an element: its own background, or the first opaque one
# around it.
BACKGROUND = """
const background = (e) => {
  for (; e; e = e.parentElement) {
    const c = getComputedStyle(e).backgroundColor;
    if (!/rgba\\(.*, 0\\)$/.test(c) && c !== "transparent") return c;
  }
  return "rgb(255, 255, 255)";
};
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """A static file server that says nothing for each request."""

    def log_message(self, *args):
        pass
