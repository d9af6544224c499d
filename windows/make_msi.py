#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes the installer with wixl so that the same inputs always give the same
bytes, and so that a rebuild of the same version replaces the installed copy.

  make_msi.py WXS MSI VERSION MANUFACTURER DATE PROGRAM ICON LICENCE DESCRIPTION FIRST_STRING

DESCRIPTION is the window's description as JSON (window.json): its key
"installer" gives the installer's texts, which the WXS names as variables, and
its key "languages" the languages: the WXS's Start menu entry is copied once
for each, taken where the public property TREZOLIN_LANGUAGE names it, with
the language's code for the program (--lang) and its description in it.

DATE is the time written into the installer (SOURCE_DATE_EPOCH). wixl by
itself writes a fresh package code, its own run time as the package's dates
and the files' modification times into the cabinet; here the files go in with
DATE, both codes come from a hash of everything that goes in, and the dates
are set to DATE afterwards. wixl (0.101) also gives the database no codepage
and writes every table text that is not ASCII as empty: the Bulgarian texts go
in afterwards, in codepage 1251.

An installer has one codepage, and Windows Installer takes no UTF-8, so 1251
cannot hold Turkish. Each Start menu entry therefore also names its
description as a string resource of the program (FIRST_STRING and on, one per
language in the description's order: windows/start_menu_strings.py writes
them), which Windows (Installer 4.0 and later) reads in UTF-16, Turkish
letters and all. The plain description stays for an installer that reads no
resource: there, a language that 1251 cannot hold (Turkish) has the English
one. wixl ignores the shortcut's resource attributes; they are written
afterwards.
"""

import hashlib
import json
import re
import os
import shutil
import subprocess
import sys
import time
import uuid
import xml.etree.ElementTree as ElementTree
from pathlib import Path

# Every code of the installer derives from its UpgradeCode, which never changes.
UPGRADE_CODE = uuid.UUID("828B28EE-9C01-4EED-B700-F172E9852A3F")

# Windows counts file times in 100 ns steps from 1601.
FILETIME_1970 = 116444736000000000


def filetime(seconds):
    return (FILETIME_1970 + seconds * 10_000_000).to_bytes(8, "little")


def run(command, folder):
    env = dict(os.environ, TZ="UTC")
    return subprocess.run(command, cwd=folder, env=env, check=True, capture_output=True, text=True).stdout


def same_version_inclusive(folder, msi, version):
    """The row that finds an installed copy of this same version: wixl writes
    256 (minimum included) for IncludeMaximum too, which with minimum =
    maximum finds nothing; 768 includes both ends."""
    table = run(["msiinfo", "export", msi, "Upgrade"], folder).splitlines(keepends=True)
    rows = []
    for line in table:
        cells = line.rstrip("\r\n").split("\t")
        if len(cells) == 7 and cells[1] == cells[2] == version:
            cells[4] = "768"
            line = "\t".join(cells) + "\r\n"
        rows.append(line)
    Path(folder, "Upgrade.idt").write_text("".join(rows), encoding="utf-8", newline="")
    run(["msibuild", msi, "-i", "Upgrade.idt"], folder)


# The installer's codepage, as the WXS gives it; and the language whose text stands in where it cannot hold one.
CODEPAGE = "cp1251"
STAND_IN_LANGUAGE = "en"
# The Start menu entry of the WXS that make_msi.py copies for each language.
ENTRY = "StartMenuEntry"
PROPERTY = "TREZOLIN_LANGUAGE"
# The program as the WXS's file key names it, which Windows Installer turns into its installed path.
PROGRAM_FILE = "[#TrezolinExe]"


def holds(text):
    try:
        text.encode(CODEPAGE)
        return True
    except UnicodeEncodeError:
        return False


def installer_variables(description):
    """The WXS's variables, from the description's key "installer", and each language's description of
    the Start menu entry as Comment_<code>."""
    data = json.loads(description.read_text(encoding="utf-8"))
    texts = data["installer"]
    comment = texts["comment"]
    variables = {"Comment": comment, "DowngradeMessage": texts["downgradeMessage"]}
    translated = {l["code"]: l["translations"].get(comment, comment) for l in data["languages"]}
    for code, text in translated.items():
        variables[f"Comment_{code}"] = text if holds(text) else translated[STAND_IN_LANGUAGE]
    return variables


def entry_conditions(languages):
    """{component: condition} of the Start menu entries: each language's where the property names it
    (in any case), the WXS's own entry where it names none of them."""
    chosen = {f"{ENTRY}_{code}": f'{PROPERTY}~="{code}"' for code in languages}
    return {ENTRY: "NOT (" + " OR ".join(chosen.values()) + ")", **chosen}


def put_conditions(folder, msi, conditions):
    for component, condition in conditions.items():
        run(["msibuild", msi, "-q", f"UPDATE `Component` SET `Condition` = '{condition}' WHERE `Component` = '{component}'"],
            folder)
    found = table_column(folder, msi, "Component", "Component", "Condition")
    if any(found.get(c) != condition for c, condition in conditions.items()):
        sys.exit(f"make_msi: the Start menu entries' conditions are {found}")


