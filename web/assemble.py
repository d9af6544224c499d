#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the page together as one self-contained HTML file, or as a folder for
a school's web site.

The style, the computation's JavaScript and WebAssembly, the page's script and
the icon all go into the file, so that it works opened straight from disk with
no server and no network. The Content-Security-Policy lets the page run exactly
the scripts and the style inside it and load nothing at all, and lets no
script turn a string into HTML or a script's address (Trusted Types).

With --site, the folder holds the same page as index.html, a web app manifest,
the icons it names and a service worker, so that the page can be added to a
home screen and opens with no network after the first visit. Its policy also
lets the manifest and the worker come from the page's own origin, and nothing
from anywhere else; one named Trusted Types policy may vouch for the worker's
address, and for nothing else.
"""

import argparse
import base64
import hashlib
import html
import json
import re
import subprocess
from pathlib import Path

MANIFEST = "manifest.json"
# Each language but the first (Bulgarian, the program's own) has a manifest
# of its own beside it, which the page links to when it speaks that language.
LANGUAGE_MANIFEST = "manifest-{}.json"
WORKER = "service-worker.js"
# The one Trusted Types policy the page may create, on the site only: it
# passes the worker's own address to navigator.serviceWorker.register.
WORKER_POLICY = "trezolin-worker"
# How free-software checkers (GNU LibreJS among them) read a script's licence.
LICENSE = "magnet:?xt=urn:btih:1f739d935676111cfff4b4693e3816e664797050&dn=gpl-3.0.txt GPL-3.0-or-later"
# name, side, purpose, the icon's share of the side. A maskable icon is cut
# to a circle or a rounded square by the home screen: its drawing stays in
# the middle, on the window's colour.
SITE_ICONS = [("icon-192.png", 192, "any", 1.0), ("icon-512.png", 512, "any", 1.0),
              ("icon-maskable-512.png", 512, "maskable", 0.625)]


def source_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-" + base64.b64encode(digest).decode("ascii") + "'"


def inline_script(text):
    # Nothing inside a script may end it early.
    if "</script" in text.lower():
        raise SystemExit("assemble.py: a script holds '</script'")
    return text


def licensed(text):
    return f"// @license {LICENSE}\n{text}\n// @license-end\n"


def fill(text, parts, what, repeated=()):
    for key in parts:
        count = text.count(f"@{key}@")
        if count == 0 or (count > 1 and key not in repeated):
            raise SystemExit(f"assemble.py: {what} must hold @{key}@" + ("" if key in repeated else " once"))
    # One pass, so that no part's text is taken for another's place holder.
    return re.sub(r"@([A-Z_]+)@", lambda m: parts.get(m.group(1), m.group(0)), text)


def css_colour(rgb, opacity=100):
    if opacity != 100:
        return f"rgb({rgb[0]} {rgb[1]} {rgb[2]} / {opacity}%)"
    return "#" + "".join(f"{c:02x}" for c in rgb)


def hex_colour(colour):
    return css_colour(colour["rgb"])


# CSS's generic font families: named bare, where a font's own name is quoted.
GENERIC_FONTS = {"serif", "sans-serif", "monospace", "cursive", "fantasy", "system-ui"}


def font_list(names):
    if any(c in name for name in names for c in "\"\\;{}"):
        raise SystemExit("assemble.py: a font needs a plain name")
    return ", ".join(name if name in GENERIC_FONTS else f'"{name}"' for name in names)


def colours_rule(description):
    """The classic scheme's value of each colour role, and the page's own colours, as custom properties."""
    page = description["page"]
    lines = [f"  --{role}: {css_colour(rgb)};" for role, rgb in description["classicColours"].items()]
    lines += [f"  --{c['name']}: {css_colour(c['rgb'], c['opacity'])};" for c in page["colours"]]
    # Around the window too: the language chooser's targets.
    lines += [f"  --minimum-target: {description['minimumTarget']}px;"]
    return ":root {\n" + "\n".join(lines) + "\n}"


def window_rule(description):
    """The window's sizes, font and colour as the style sheet's first word on
    it, so that it has them from the first paint."""
    win, compact, drawing = description["window"], description["compact"], description["drawing"]
    if "rgb" not in win["background"]:
        raise SystemExit("assemble.py: the window needs a colour of its own")
    lengths = {
        "designed-width": win["pixels"][0], "designed-height": win["pixels"][1],
        "compact-width": compact["pixels"][0], "compact-height": compact["pixels"][1],
        "compact-first-screen": compact["firstScreen"],
        "font-size": f"{win['fontPoints'] * 96 / 72:g}",
        "drawing-width": drawing["width"], "drawing-height": drawing["height"],
        "minimum-target": f"{description['minimumTarget']}px", "list-frame": f"{description['listFrame']}px",
    }
    lines = [f"  --{name}: {value};" for name, value in lengths.items()] + [
        f"  background-color: {hex_colour(win['background'])};",
        f"  font-family: {font_list([win['fontFamily'], *description['page']['fontFallbacks']])};",
        f"  font-weight: {win['fontWeight']};",
    ]
    return "#window {\n" + "\n".join(lines) + "\n}"


def translated(language, text):
    """A Bulgarian text of the description in the language: its translation, or the text itself."""
    return language["translations"].get(text, text)


def manifest_name(index, language):
    return MANIFEST if index == 0 else LANGUAGE_MANIFEST.format(language["code"])


def page_script(args, description, site):
    """The page's own script, with what it must know before the description is read: the load
    failure's sentence in every language, and on the site each language's manifest."""
    languages = description["languages"]
    load_failure = json.dumps({l["code"]: translated(l, description["messages"]["loadFailure"]) for l in languages},
                              ensure_ascii=False)
    manifests = json.dumps({l["code"]: manifest_name(i, l) for i, l in enumerate(languages)} if site else {})
    return inline_script(licensed(fill(Path(args.app).read_text(encoding="utf-8"),
                                       {"WORKER_POLICY": WORKER_POLICY, "LOAD_FAILURE": load_failure,
                                        "MANIFESTS": manifests}, "the page's script")))


def language_choices(description):
    """The chooser's choices: each language named in itself, in its own language, a link to the page
    in it. The page's script marks the one it speaks."""
    return "\n".join(f'<a href="?lang={l["code"]}" lang="{l["code"]}" hreflang="{l["code"]}" '
                     f'data-language="{l["code"]}">{html.escape(l["name"])}</a>' for l in description["languages"])


