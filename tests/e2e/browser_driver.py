# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The page in a browser, driven over WebDriver as a pupil drives it.

One driver for three engines: Chromium and WebKitGTK through Selenium
(classic WebDriver), Firefox through WebDriver BiDi (firefox_bidi.py), since
Debian has no geckodriver. Clicks, taps and keys go through WebDriver's input
actions, as real input events; texts are read as a pupil copies them, with
Ctrl+A, Ctrl+C and the clipboard; roles and names are the ones the engine
computes for screen readers. Everything else is read with small scripts that
are the same in every engine.

BrowserDriver holds every primitive the steps use. A small class per engine
says how it starts, sizes its viewport, reads the clipboard, gives roles and
names, and what it logged. What an engine cannot give is in its LACKS, with
the reason; the steps skip only that check there.
"""

import functools
import http.server
import json
import os
import tempfile
import threading
import time
import urllib.parse
from pathlib import Path

from description import Target

NOTHING_COPIED = "<nothing copied>"
# WebDriver's key values, the same in classic WebDriver and in BiDi.
KEYS = {
    "ctrl": "\ue009", "shift": "\ue008", "space": "\ue00d", "Tab": "\ue004",
    "Down": "\ue015", "Up": "\ue013", "Return": "\ue007", "End": "\ue010",
    "Home": "\ue011", "BackSpace": "\ue003", "Delete": "\ue017", "Escape": "\ue00c",
}
# The browser's window while the scenario runs: the whole window shows.
WINDOW_SIZE = (1000, 800)
# The browsers speak Bulgarian, as on a Bulgarian pupil's machine: the page
# then chooses Bulgarian from the browser's languages, as a pupil's would.
BROWSER_LANGUAGE = "bg"
# How long a condition may take to come true on a busy machine: far longer
# than it ever takes, so that only a real fault ends a wait.
PATIENCE = 60.0


def start_chromium():
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--window-size={},{}".format(*WINDOW_SIZE), f"--lang={BROWSER_LANGUAGE}"):
        options.add_argument(flag)
    options.add_experimental_option("prefs", {"intl.accept_languages": BROWSER_LANGUAGE})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))


def wait_for(condition, timeout=PATIENCE):
    """Until condition() gives something true, or the time is up; what it gave last."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(0.05)


def wait_until_ready(browser, timeout=PATIENCE):
    state = wait_for(lambda: browser.execute_script("return document.getElementById('window').dataset.ready || ''"),
                     timeout)
    return state or "timed out"


class Actions:
    """One sequence of input actions, a keyboard and a pointer side by side, tick by tick."""

    def __init__(self, pointer="mouse"):
        self.pointer_type = pointer
        self.keys, self.pointer = [], []

    def _tick(self, key=None, pointer=None):
        self.keys.append(key or {"type": "pause", "duration": 0})
        self.pointer.append(pointer or {"type": "pause", "duration": 0})
        return self

    def key_down(self, key):
        return self._tick(key={"type": "keyDown", "value": key})

    def key_up(self, key):
        return self._tick(key={"type": "keyUp", "value": key})

    def move_to(self, element, x=0, y=0):
        """To the element's centre, moved by (x, y)."""
        return self._tick(pointer={"type": "pointerMove", "origin": element, "x": x, "y": y, "duration": 0})

    def press(self):
        self._tick(pointer={"type": "pointerDown", "button": 0})
        return self._tick(pointer={"type": "pointerUp", "button": 0})

    def sources(self):
        # A touch pointer keeps an id of its own: an engine remembers each id's type.
        return [{"type": "key", "id": "keyboard", "actions": self.keys},
                {"type": "pointer", "id": self.pointer_type, "parameters": {"pointerType": self.pointer_type},
                 "actions": self.pointer}]