def table_column(folder, msi, table, key_column, column):
    """{key: text} of one column of one of the installer's tables."""
    rows = run(["msiinfo", "export", msi, table], folder).splitlines()
    names = rows[0].split("\t")
    cells = [r.split("\t") for r in rows[3:]]
    return {c[names.index(key_column)]: c[names.index(column)] for c in cells}


def entries_per_language(wxs, languages, staged):
    """Writes the WXS to `staged` with the Start menu entry copied once per language."""
    ns = "http://schemas.microsoft.com/wix/2006/wi"
    ElementTree.register_namespace("", ns)
    tree = ElementTree.parse(wxs)
    parent = next(p for p in tree.iter() for c in p if c.get("Id") == ENTRY and c.tag == f"{{{ns}}}Component")
    entry = next(c for c in parent if c.get("Id") == ENTRY)
    feature = next(p for p in tree.iter() for c in p if c.get("Id") == ENTRY and c.tag == f"{{{ns}}}ComponentRef")
    for code in languages:
        copy = copy_element(entry)
        copy.set("Id", f"{ENTRY}_{code}")
        copy.set("Guid", str(uuid.uuid5(UPGRADE_CODE, f"start menu entry {code}")).upper())
        shortcut = copy.find(f"{{{ns}}}Shortcut")
        shortcut.set("Id", f"{ENTRY}_{code}")
        shortcut.set("Arguments", f"--lang {code}")
        shortcut.set("Description", f"$(var.Comment_{code})")
        parent.append(copy)
        reference = ElementTree.SubElement(feature, f"{{{ns}}}ComponentRef")
        reference.set("Id", f"{ENTRY}_{code}")
    tree.write(staged, encoding="utf-8", xml_declaration=True)


def copy_element(element):
    return ElementTree.fromstring(ElementTree.tostring(element))


def ascii_only(text):
    """What wixl takes for a text variable: it stops at a variable that is not
    ASCII, so such a text goes in as a stand-in and later as itself."""
    return text if text.isascii() else "-"


def bulgarian_texts(wxs, manufacturer, variables):
    """(table, column, key column, key, text) of the texts that wixl leaves empty."""
    ns = {"w": "http://schemas.microsoft.com/wix/2006/wi"}
    root = ElementTree.parse(wxs).getroot()
    def value(text):
        return re.sub(r"\$\(var\.(\w+)\)", lambda m: variables.get(m.group(1), m.group(0)), text)
    texts = [("Property", "Value", "Property", "Manufacturer", manufacturer)]
    texts += [("Property", "Value", "Property", e.get("Id"), e.get("Value")) for e in root.iterfind(".//w:Property", ns)]
    texts += [("Shortcut", "Description", "Shortcut", e.get("Id"), e.get("Description"))
              for e in root.iterfind(".//w:Shortcut", ns) if e.get("Description")]
    texts += [("LaunchCondition", "Description", "Condition", "NOT WIX_DOWNGRADE_DETECTED", e.get("DowngradeErrorMessage"))
              for e in root.iterfind(".//w:MajorUpgrade", ns)]
    texts = [t[:4] + (value(t[4]),) for t in texts]
    return [t for t in texts if not t[4].isascii()]


def resource_descriptions(languages, first_string):
    """{Start menu entry: its description's string resource}: each language's entry its own, the WXS's
    own entry (described in Bulgarian) Bulgarian's."""
    return {ENTRY: first_string, **{f"{ENTRY}_{code}": first_string + i for i, code in enumerate(languages)}}


def put_resource_descriptions(folder, msi, strings):
    for entry, number in strings.items():
        run(["msibuild", msi, "-q", f"UPDATE `Shortcut` SET `DescriptionResourceDLL` = '{PROGRAM_FILE}', "
             f"`DescriptionResourceId` = {number} WHERE `Shortcut` = '{entry}'"], folder)
    files = table_column(folder, msi, "Shortcut", "Shortcut", "DescriptionResourceDLL")
    numbers = table_column(folder, msi, "Shortcut", "Shortcut", "DescriptionResourceId")
    found = {entry: (files.get(entry), numbers.get(entry)) for entry in files}
    if found != {entry: (PROGRAM_FILE, str(number)) for entry, number in strings.items()}:
        sys.exit(f"make_msi: the Start menu entries' string resources are {found}")