def needs_script(description):
    """The sentence for a browser that runs no script, in every language: with no script, no choice."""
    return "".join(f'<p lang="{l["code"]}">{html.escape(translated(l, description["page"]["needsScript"]))}</p>'
                   for l in description["languages"])


def page(args, description, site):
    style = fill(Path(args.style).read_text(encoding="utf-8"),
                 {"DESIGNED_FROM": str(description["page"]["designedFrom"]), "WINDOW": window_rule(description),
                  "COLOURS": colours_rule(description)}, "the style")
    core = inline_script(licensed(Path(args.core_js).read_text(encoding="utf-8")))
    app = page_script(args, description, site)
    wasm = base64.b64encode(Path(args.core_wasm).read_bytes()).decode("ascii")
    icon = "data:image/png;base64," + base64.b64encode(Path(args.icon).read_bytes()).decode("ascii")
    policy = [
        "default-src 'none'",
        f"script-src {source_hash(core)} {source_hash(app)} 'wasm-unsafe-eval'",
        f"style-src {source_hash(style)}",
        # On the site, the manifest's icons are images of the page: from its own origin.
        "img-src data: 'self'" if site else "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
        "require-trusted-types-for 'script'",
    ]
    head = ""
    if site:
        policy += ["manifest-src 'self'", "worker-src 'self'", f"trusted-types {WORKER_POLICY}"]
        colour = hex_colour(description["window"]["background"])
        head = "\n".join([
            f'<link rel="manifest" href="{MANIFEST}">',
            f'<link rel="apple-touch-icon" href="{SITE_ICONS[0][0]}">',
            f'<meta name="theme-color" content="{colour}">',
        ])
    else:
        policy += ["trusted-types 'none'"]
    # The description as data beside the computation, which need not carry a JSON writer. Nothing in
    # it may end its script element early. The languages' translations stay out: the computation
    # carries the same table, and the page asks it.
    embedded = dict(description, languages=[{"code": l["code"], "name": l["name"]} for l in description["languages"]])
    data = json.dumps(embedded, ensure_ascii=False, separators=(",", ":")).replace("</", "<\\/")
    texts = description["page"]
    parts = {"CSP": "; ".join(policy), "ICON": icon, "SITE": head, "STYLE": style, "WASM": wasm, "CORE": core,
             "APP": app, "SUMMARY": html.escape(args.summary), "VERSION": html.escape(args.version),
             "TITLE": html.escape(description["window"]["title"]), "NEEDS_SCRIPT": needs_script(description),
             "LICENCE": html.escape(texts["licence"]), "LANGUAGE_LABEL": html.escape(texts["languageLabel"]),
             "LANGUAGES": language_choices(description), "DESCRIPTION": data}
    return fill(Path(args.template).read_text(encoding="utf-8"), parts, "the template", repeated={"TITLE"})