class BrowserDriver:
    ENGINE = ""
    # The page's roles are ARIA's, as the scenario names them; an engine that
    # names one otherwise says so here.
    ROLES = {}
    # Primitive -> why this engine cannot give it.
    LACKS = {}

    def __init__(self, page, description):
        self.description = description
        self.url = Path(page).resolve().as_uri()
        self.browser = None
        try:
            self.start_browser()
            self.open()
        except Exception:
            self.stop()
            raise

    def open(self):
        """Opens the page afresh, in its load state."""
        self.browser.get(self.url)
        self.ready = wait_until_ready(self.browser)

    def restart_in_language(self, code):
        """Opens the page afresh with the language in its address (?lang=uk); with None, without."""
        return self.open_url(self.url + (f"?lang={code}" if code else ""))

    def choose_language(self, code):
        """Picks the language in the chooser under the window, with a click as a pupil does; waits
        until the page speaks it."""
        choice = self.script("return document.querySelector(`nav [data-language='${arguments[0]}']`)", code)
        self.script("arguments[0].scrollIntoView({block: 'nearest', inline: 'nearest'})", choice)
        self.perform(Actions().move_to(choice).press())
        wait_for(lambda: self.language() == code)

    def choose_language_by_keyboard(self, code):
        """Tab from the window's last control into the chooser, on to the language, and Enter."""
        order = self.description.window["tabOrder"]["designed"]
        self.click(order[-1])
        self.key("Tab")
        for _ in range(len(self.script("return document.querySelectorAll('nav [data-language]')"))):
            if self.script("return document.activeElement.dataset.language") == code:
                break
            self.key("Tab")
        self.key("Return")
        wait_for(lambda: self.language() == code)

    def address(self):
        return self.script("return location.href")

    def browser_languages(self):
        return self.script("return Array.from(navigator.languages)")

    def manifest_link(self):
        return self.script("const l = document.querySelector('link[rel=manifest]'); return l && l.getAttribute('href')")

    def page_texts(self):
        """The page's own texts around the window: title, description, the chooser's label, the licence,
        and each choice's (text, lang, whether it is the current one)."""
        return self.script("""
            return {title: document.title, summary: document.querySelector('meta[name=description]').content,
                    label: document.getElementById('language-label').textContent,
                    licence: document.getElementById('licence').textContent,
                    choices: Array.from(document.querySelectorAll('nav [data-language]'),
                                        (a) => [a.textContent, a.lang, a.getAttribute('aria-current') === 'true'])};""")

    def overflowing_texts(self):
        """Each caption, button text, list entry and language choice shown whose text reaches out of its
        box (inside the borders), with the text's and the box's extent."""
        return self.script(OVERFLOWING)

    def font_coverage(self, letters):
        """The window's font as the page gets it (the first of its fonts that the browser has) and the
        letters that font lacks."""
        return self.script(FONT_COVERAGE, letters)

    def is_the_page(self, url):
        """Whether a request is for the page's own file, in any language (?lang=uk), or data inside it."""
        return url.split("?")[0] == self.url or url.startswith("data:")

    def script(self, body, *args):
        """Runs a script in the page, as WebDriver does: outside the page's own security policy."""
        return self.browser.execute_script(body, *args)

    def async_script(self, body, *args):
        """Runs a script that calls its last argument with the result."""
        return self.browser.execute_async_script(body, *args)

    def element(self, control):
        if isinstance(control, Target):
            if control.row is None:
                return self.element(control.control)
            return self.script("return arguments[0].querySelectorAll('[role=option]')[arguments[1]]",
                               self.element(control.control), control.row)
        found = self.script("return document.querySelector(arguments[0])", f'[data-control="{control}"]')
        if found is None:
            raise LookupError(f"no control {control} on the page")
        return found

    def _aim(self, target, chain):
        # As a pupil scrolls to what is off screen before clicking it, and
        # waits until the page stands still: a key such as End may have set
        # off an animated scroll of the whole page.
        control = target.control if isinstance(target, Target) else target
        self.script("arguments[0].scrollIntoView({block: 'nearest', inline: 'nearest'})", self.element(control))
        wait_for(lambda: self.async_script(STANDS_STILL, self.element(control)))
        if isinstance(target, Target) and target.below:
            # The list's frame, under its last entry: one pixel above its bottom edge.
            height = self.description.controls[control]["pixels"][3]
            return chain.move_to(self.element(control), 0, height // 2 - 1)
        return chain.move_to(self.element(target))

    def click(self, target, modifier=None):
        chain = Actions()
        if modifier:
            chain.key_down(KEYS[modifier])
        self._aim(target, chain).press()
        if modifier:
            chain.key_up(KEYS[modifier])
        self.perform(chain)

    def tap(self, target):
        """A finger's tap, as on a phone or a tablet."""
        self.perform(self._aim(target, Actions(pointer="touch")).press())

    def key(self, *keys):
        for key in keys:
            *held, last = key.split("+")
            chain = Actions()
            for k in held:
                chain.key_down(KEYS[k])
            chain.key_down(KEYS.get(last, last)).key_up(KEYS.get(last, last))
            for k in reversed(held):
                chain.key_up(KEYS[k])
            self.perform(chain)

    def type_text(self, text):
        chain = Actions()
        for letter in text:
            chain.key_down(letter).key_up(letter)
        self.perform(chain)

    def clipboard(self):
        return self.async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, (e) => done('<error ' + e + '>'));")

    def put_on_clipboard(self, text):
        self.async_script("const done = arguments[1]; navigator.clipboard.writeText(arguments[0]).then(done, done);",
                          text)

    def read(self, control):
        self.put_on_clipboard(NOTHING_COPIED)
        self.click(control)
        self.key("ctrl+a", "ctrl+c")
        text = self.clipboard()
        return "" if text == NOTHING_COPIED else text

    def burst(self, control, count):
        chain = self._aim(control, Actions())
        for _ in range(count):
            chain.press()
        self.perform(chain)

    def take_entries_away(self, control):
        """Empties a list behind the page's back: the page's next renaming of one of its entries fails
        with a script error. (A change to the document, which every engine's scripts share.)"""
        self.script("arguments[0].replaceChildren()", self.element(control))

    def click_many(self, control, count):
        """Clicks a button many times from a script, in one go: a full run in seconds."""
        self.script("const [e, count] = arguments; for (let n = 0; n < count; ++n) e.click();",
                    self.element(control), count)

    def viewport(self, width, height):
        """Sizes the page's viewport, as a phone's screen or a desktop's window; returns the size it got,
        once the page has it (or the size it has when the wait ends)."""
        self.set_viewport(width, height)
        inner = lambda: tuple(self.script("return [innerWidth, innerHeight]"))
        if wait_for(lambda: inner() == (width, height)):
            return width, height
        return inner()

    def viewport_size(self):
        return tuple(self.script("return [innerWidth, innerHeight]"))

    def document_order(self):
        """The controls in the document's order: the order of Tab and of a screen reader's reading."""
        return self.script("return Array.from(document.querySelectorAll('[data-control]'), (e) => e.dataset.control)")

    def settle(self):
        """Until the page has drawn two frames since the last change."""
        self.async_script(
            "const done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(() => done()));")

    def layout_shift(self):
        """How much the page moved while it opened, as the browser scores it: the sum of its
        layout-shift entries that no input caused, read once the page is ready and has drawn
        two more frames. None where the browser does not measure layout shifts."""
        return self.async_script("""
            const done = arguments[0];
            if (!(PerformanceObserver.supportedEntryTypes || []).includes("layout-shift")) return done(null);
            requestAnimationFrame(() => requestAnimationFrame(() => {
              const entries = [];
              const observer = new PerformanceObserver((list) => entries.push(...list.getEntries()));
              observer.observe({type: "layout-shift", buffered: true});
              // The buffered entries come in a task of their own.
              setTimeout(() => {
                entries.push(...observer.takeRecords());
                observer.disconnect();
                done(entries.filter((e) => !e.hadRecentInput).reduce((sum, e) => sum + e.value, 0));
              }, 0);
            }));""")

    # What a screen reader gets.

    def accessible(self, control):
        return self.computed(self.element(control))

    def accessible_entries(self, control):
        options = self.script("return Array.from(arguments[0].querySelectorAll('[role=option]'))",
                              self.element(control))
        return [(*self.computed(o), self.script("return arguments[0].getAttribute('aria-selected')", o) == "true")
                for o in options]

    def watch_additions(self, control):
        """From now on, notes every change to the control's children: [added, removed, first added text]."""
        self.script("""
            window.trezolinChanges = [];
            new MutationObserver((records) => records.forEach((r) => window.trezolinChanges.push(
                [r.addedNodes.length, r.removedNodes.length, r.addedNodes[0] ? r.addedNodes[0].textContent : ""])))
              .observe(arguments[0], {childList: true, characterData: true, subtree: true});""",
                    self.element(control))

    def additions(self):
        """What changed since watch_additions, once something has and the page has drawn twice more."""
        wait_for(lambda: self.script("return window.trezolinChanges.length"))
        self.settle()
        return self.script("return window.trezolinChanges")

    def live_regions(self):
        """Each live region that is no control: [role, aria-live, text]."""
        return self.script("""return Array.from(document.querySelectorAll('[aria-live]:not([data-control])'),
            (e) => [e.getAttribute('role'), e.getAttribute('aria-live'), e.textContent])""")

    def displayed_size(self, selector):
        return self.script("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                           " return [Math.round(r.width), Math.round(r.height)]", selector)

    # What the page shows.

    def title(self):
        return self.script("return document.title")

    def language(self):
        return self.script("return document.documentElement.getAttribute('lang')")

    def tooltip(self, control):
        return self.attribute(control, "title")

    def caption(self, control):
        return self.text(control)

    def displayed(self, control):
        return self.script("const e = arguments[0]; return e.getClientRects().length > 0 &&"
                           " getComputedStyle(e).visibility !== 'hidden'", self.element(control))

    def text(self, control):
        return self.script("return arguments[0].innerText", self.element(control)).strip()

    def attribute(self, control, name):
        # A boolean attribute that is there reads "true", as WebDriver gives it.
        value = self.script("return arguments[0].getAttribute(arguments[1])", self.element(control), name)
        return "true" if value == "" else value

    def scrolled_to_end(self, control):
        return self.script(
            "const l = arguments[0]; return l.scrollHeight - l.clientHeight - l.scrollTop <= 1", self.element(control))

    def log_line_count(self, control):
        return self.script("return arguments[0].querySelectorAll('.line').length", self.element(control))

    def last_log_line(self, control):
        return self.script(
            "return Array.from(arguments[0].querySelectorAll('.line')).pop().textContent", self.element(control))

    def message_box(self):
        """The open message box's (accessible name, text), or None."""
        dialog = self.script("return document.querySelector('dialog')")
        if not self.script("return arguments[0].open", dialog):
            return None
        role, name = self.computed(dialog)
        if role != "dialog":
            return ("not a dialog", role)
        return name, self.script("return arguments[0].querySelector('p').innerText", dialog)

    def focused(self):
        """The focused control's name, or the text of a focused element that is no control."""
        return self.script("const e = document.activeElement; return e.dataset.control || e.innerText")

    def about_text(self):
        """The line under the window, with the version and the licence."""
        return self.script("return document.querySelector('.about').innerText").strip()

    def about_box(self):
        return self.script("return document.querySelector('.about').getBoundingClientRect().toJSON()")

    def window_box(self):
        return self.script("return document.getElementById('window').getBoundingClientRect().toJSON()")

    # What the page's policy refuses, tried from inside the page.

    def html_from_text(self):
        return self.script("""
            try { document.createElement("div").innerHTML = "<b>text</b>"; return "accepted"; }
            catch (e) { return e instanceof TypeError ? "refused" : `failed otherwise: ${e}`; }""")

    def worker_from_text(self):
        return self.async_script("""
            const done = arguments[0];
            try {
              navigator.serviceWorker.register("service-worker.js").then(() => done("accepted"),
                (e) => done(e instanceof TypeError ? "refused" : `failed otherwise: ${e}`));
            } catch (e) { done(e instanceof TypeError ? "refused" : `failed otherwise: ${e}`); }""")

    # The site's folder, served over http.

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
        return self.open_url(self.site_url)

    def stop_serving(self):
        """Stops the server; its port, to serve again at the same origin."""
        port = self.server.server_address[1]
        self.server.shutdown()
        self.server.server_close()
        return port

    def document_attribute(self, name):
        return self.browser.execute_script("return document.documentElement.getAttribute(arguments[0])", name)

    def open_url(self, url):
        self.browser.get(url)
        self.ready = wait_until_ready(self.browser)
        return self.ready

    def worker_state(self, timeout=PATIENCE):
        """Once the page's service worker is active: whether it controls the page, and the caches it keeps."""
        return self.browser.execute_async_script("""
            const [done, timeout] = [arguments[1], arguments[0]];
            const timer = setTimeout(() => done({error: "no active worker"}), timeout);
            navigator.serviceWorker.ready.then(async () => {
              clearTimeout(timer);
              done({controlled: navigator.serviceWorker.controller !== null, caches: await caches.keys()});
            });""", timeout * 1000)

    def stop(self):
        if self.browser is not None:
            self.browser.quit()
            self.browser = None


class SeleniumDriver(BrowserDriver):
    """What Chromium and WebKit share: classic WebDriver through Selenium."""

    def perform(self, chain):
        self.browser.execute("actions", {"actions": chain.sources()})

    def set_viewport(self, width, height):
        # The window holds more than the page (a toolbar, say): grow it by the
        # difference, measured once the page has taken the window's new size.
        inner_width, inner_height = self.size_window(width, height)
        if (inner_width, inner_height) != (width, height):
            self.size_window(2 * width - inner_width, 2 * height - inner_height)

    def size_window(self, width, height):
        """Sizes the browser's window and waits until the browser reports that size and the page has
        taken it (a resize event, and two frames drawn since); the page's size then. A browser may
        return from the resize before it is done (WebKitGTK's MiniBrowser does): read at once, the
        page's size can still be the old one."""
        before = self.browser.get_window_size()
        self.script("window.trezolinResized = false;"
                    "addEventListener('resize', () => { window.trezolinResized = true; }, {once: true});")
        self.browser.set_window_size(width, height)
        wait_for(lambda: self.browser.get_window_size() == {"width": width, "height": height})
        if before != {"width": width, "height": height}:
            wait_for(lambda: self.script("return window.trezolinResized"))
        self.settle()
        return tuple(self.script("return [innerWidth, innerHeight]"))

    def computed(self, element):
        return element.aria_role, element.accessible_name


class ChromiumDriver(SeleniumDriver):
    ENGINE = "Chromium"

    def start_browser(self):
        self.browser = start_chromium()
        # The 32 767 checks of a full run are clicked from a script, in one go.
        self.browser.set_script_timeout(300)
        # What a pupil's browser asks once: may the page's copies be read back.
        self.browser.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    def requests_beyond_the_page(self):
        urls = set()
        for entry in self.browser.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.add(message["params"]["request"]["url"])
        return sorted(u for u in urls if not self.is_the_page(u))

    def console_problems(self):
        return [e["message"] for e in self.browser.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]

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

    def finger_tap(self, target):
        """A finger's tap, as a touch screen sends it, in the middle of the control or list entry, scrolled into view first as a pupil would."""
        self._touch(self.element(target), 0.5)

    def tap_message_text(self):
        """A tap on the message box's text, at its start, away from its button."""
        from selenium.webdriver.common.by import By
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
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.browser)
        actions.pointer_action.move_to_location(4, 4).click()
        actions.perform()

    def scroll_to_top(self):
        self.browser.execute_script("window.scrollTo(0, 0)")

    def page_extent(self):
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

    def installability_errors(self):
        return self.browser.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]

    def update_worker(self, timeout=PATIENCE):
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


