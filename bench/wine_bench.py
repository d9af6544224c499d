#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Figures of the Windows program under Wine in Xvfb, for docs/performance.md:
the sizes of the .exe and the .msi, the time from starting the program to its
window on the screen (median of 10 starts), and a full run of 32 767 presses of
"Провери" queued at once, as a fast burst queues them (median of 3).

  wine_bench.py BUILD_FOLDER    (the windows preset's build, e.g. build/windows)
"""

import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

from description import Description  # noqa: E402
from wine_driver import WineDriver  # noqa: E402


def main():
    build = Path(sys.argv[1]).resolve()
    program = build / "windows" / "trezolin.exe"
    for path in (program, build / "windows" / "trezolin.msi"):
        print(f"{path.name}: {path.stat().st_size / 1024:.0f} KiB")

    driver = WineDriver(program, Description(build / "design" / "window.json"), build / "wine",
                        build / "tests" / "trezolin_probe.exe")
    title = driver.description.window["title"]
    try:
        starts = []
        for _ in range(10):
            driver.session.close_window(title)
            driver.program.wait(timeout=30)
            began = time.monotonic()
            driver.program = driver.start_program(program)
            driver.window = driver.session.find_window(title)
            starts.append((time.monotonic() - began) * 1000)
        print(f"start to a shown window: {statistics.median(starts):.0f} ms median "
              f"({min(starts):.0f} to {max(starts):.0f} ms)")

        runs = []
        for _ in range(3):
            driver.click(driver.description.the("startButton"))
            began = time.monotonic()
            driver.click_many(driver.description.the("checkButton"), 32767)
            runs.append(time.monotonic() - began)
        print(f"a full run of 32 767 queued presses: {statistics.median(runs):.1f} s median "
              f"({min(runs):.1f} to {max(runs):.1f} s)")
    finally:
        driver.stop()


if __name__ == "__main__":
    main()
