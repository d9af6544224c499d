#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks every catalogue named in po/LINGUAS against the template the build
wrote: well-formed for msgfmt, every text translated once, nothing fuzzy or
left over, and each translation keeping its source's placeholders, line
breaks and numbers; a help line also keeps everything after its last
Bulgarian word (the formulas and the example values, their spacing too), and
a list of search words stays a list, each word ending in ";".

Usage: check_catalogues.py TEMPLATE PO_DIR"""

import ast
import pathlib
import re
import subprocess
import sys


def entries(path):
    """The file's translations, keyed by (context, source), header left out."""
    found, entry, field = {}, {}, None
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines() + [""]:
        keyword = re.match(r"(msgctxt|msgid|msgstr) (\".*\")$", line)
        if keyword:
            if keyword.group(1) != "msgid" or "msgid" not in entry:
                field = keyword.group(1)
                entry[field] = ast.literal_eval(keyword.group(2))
                continue
        if line.startswith('"') and field:
            entry[field] += ast.literal_eval(line)
        elif not line.strip() and "msgid" in entry:
            if entry["msgid"]:
                found[(entry.get("msgctxt"), entry["msgid"])] = entry.get("msgstr", "")
            entry, field = {}, None
    return found


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True)
    return result.returncode, result.stdout + result.stderr


def problems(po, template):
    yield from (f"{tool[0]} fails: {out}" for tool in (
        ("msgfmt", "--check", "--check-format", "-o", "/dev/null", po), ("msgcmp", po, template))
        for rc, out in [run(*tool)] if rc != 0)
    for only in ("--only-fuzzy", "--untranslated", "--only-obsolete"):
        rc, out = run("msgattrib", only, "--no-wrap", po)
        if rc != 0 or re.search(r"^msgid \"[^\"]", out, re.M):
            yield f"msgattrib {only} finds: " + " ".join(re.findall(r"^msgctxt (.*)$", out, re.M))
    source, translated = entries(template), entries(po)
    yield from (f"missing {key}" for key in source.keys() - translated.keys())
    yield from (f"not in the template {key}" for key in translated.keys() - source.keys())
    for (context, text), translation in translated.items():
        where = f"{context}: {translation!r}"
        if not translation:
            yield f"untranslated {where}"
        for what, pattern in (("placeholders", r"\{\}"), ("line breaks", r"\n"), ("numbers", r"-?\d+")):
            if re.findall(pattern, translation) != re.findall(pattern, text):
                yield f"{what} differ from the source in {where}"
        # The desktop entry's search words: a list whose every word ends in ";".
        if text.endswith(";") and not re.fullmatch(r"([^;]+;)+", translation):
            yield f"not a list of words each ending in ';' as its source: {where}"
        tail = re.split(r"[А-Яа-я](?!.*[А-Яа-я])", text)[-1]
        if context and context.startswith("help line") and not translation.endswith(tail):
            yield f"does not end in {tail!r}: {where}"


def main(template, po_dir):
    languages = [line.strip() for line in (pathlib.Path(po_dir) / "LINGUAS").read_text().splitlines()
                 if line.strip() and not line.startswith("#")]
    failed = False
    for language in languages:
        po = str(pathlib.Path(po_dir) / f"{language}.po")
        header = pathlib.Path(po).read_text(encoding="utf-8")
        found = list(problems(po, template))
        if f'"Language: {language}\\n"' not in header:
            found.append("the header names another language")
        for problem in found:
            print(f"{language}.po: {problem}")
        print(f"{language}.po: {len(entries(po))} texts, {len(found)} problems")
        failed |= bool(found)
    return 1 if failed or not languages else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