class WebKitDriver(SeleniumDriver):
    """WebKitGTK's MiniBrowser, which has no headless mode, in a private X server."""

    ENGINE = "WebKit"
    LACKS = {"console_problems": "WebKitWebDriver keeps no log of the browser's console",
             "layout_shift": "WebKit does not measure layout shifts (no 'layout-shift' performance entries)"}
    MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    x = service = _config = None

    def start_browser(self):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        from selenium.webdriver.webkitgtk.service import Service
        from x_session import XSession
        self.x = XSession()
        # MiniBrowser's toolbar would keep its window wider than a phone's
        # screen; this style lets it shrink. It touches no web content.
        self._config = tempfile.TemporaryDirectory(prefix="trezolin-webkit-")
        os.makedirs(f"{self._config.name}/gtk-3.0")
        Path(f"{self._config.name}/gtk-3.0/gtk.css").write_text(
            (Path(__file__).resolve().parent / "minibrowser-gtk.css").read_text(encoding="utf-8"), encoding="utf-8")
        # WebKitGTK takes the browser's languages from the locale's environment.
        self.service = Service("/usr/bin/WebKitWebDriver", env=dict(
            self.x.env, XDG_CONFIG_HOME=self._config.name, LANGUAGE=BROWSER_LANGUAGE, LANG="bg_BG.UTF-8"))
        self.service.start()
        options = Options()
        options.binary_location = self.MINIBROWSER
        options.add_argument("--automation")
        self.browser = webdriver.Remote(command_executor=self.service.service_url, options=options)
        self.browser.set_script_timeout(300)
        self.set_viewport(*WINDOW_SIZE)

    def clipboard(self):
        # The X server's clipboard, which the page's copy fills as on a desktop.
        # Copying an empty selection leaves it with no text at all. The copy
        # reaches it after the key press has returned: until it has, the
        # clipboard still holds what read() put there.
        def copied():
            found = self.x.run(["xclip", "-selection", "clipboard", "-o"], check=False)
            return found if found.returncode != 0 or found.stdout != NOTHING_COPIED else None
        found = wait_for(copied)
        if found is None:
            return NOTHING_COPIED
        return found.stdout if found.returncode == 0 else ""

    def put_on_clipboard(self, text):
        self.x.set_clipboard(text)

    def requests_beyond_the_page(self):
        # No network log: the page's own record of what it loaded stands in.
        # It holds every load that got an answer (tried: an image from a local
        # server), not a request that failed (a fetch that CORS refused).
        return sorted({u for u in self.script("return performance.getEntriesByType('resource').map((e) => e.name)")
                       if not self.is_the_page(u)})

    def stop(self):
        super().stop()
        if self.service is not None:
            self.service.stop()
        if self.x is not None:
            self.x.stop()
        if self._config is not None:
            self._config.cleanup()