def manifest(description, summary, index):
    """The web app manifest in a language: the same app (one id), named and described in the language,
    opening in it. Bulgarian's opens with no choice in its address: in the browser's language."""
    colour = hex_colour(description["window"]["background"])
    language = description["languages"][index]
    title = translated(language, description["window"]["title"])
    return json.dumps({
        "id": "./",
        "name": title,
        "short_name": title,
        "description": translated(language, summary),
        "lang": language["code"],
        "dir": "ltr",
        "start_url": "./" if index == 0 else f"./?lang={language['code']}",
        "scope": "./",
        "display": "standalone",
        "background_color": colour,
        "theme_color": colour,
        "icons": [{"src": name, "sizes": f"{side}x{side}", "type": "image/png", "purpose": purpose}
                  for name, side, purpose, _ in SITE_ICONS],
    }, ensure_ascii=False, indent=2) + "\n"


def make_icon(args, description, name, side, share):
    drawn = round(side * share)
    margin = (side - drawn) // 2
    command = [args.rsvg_convert, f"--width={drawn}", f"--height={drawn}", f"--output={Path(args.site) / name}"]
    if margin:
        command += [f"--page-width={side}", f"--page-height={side}", f"--left={margin}", f"--top={margin}",
                    f"--background-color={hex_colour(description['window']['background'])}"]
    subprocess.run(command + [args.icon_svg], check=True)


def site(args, description):
    folder = Path(args.site)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "index.html").write_text(page(args, description, site=True), encoding="utf-8")
    manifests = [manifest_name(i, l) for i, l in enumerate(description["languages"])]
    for index, name in enumerate(manifests):
        (folder / name).write_text(manifest(description, args.summary, index), encoding="utf-8")
    for name, side, _, share in SITE_ICONS:
        make_icon(args, description, name, side, share)
    # The cache is named by the content of everything it keeps: a new build,
    # a new cache.
    files = ["index.html", *manifests] + [name for name, *_ in SITE_ICONS]
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (folder / name).read_bytes())
    worker = fill(licensed(Path(args.worker).read_text(encoding="utf-8")), {
        "VERSION": args.version,
        "BUILD": digest.hexdigest()[:16],
        "FILES": json.dumps(["./"] + files),
    }, "the worker")
    (folder / WORKER).write_text(worker, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for name in ("template", "style", "core-js", "core-wasm", "app", "icon", "description"):
        parser.add_argument(f"--{name}", required=True)
    parser.add_argument("--output", help="the single file")
    parser.add_argument("--site", help="the site's folder")
    parser.add_argument("--worker", help="the service worker's source")
    parser.add_argument("--icon-svg", help="the icon's vector source")
    parser.add_argument("--rsvg-convert", default="rsvg-convert")
    parser.add_argument("--summary", required=True, help="what the program does, for the page and the manifest")
    parser.add_argument("--version", required=True, help="the program's version, shown under the window")
    args = parser.parse_args()
    description = json.loads(Path(args.description).read_text(encoding="utf-8"))
    if args.site:
        if not (args.worker and args.icon_svg):
            parser.error("--site needs --worker and --icon-svg")
        site(args, description)
    elif args.output:
        Path(args.output).write_text(page(args, description, site=False), encoding="utf-8")
    else:
        parser.error("give --output or --site")


if __name__ == "__main__":
    main()
