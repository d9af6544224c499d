#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Adds one desktop action per catalogue to the desktop entry.

The source entry has Bulgarian's action only; for each language in
po/LINGUAS this adds `[Desktop Action <code>]`, named in its own language (the
catalogue's translation of "Български") and starting `trezolin --lang <code>`,
so that a new catalogue brings its action with it.
"""

import argparse
import pathlib

import polib


def own_name(catalogue):
    for entry in polib.pofile(str(catalogue)):
        if entry.msgctxt == "language name" and entry.msgstr and "fuzzy" not in entry.flags:
            return entry.msgstr
    raise SystemExit(f"desktop_actions.py: {catalogue} does not name its language")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--po-dir", type=pathlib.Path, required=True)
    parser.add_argument("--template", type=pathlib.Path, required=True)
    parser.add_argument("--output", type=pathlib.Path, required=True)
    args = parser.parse_args()

    lines = (args.po_dir / "LINGUAS").read_text(encoding="utf-8").splitlines()
    codes = [w for line in lines for w in line.split("#", 1)[0].split()]
    text = args.template.read_text(encoding="utf-8")
    if "\nActions=bg;\n" not in text:
        raise SystemExit("desktop_actions.py: the template must have exactly Bulgarian's action")
    text = text.replace("\nActions=bg;\n", "\nActions=" + "".join(f"{c};" for c in ["bg", *codes]) + "\n")
    for code in codes:
        text += (f"\n[Desktop Action {code}]\nName={own_name(args.po_dir / f'{code}.po')}\n"
                 f"Exec=trezolin --lang {code}\n")
    args.output.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
