#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns the catalogues listed in po/LINGUAS into the program's own table.

Writes C++ source: for each language its code and every translated text of
the program's window, sorted by the Bulgarian text so that the program finds
one by binary search. Only the program's own texts are taken (they carry a
context); those of the desktop entry and the metainfo go to those files.
An untranslated or fuzzy entry is left out: the program then shows the
Bulgarian text, and the catalogue test says what is missing.
"""

import argparse
import pathlib

import polib


def cpp_string(text):
    """A C++ string literal of the UTF-8 text: only quotes, backslashes and
    control characters escaped, the latter in octal so no digit that follows
    can join them."""
    out = []
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ord(ch) < 0x20:
            out.append(f"\\{ord(ch):03o}")
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def languages(po_dir):
    lines = (po_dir / "LINGUAS").read_text(encoding="utf-8").splitlines()
    return [w for line in lines for w in line.split("#", 1)[0].split()]


def translations(path):
    catalogue = polib.pofile(str(path))
    pairs = {}
    for entry in catalogue:
        if entry.obsolete or "fuzzy" in entry.flags or not entry.msgctxt or not entry.msgstr:
            continue
        pairs[entry.msgid] = entry.msgstr
    # UTF-8 keeps code point order, so this is the byte order the program searches in.
    return sorted(pairs.items())


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--po-dir", type=pathlib.Path, required=True)
    parser.add_argument("--output", type=pathlib.Path, required=True)
    args = parser.parse_args()

    out = [
        "// Made by po/catalogue_table.py from the catalogues in po/: never edit.",
        '#include "design/catalogue_table.h"',
        "",
        "#include <array>",
        "",
        "namespace trezolin::design {",
        "namespace {",
    ]
    tables = []
    for code in languages(args.po_dir):
        pairs = translations(args.po_dir / f"{code}.po")
        name = f"k_{code.replace('-', '_').replace('@', '_')}"
        out.append(f"constexpr std::array<Translation, {len(pairs)}> {name} = {{{{")
        out += [f"    {{{cpp_string(source)}, {cpp_string(text)}}}," for source, text in pairs]
        out.append("}};")
        tables.append(f"    {{{cpp_string(code)}, {name}}},")
    out += [f"constexpr std::array<CatalogueTable, {len(tables)}> kTables = {{{{", *tables, "}};", "} // namespace", ""]
    out += ["std::span<const CatalogueTable> CatalogueTables() noexcept", "{", "    return kTables;", "}", ""]
    out.append("} // namespace trezolin::design")
    text = "\n".join(out) + "\n"
    # Rewritten only when it changes, so that a touched catalogue with the
    # same texts rebuilds nothing.
    if not args.output.exists() or args.output.read_text(encoding="utf-8") != text:
        args.output.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
