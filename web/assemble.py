#!/usr/bin/env python3
"""Puts the page together as one self-contained HTML file.

The style, the computation's JavaScript and WebAssembly, the page's script and
the icon all go into the file, so that it works opened straight from disk with
no server and no network. The Content-Security-Policy lets the page run exactly
the scripts and the style inside it and load nothing at all.
Usage: assemble.py TEMPLATE STYLE CORE_JS CORE_WASM APP_JS ICON_PNG OUTPUT
"""

import base64
import hashlib
import re
import sys
from pathlib import Path


def source_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-" + base64.b64encode(digest).decode("ascii") + "'"


def inline_script(text):
    # Nothing inside a script may end it early.
    if "</script" in text.lower():
        raise SystemExit("assemble.py: a script holds '</script'")
    return text


def main(template, style, core_js, core_wasm, app_js, icon, output):
    style = Path(style).read_text(encoding="utf-8")
    core = inline_script(Path(core_js).read_text(encoding="utf-8"))
    app = inline_script(Path(app_js).read_text(encoding="utf-8"))
    wasm = base64.b64encode(Path(core_wasm).read_bytes()).decode("ascii")
    icon = "data:image/png;base64," + base64.b64encode(Path(icon).read_bytes()).decode("ascii")
    csp = "; ".join([
        "default-src 'none'",
        f"script-src {source_hash(core)} {source_hash(app)} 'wasm-unsafe-eval'",
        f"style-src {source_hash(style)}",
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    parts = {"CSP": csp, "ICON": icon, "STYLE": style, "WASM": wasm, "CORE": core, "APP": app}
    page = Path(template).read_text(encoding="utf-8")
    for key in parts:
        if page.count(f"@{key}@") != 1:
            raise SystemExit(f"assemble.py: the template must hold @{key}@ once")
    # One pass, so that no part's text is taken for another's place holder.
    page = re.sub(r"@([A-Z]+)@", lambda m: parts.get(m.group(1), m.group(0)), page)
    Path(output).write_text(page, encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 8:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
