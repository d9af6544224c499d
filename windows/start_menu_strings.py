#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the Start menu entry's description in each language as a string
table for the program's resources. The installer has one codepage (1251),
which holds no Turkish letters; a shortcut can instead take its description
from a string resource, which is UTF-16, so each entry names the one in its
language.

  start_menu_strings.py DESCRIPTION FIRST_ID OUTPUT

DESCRIPTION is the window's description as JSON (window.json): the texts are
the translations of its installer comment, in the order of its languages
(Bulgarian first), numbered from FIRST_ID.
"""

import json
import sys
from pathlib import Path


def descriptions(data):
    """Each language's description of the Start menu entry, in the description's order: [(code, text)]."""
    comment = data["installer"]["comment"]
    return [(l["code"], l["translations"].get(comment, comment)) for l in data["languages"]]


def rc_string(text):
    """A text as the resource compiler reads it: a quote doubled, a backslash escaped."""
    if any(ord(c) < 0x20 for c in text):
        sys.exit(f"start_menu_strings: a control character in {text!r}")
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def string_table(data, first_id):
    lines = ["// Made by windows/start_menu_strings.py from the window's description: do not edit.",
             "#pragma code_page(65001)",
             "",
             "// One string in every language, each under its own number: the installer chooses, not the",
             "// user's language, so they are language neutral.",
             "STRINGTABLE",
             "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL",
             "BEGIN"]
    lines += [f"  {first_id + i}, {rc_string(text)}  // {code}" for i, (code, text) in enumerate(descriptions(data))]
    lines += ["END", ""]
    return "\n".join(lines)


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    data = json.loads(Path(sys.argv[1]).read_text(encoding="utf-8"))
    Path(sys.argv[3]).write_text(string_table(data, int(sys.argv[2])), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