class FirefoxDriver(BrowserDriver):
    """Firefox ESR, headless, over WebDriver BiDi."""

    ENGINE = "Firefox"
    LACKS = {"layout_shift": "Firefox does not measure layout shifts (no 'layout-shift' performance entries)"}
    # ARIA's roles, the likely ones first: Firefox gives an element's role
    # only as "is it this one?", so the driver asks until the answer is yes.
    CANDIDATE_ROLES = (
        "textbox", "button", "listbox", "option", "log", "img", "image", "dialog", "generic", "none",
        "heading", "paragraph", "main", "group", "region", "document", "application", "alert",
        "alertdialog", "article", "banner", "blockquote", "caption", "cell", "checkbox", "code",
        "columnheader", "combobox", "complementary", "contentinfo", "definition", "deletion", "directory",
        "emphasis", "feed", "figure", "form", "grid", "gridcell", "insertion", "link", "list", "listitem",
        "mark", "marquee", "math", "menu", "menubar", "menuitem", "menuitemcheckbox", "menuitemradio",
        "meter", "navigation", "note", "progressbar", "radio", "radiogroup", "row", "rowgroup", "rowheader",
        "scrollbar", "search", "searchbox", "separator", "slider", "spinbutton", "status", "strong",
        "subscript", "superscript", "switch", "tab", "table", "tablist", "tabpanel", "term", "time",
        "timer", "toolbar", "tooltip", "tree", "treegrid", "treeitem")

    def start_browser(self):
        from firefox_bidi import Firefox
        self.browser = Firefox(*WINDOW_SIZE)

    def perform(self, chain):
        self.browser.perform(chain.sources())

    def set_viewport(self, width, height):
        self.browser.set_viewport(width, height)

    def computed(self, element):
        """The role Firefox computes, and its name, found among the texts the element and its labels carry."""
        role = next((r for r in self.CANDIDATE_ROLES if self.browser.locate(element, role=r)[:1] == [element]),
                    "<no role of ARIA's>")
        texts = self.script("""
            const e = arguments[0];
            const texts = ['', e.getAttribute('aria-label'), e.getAttribute('title'), e.textContent, e.innerText];
            for (const id of (e.getAttribute('aria-labelledby') || '').split(/\\s+/)) {
              const label = id && document.getElementById(id);
              if (label) texts.push(label.textContent, label.innerText);
            }
            for (const label of e.labels || []) texts.push(label.textContent, label.innerText);
            return [...new Set(texts.filter((t) => t != null).map((t) => t.trim().replace(/\\s+/g, ' ')))];""",
                            element)
        name = next((t for t in texts if self.browser.locate(element, name=t)[:1] == [element]),
                    "<a name that is none of its texts>")
        return role, name

    def screen_reader(self):
        """The page in a Firefox with a window, on a desktop of its own with Orca listening."""
        import json
        import tempfile
        from firefox_bidi import FIREFOX, PREFERENCES
        from screen_reader import Desk
        desk = Desk()
        profile = tempfile.TemporaryDirectory(prefix="trezolin-firefox-")
        stop = desk.stop

        def stop_and_clean():
            stop()
            profile.cleanup()
        desk.stop = stop_and_clean
        try:
            with open(f"{profile.name}/user.js", "w", encoding="utf-8") as f:
                for name, value in PREFERENCES.items():
                    if name != "focusmanager.testmode":  # real focus, as a pupil's
                        f.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
            title = self.description.window["title"]
            desk.open([FIREFOX, "--no-remote", "--profile", profile.name, self.url], title,
                      window_name=f"{title} .*")
        except Exception:
            desk.stop()
            raise
        return desk

    def requests_beyond_the_page(self):
        # Firefox reports what goes over the network (an image and a fetch from
        # a local server, tried), not files read from disk.
        urls = {e["params"]["request"]["url"] for e in self.browser.events if e["method"] == "network.beforeRequestSent"}
        return sorted(u for u in urls if not self.is_the_page(u))

    def console_problems(self):
        return [e["params"].get("text") for e in self.browser.events
                if e["method"] == "log.entryAdded" and e["params"].get("level") in ("warn", "error")]


