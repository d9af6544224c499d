#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end test of Trezolin as a pupil uses it.

  trezolin_e2e.py desktop PATH_TO_TREZOLIN WINDOW_JSON   the real binary in a real X server
  trezolin_e2e.py page PATH_TO_TREZOLIN_HTML WINDOW_JSON the real page in headless Chromium
  trezolin_e2e.py page-chromium ...  the same
  trezolin_e2e.py page-firefox ...   the same page in headless Firefox ESR
  trezolin_e2e.py page-webkit ...    the same page in WebKitGTK's MiniBrowser under Xvfb
  trezolin_e2e.py windows PATH_TO_TREZOLIN_EXE WINDOW_JSON the Windows program under Wine in a real X
      server; TREZOLIN_WINE_DIR names the folder of its Wine prefix, TREZOLIN_PROBE the helper
      that reads the window from inside Windows

WINDOW_JSON is the window's description as the build writes it. The same
scenario runs against every shell; each shell then takes the further steps
that its driver can carry out.
"""

import functools
import os
import sys

import scenario
from description import Description
from scenario import Check


def desktop(target, description):
    from x11_driver import X11Driver
    return X11Driver(target, description), [scenario.screen_reader, scenario.languages, scenario.close_mid_burst]


def page(target, description, engine="chromium"):
    from browser_driver import ENGINES
    chromium = engine == "chromium"
    steps = [scenario.page_details, scenario.accessibility, *([scenario.screen_reader] if engine == "firefox" else []),
             scenario.full_counter, scenario.every_screen,
             *(CHROMIUM_ONLY if chromium else []), scenario.page_kept_to_itself,
             # Served over http, the page makes requests of its own origin, and
             # what its policy refuses shows in the console: after the check above.
             scenario.version_and_trust, *([scenario.site_installed_and_offline] if chromium else []),
             # The steps above expect the Bulgarian of a Bulgarian pupil's browser.
             scenario.page_languages, scenario.languages]
    return ENGINES[engine](target, description), steps


# What only the Chromium driver can pose as: emulated screens with touch and
# zoom, and high contrast.
CHROMIUM_ONLY = [scenario.screens, scenario.focus_and_colours, scenario.message_box_on_every_screen]


def windows(target, description):
    from wine_driver import WineDriver
    driver = WineDriver(target, description, os.environ["TREZOLIN_WINE_DIR"], os.environ["TREZOLIN_PROBE"])
    return driver, [scenario.windows_details, scenario.tab_order, scenario.accessibility, scenario.languages,
                    scenario.windows_languages, scenario.restarts,
                    scenario.full_counter, scenario.close_mid_burst]


SHELLS = {"desktop": desktop, "page": page, "windows": windows,
          **{f"page-{engine}": functools.partial(page, engine=engine) for engine in ("chromium", "firefox", "webkit")}}


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in SHELLS:
        print(__doc__)
        return 2
    shell, target, description = sys.argv[1:]
    window = scenario.Window(Description(description))
    driver, steps = SHELLS[shell](target, window.description)
    try:
        model = scenario.run(driver, window)
        for step in steps:
            model = step(driver, window, model)
    finally:
        driver.stop()

    return Check.status()


if __name__ == "__main__":
    sys.exit(main())