def put_texts(folder, msi, texts):
    Path(folder, "_ForceCodepage.idt").write_text("\r\n\r\n1251\t_ForceCodepage\r\n", newline="")
    run(["msibuild", msi, "-i", "_ForceCodepage.idt"], folder)
    for table, column, key_column, key, text in texts:
        if "'" in text + key:
            sys.exit(f"make_msi: no quote in an installer's text: {text}")
        run(["msibuild", msi, "-q", f"UPDATE `{table}` SET `{column}` = '{text}' WHERE `{key_column}` = '{key}'"], folder)
    for table, column, key_column, key, text in texts:
        rows = run(["msiinfo", "export", msi, table], folder).splitlines()
        names = rows[0].split("\t")
        found = [r.split("\t") for r in rows[3:]]
        found = [r[names.index(column)] for r in found if r[names.index(key_column)] == key]
        if found != [text]:
            sys.exit(f"make_msi: {table} {key} holds {found}, not '{text}'")


def set_dates(msi, seconds, started, finished):
    """The summary's creation and last-saved times, each a FILETIME after its
    type VT_FILETIME (64): wixl wrote them between started and finished."""
    data = bytearray(msi.read_bytes())
    low, high = FILETIME_1970 + (started - 2) * 10_000_000, FILETIME_1970 + (finished + 2) * 10_000_000
    found = [i for i in range(len(data) - 12) if data[i:i + 4] == b"\x40\x00\x00\x00"
             and low <= int.from_bytes(data[i + 4:i + 12], "little") <= high]
    if len(found) != 2:
        sys.exit(f"make_msi: expected the two dates of the summary, found {len(found)}")
    for i in found:
        data[i + 4:i + 12] = filetime(seconds)
    msi.write_bytes(bytes(data))


def stage_inputs(folder, wxs, version, manufacturer, date, variables, inputs):
    """Copies the installer's files into a fresh folder, each dated `date`, and gives the product and
    package codes, made from everything that goes into the installer."""
    # wixl takes paths relative to the folder it runs in; the cabinet takes each file's time.
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    # How the installer is made counts too: this script and wixl's version.
    wixl_version = run(["wixl", "--version"], folder)
    digest = hashlib.sha256(f"{version}\0{manufacturer}\0{wixl_version}\0".encode() + wxs.read_bytes()
                            + Path(__file__).read_bytes() + json.dumps(variables, sort_keys=True).encode())
    for name, source in inputs.items():
        shutil.copyfile(source, folder / name)
        os.utime(folder / name, (date, date))
        digest.update(name.encode() + b"\0" + (folder / name).read_bytes())
    product_code = uuid.uuid5(UPGRADE_CODE, "product " + digest.hexdigest())
    # The package's date is in the package, so a package of another date gets its own code.
    package_code = uuid.uuid5(UPGRADE_CODE, f"package {digest.hexdigest()} {date}")
    return product_code, package_code


def check_summary(folder, msi_name, date, package_code):
    """The summary holds the release's date and the package code, as set."""
    summary = run(["msiinfo", "suminfo", msi_name], folder)
    stamp = time.strftime("%a %b %d %H:%M:%S %Y", time.gmtime(date))
    for line in (f"Created: {stamp}", f"Last saved: {stamp}", f"Revision number (UUID): {{{str(package_code).upper()}}}"):
        if line not in summary.splitlines():
            sys.exit(f"make_msi: the summary lacks '{line}':\n{summary}")


def main():
    if len(sys.argv) != 11:
        print(__doc__)
        return 2
    wxs, msi, version, manufacturer, date = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3], sys.argv[4], int(sys.argv[5])
    program, icon, licence, description = (Path(p) for p in sys.argv[6:10])
    first_string = int(sys.argv[10])
    variables = installer_variables(description)
    languages = [l["code"] for l in json.loads(description.read_text(encoding="utf-8"))["languages"]]

    folder = msi.with_name(msi.name + ".files")
    product_code, package_code = stage_inputs(folder, wxs, version, manufacturer, date, variables,
                                              {"trezolin.exe": program, "trezolin.ico": icon, "COPYING.txt": licence})
    staged_wxs = folder / "trezolin.wxs"
    entries_per_language(wxs, languages, staged_wxs)
    made = folder / "trezolin.msi"
    started = int(time.time())
    run(["wixl", "-a", "x64", "-D", f"Version={version}", "-D", f"ProductCode={product_code}",
         "-D", f"Manufacturer={manufacturer}", "-D", "Program=trezolin.exe", "-D", "Icon=trezolin.ico",
         "-D", "Licence=COPYING.txt", *(a for k, v in variables.items() for a in ("-D", f"{k}={ascii_only(v)}")),
         "-o", made.name, staged_wxs.name], folder)
    same_version_inclusive(folder, made.name, version)
    put_texts(folder, made.name, bulgarian_texts(staged_wxs, manufacturer, variables))
    put_conditions(folder, made.name, entry_conditions(languages))
    put_resource_descriptions(folder, made.name, resource_descriptions(languages, first_string))
    # Title and subject, author, platform and language (Bulgarian), package code.
    run(["msibuild", made.name, "-s", f"Trezolin {version}", manufacturer, "x64;1026",
         "{" + str(package_code).upper() + "}"], folder)
    set_dates(made, date, started, int(time.time()))

    check_summary(folder, made.name, date, package_code)
    shutil.move(made, msi)
    shutil.rmtree(folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