ENGINES = {"chromium": ChromiumDriver, "firefox": FirefoxDriver, "webkit": WebKitDriver}

# Whether an element stays where it is on the screen over two frames.
STANDS_STILL = """
const [e, done] = arguments;
const at = () => { const r = e.getBoundingClientRect(); return `${r.left} ${r.top} ${scrollX} ${scrollY}`; };
const first = at();
requestAnimationFrame(() => requestAnimationFrame(() => done(at() === first)));
"""

# What the fit check measures: every text of the page a pupil reads in a box
# (the buttons, the labels, the method list's entries, the message box's
# button, the language chooser) against the box inside its borders.
OVERFLOWING = """
const shown = document.querySelectorAll(
  "#window .button, #window .label, #window .choice > .option, dialog[open] button, nav.languages > a");
const out = [];
for (const e of shown) {
  if (!e.getClientRects().length || !e.textContent.trim()) continue;
  const range = document.createRange();
  range.selectNodeContents(e);
  const t = range.getBoundingClientRect(), b = e.getBoundingClientRect(), s = getComputedStyle(e);
  const box = {left: b.left + parseFloat(s.borderLeftWidth), right: b.right - parseFloat(s.borderRightWidth),
               top: b.top + parseFloat(s.borderTopWidth), bottom: b.bottom - parseFloat(s.borderBottomWidth)};
  if (t.left < box.left - 0.5 || t.right > box.right + 0.5 || t.top < box.top - 0.5 || t.bottom > box.bottom + 0.5)
    out.push([e.dataset.control || e.textContent, [t.left, t.right, t.top, t.bottom].map(Math.round),
              [box.left, box.right, box.top, box.bottom].map(Math.round)]);
}
return out;
"""

# Whether a font has a letter, measured on a canvas: a letter the font has is
# as wide whichever font stands behind it in the list; one it lacks comes
# from the font behind, and three different fonts there do not give the same
# width all by chance. (document.fonts.check says only whether a font needs
# loading, not whether it has the letter.)
FONT_COVERAGE = """
const letters = Array.from(arguments[0]);
const context = document.createElement("canvas").getContext("2d");
const widths = (text, family) => ["monospace", "sans-serif", "serif"].map((behind) => {
  context.font = `64px "${family}", ${behind}`;
  return context.measureText(text.repeat(8)).width;
});
const has = (family, text) => new Set(widths(text, family)).size === 1;
const families = getComputedStyle(document.getElementById("window")).fontFamily.split(",")
  .map((f) => f.trim().replace(/^"|"$/g, ""))
  .filter((f) => !["serif", "sans-serif", "monospace", "cursive", "fantasy", "system-ui"].includes(f));
const font = families.find((f) => has(f, "Trezolin ABCDEFGH 0123456789")) || null;
return {font, missing: font ? letters.filter((l) => !has(font, l)) : letters};
"""

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
