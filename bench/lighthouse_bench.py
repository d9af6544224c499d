#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Lighthouse on the site's folder, served over http as a school's server would:
the category scores and the cumulative layout shift, on a phone and on a desktop.

  lighthouse_bench.py SITE_FOLDER [RUNS]

Each figure is the median of RUNS runs (5 unless given), with the lowest and
highest in brackets where they differ: the performance score follows the
machine's load (its blocking time is the page's measured work, scaled).

Lighthouse comes from npm (bench/lighthouse, installed with `npm ci`) and runs
Debian's chromium. Python's server sends no compression and no robots.txt:
the two audits that fail for that are the server's, not the page's, and are
named in the output.
"""

import functools
import http.server
import json
import os
import statistics
import subprocess
import sys
import tempfile
import threading
from pathlib import Path

LIGHTHOUSE = Path(__file__).resolve().parent / "lighthouse" / "node_modules" / ".bin" / "lighthouse"
FORMS = (("phone", ["--form-factor=mobile"]), ("desktop", ["--preset=desktop"]))
CATEGORIES = ("performance", "accessibility", "best-practices", "seo")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def audit(url, options):
    with tempfile.TemporaryDirectory(prefix="trezolin-lighthouse-") as folder:
        report = Path(folder) / "report.json"
        subprocess.run([str(LIGHTHOUSE), url, *options, "--output=json", f"--output-path={report}", "--quiet",
                        # In Bulgarian, as a Bulgarian pupil's browser opens the page.
                        "--chrome-flags=--headless=new --no-sandbox --lang=bg"],
                       env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"), check=True, timeout=300)
        return json.loads(report.read_text(encoding="utf-8"))


def figures(result):
    audits = result["audits"]
    found = {c: round(result["categories"][c]["score"] * 100) for c in CATEGORIES}
    found.update({
        "layout shift": round(audits["cumulative-layout-shift"]["numericValue"], 3),
        "first contentful paint (ms)": round(audits["first-contentful-paint"]["numericValue"]),
        "largest contentful paint (ms)": round(audits["largest-contentful-paint"]["numericValue"]),
        "total blocking time (ms)": round(audits["total-blocking-time"]["numericValue"]),
    })
    return found


def failed_audits(result):
    audits = result["audits"]
    return {a for c in CATEGORIES for a in (r["id"] for r in result["categories"][c]["auditRefs"])
            if audits[a]["score"] is not None and audits[a]["scoreDisplayMode"] == "binary" and audits[a]["score"] < 1}


def summary(values):
    middle = statistics.median(values)
    low, high = min(values), max(values)
    return f"{middle:g}" if low == high else f"{middle:g} ({low:g} to {high:g})"


def main():
    folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(QuietHandler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    try:
        for form, options in FORMS:
            results = [audit(url, options) for _ in range(runs)]
            taken = [figures(r) for r in results]
            print(f"{form}, {runs} runs: " + "; ".join(f"{name} {summary([t[name] for t in taken])}" for name in taken[0]))
            failed = sorted(set().union(*map(failed_audits, results)))
            if failed:
                print(f"  {form}: audits not passed: {', '.join(failed)}")
    finally:
        server.shutdown()


if __name__ == "__main__":
    main()
