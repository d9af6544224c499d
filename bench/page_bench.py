#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Figures of the page in headless Chromium: size, open to ready, one check
at 0 and at 32 000 lines including the layout it causes, a full run of
32 767 checks, and the page's memory after it; then, with the CPU slowed six
times as on a low-end phone, open to ready, one check, and the switch between
the designed window and the compact column.
Usage: page_bench.py PATH_TO_TREZOLIN_HTML
"""

import os
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from browser_driver import start_chromium, wait_until_ready  # noqa: E402

# The time of one check, click and the layout it forces, as the mean of each
# batch of 20 (the browser's clock is coarse, a tenth of a millisecond).
TIME_CHECKS = """
const [count] = arguments;
const check = document.querySelector('[data-control="Command1(1)"]');
const log = document.querySelector('[data-control="Text1(0)"]');
const times = [];
for (let n = 0; n < count; n += 20) {
  const t0 = performance.now();
  for (let i = 0; i < 20; ++i) {
    check.click();
    void log.scrollHeight;
  }
  times.push((performance.now() - t0) / 20);
}
return times;
"""

CHECKS = """
const [count] = arguments;
const check = document.querySelector('[data-control="Command1(1)"]');
const t0 = performance.now();
for (let n = 0; n < count; ++n) check.click();
void document.querySelector('[data-control="Text1(0)"]').scrollHeight;
return performance.now() - t0;
"""

START = "document.querySelector('[data-control=\"Command1(0)\"]').click();"

# The page's width changed back and forth across the designed window's width,
# as when a window is resized or a tablet turned: each switch of arrangement
# timed with the style and the layout it forces. The arrangement follows the
# body's width, so setting that is the resize, without the browser's own work
# of resizing its window. Returns the times and the check button's left edge in
# both arrangements (they must differ, or nothing switched).
SWITCHES = """
const [count, narrow] = arguments;
const body = document.body;
const check = document.querySelector('[data-control="Command1(1)"]');
const times = [], lefts = new Set();
for (let n = 0; n < count; ++n) {
  const t0 = performance.now();
  body.style.width = n % 2 ? "" : `${narrow}px`;
  lefts.add(Math.round(check.getBoundingClientRect().left));
  times.push(performance.now() - t0);
}
body.style.width = "";
return [times, lefts.size];
"""

SLOWDOWN = 6


def renderer_rss_mb():
    """The resident memory of the largest renderer process: the page's."""
    largest = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            cmdline = Path(f"/proc/{pid}/cmdline").read_bytes()
            if b"--type=renderer" not in cmdline:
                continue
            for line in Path(f"/proc/{pid}/status").read_text().splitlines():
                if line.startswith("VmRSS:"):
                    largest = max(largest, int(line.split()[1]))
        except OSError:
            continue
    return largest / 1024


def open_to_ready(browser, url, loads=10):
    """The time from navigation to the window built, for each of several loads, in ms."""
    ready = []
    for _ in range(loads):
        browser.get(url)
        assert wait_until_ready(browser) == "true"
        ready.append(browser.execute_script("return performance.getEntriesByName('trezolin-ready')[0].startTime"))
    return ready


def measure_checks(browser, url):
    ready = open_to_ready(browser, url)
    print(f"open to ready: {statistics.median(ready):.1f} ms (median of 10 loads)")
    browser.execute_script(START)
    at0 = browser.execute_script(TIME_CHECKS, 200)
    browser.execute_script(CHECKS, 32000 - 200)
    at32000 = browser.execute_script(TIME_CHECKS, 200)
    m0, m32000 = statistics.median(at0), statistics.median(at32000)
    print(f"one check at 0 to 200 lines: {m0:.3f} ms (median of 10 batches of 20)")
    print(f"one check at 32000 to 32200 lines: {m32000:.3f} ms (median of 10 batches of 20); ratio {m32000 / m0:.2f}")


def measure_full_run(browser, url):
    runs = []
    for _ in range(3):
        browser.get(url)
        assert wait_until_ready(browser) == "true"
        browser.execute_script(START)
        runs.append(browser.execute_script(CHECKS, 32767))
    print(f"full run of 32767 checks: {statistics.median(runs) / 1000:.2f} s (median of 3)")
    browser.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
    metrics = {m["name"]: m["value"] for m in browser.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]}
    print(f"memory after the run: JS heap {metrics['JSHeapUsedSize'] / 2**20:.1f} MiB, "
          f"{int(metrics['Nodes'])} DOM nodes, renderer resident {renderer_rss_mb():.0f} MiB")


def measure_slowed(browser, url):
    print(f"== the CPU slowed {SLOWDOWN} times")
    browser.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": SLOWDOWN})
    ready = open_to_ready(browser, url)
    print(f"open to ready: {statistics.median(ready):.0f} ms (median of 10 loads; "
          f"{min(ready):.0f} to {max(ready):.0f})")
    browser.execute_script(START)
    slow = browser.execute_script(TIME_CHECKS, 200)
    print(f"one check at 0 to 200 lines: {statistics.median(slow):.2f} ms (median of 10 batches of 20)")
    times, arrangements = browser.execute_script(SWITCHES, 40, 360)
    assert arrangements == 2, "the arrangement did not switch"
    print(f"switch between arrangements: {statistics.median(times):.2f} ms "
          f"(median of 40, longest {max(times):.2f})")
    browser.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})


def main(page):
    url = Path(page).resolve().as_uri()
    print(f"file size: {Path(page).stat().st_size / 1024:.1f} KiB")
    browser = start_chromium()
    browser.set_script_timeout(600)
    browser.execute_cdp_cmd("Performance.enable", {})
    try:
        measure_checks(browser, url)
        measure_full_run(browser, url)
        measure_slowed(browser, url)
    finally:
        browser.quit()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    main(sys.argv[1])
