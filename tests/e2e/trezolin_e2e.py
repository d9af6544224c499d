#!/usr/bin/env python3
"""End-to-end test of Trezolin as a pupil uses it.

  trezolin_e2e.py desktop PATH_TO_TREZOLIN   the real binary in a real X server
  trezolin_e2e.py page PATH_TO_TREZOLIN_HTML the real page in headless Chromium

The same scenario runs against both; each shell then gets the checks that
only it can take.
"""

import sys

import scenario
from scenario import Check


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("desktop", "page"):
        print(__doc__)
        return 2
    shell, target = sys.argv[1], sys.argv[2]
    if shell == "desktop":
        from x11_driver import X11Driver
        driver = X11Driver(target)
    else:
        from browser_driver import BrowserDriver
        driver = BrowserDriver(target)
    try:
        model = scenario.run(driver)
        driver.finish(Check, model)
    finally:
        driver.stop()

    if Check.failures:
        print(f"{Check.failures} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
