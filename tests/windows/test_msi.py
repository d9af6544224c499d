#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The installer as a school's administrator uses it, under Wine, in a fresh
Wine prefix: a silent install with a log, the program and its licence in Program Files,
the Start menu entry and the entry in the installed programs (publisher,
version, icon), the installed program started from its Start menu entry (at
150 % scaling) and closed, a rebuild of the same version installed over it
(replacing it, not beside it), a later version installed over that, and a
silent uninstall that leaves nothing behind; then an install for a class in
Ukrainian (TREZOLIN_LANGUAGE=uk), whose Start menu entry starts the program
with --lang uk and describes it in Ukrainian, and one in Turkish. Its texts
are the window description's (DESCRIPTION, window.json). Each Start menu
entry also names its description in its language as a string resource of the
program, numbered from FIRST_STRING in the description's order (check_exe.py
reads them).

  test_msi.py TREZOLIN_MSI VERSION ICON LICENCE PUBLISHER REBUILT_MSI REBUILT_PROGRAM LATER_MSI LATER_VERSION
              WORK_FOLDER DESCRIPTION FIRST_STRING
"""

import json
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from scenario import Check  # noqa: E402
from wine_driver import Wine  # noqa: E402
from x_session import XSession  # noqa: E402

UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
PRODUCTS = r"HKLM\Software\Classes\Installer\Products"
TITLE = "Trezolin"


def registry_keys(wine, root, name):
    """The keys under root whose value `name` is Trezolin: {key: {value name: value}}."""
    status, shown = wine.run(["reg", "query", root, "/s"])
    entries, key = {}, None
    for line in shown.splitlines():
        if line.startswith("HKEY_"):
            key = line.strip()
            entries[key] = {}
        elif key and line.startswith("    ") and "REG_" in line:
            value_name, kind, value = (line.split(None, 2) + [""])[:3]
            entries[key][value_name] = value.strip()
    return {k: v for k, v in entries.items() if v.get(name) == TITLE}


def installed_entries(wine):
    """The installed programs' entries of Trezolin."""
    return registry_keys(wine, UNINSTALL, "DisplayName")


def product_icon(wine):
    """The icon file that the installed programs show for Trezolin, as Windows Installer keeps it."""
    products = registry_keys(wine, PRODUCTS, "ProductName")
    icons = [p["ProductIcon"] for p in products.values() if "ProductIcon" in p]
    if len(icons) != 1:
        return None
    status, shown = wine.run(["winepath", "-u", icons[0]])
    return Path(shown.strip())


def start_menu_entries(prefix):
    # Wine puts an all-users shortcut into the user's own Start menu.
    return sorted(str(p.relative_to(prefix)) for p in (prefix / "drive_c").rglob("Trezolin.lnk"))


def windows_path(wine, unix_path):
    status, shown = wine.run(["winepath", "-w", str(unix_path)])
    return shown.strip()


def table_texts(msi, table, key_column, column):
    """{key: text} of one column of one of the installer's tables."""
    rows = subprocess.run(["msiinfo", "export", str(msi), table], check=True, capture_output=True,
                          text=True).stdout.splitlines()
    names = rows[0].split("\t")
    cells = [r.split("\t") for r in rows[3:]]
    return {c[names.index(key_column)]: c[names.index(column)] for c in cells}


def shortcut_strings(lnk):
    """The description and the arguments a shortcut file (.lnk) holds."""
    data = lnk.read_bytes()
    flags = int.from_bytes(data[20:24], "little")
    at = 76
    if flags & 0x01:  # HasLinkTargetIDList
        at += 2 + int.from_bytes(data[at:at + 2], "little")
    if flags & 0x02:  # HasLinkInfo
        at += int.from_bytes(data[at:at + 4], "little")
    unicode = bool(flags & 0x80)
    strings = {}
    # The string data, in this order, each there only where its flag is set.
    for flag, name in ((0x04, "description"), (0x08, "relative path"), (0x10, "working folder"),
                       (0x20, "arguments"), (0x40, "icon")):
        if flags & flag:
            count = int.from_bytes(data[at:at + 2], "little")
            size = count * (2 if unicode else 1)
            strings[name] = data[at + 2:at + 2 + size].decode("utf-16-le" if unicode else "cp1252")
            at += 2 + size
    # Wine's shell counts a string's closing NUL in; Windows' does not.
    return strings.get("description", "").rstrip("\0"), strings.get("arguments", "").rstrip("\0")


def comments(description):
    """The Start menu entry's description in each language: the catalogue's, or the English one where the
    installer's codepage (1251: Cyrillic and ASCII) lacks a letter of it (Turkish)."""
    data = json.loads(description.read_text(encoding="utf-8"))
    comment = data["installer"]["comment"]
    translated = {l["code"]: l["translations"].get(comment, comment) for l in data["languages"]}

    def held(text):
        try:
            text.encode("cp1251")
        except UnicodeEncodeError:
            return False
        return True
    return {code: text if held(text) else translated["en"] for code, text in translated.items()}


def check_texts(msi, description, first_string):
    """The installer's texts are the description's, whole, as Windows Installer shows them; one Start menu
    entry for each language, with its code for the program and its description, both as text and as the
    program's string resource."""
    texts = json.loads(description.read_text(encoding="utf-8"))["installer"]
    found = (table_texts(msi, "Property", "Property", "Value").get("ARPCOMMENTS"),
             table_texts(msi, "Shortcut", "Shortcut", "Description").get("StartMenuEntry"),
             table_texts(msi, "LaunchCondition", "Condition", "Description").get("NOT WIX_DOWNGRADE_DETECTED"))
    Check.equal(found, (texts["comment"], texts["comment"], texts["downgradeMessage"]),
                "the installed programs' comment, the Start menu entry's and the downgrade message are the "
                "description's")
    expected = comments(description)
    entries = {key: (table_texts(msi, "Shortcut", "Shortcut", "Arguments")[key], text)
               for key, text in table_texts(msi, "Shortcut", "Shortcut", "Description").items()}
    Check.equal(entries, {"StartMenuEntry": ("", texts["comment"]),
                          **{f"StartMenuEntry_{code}": (f"--lang {code}", text) for code, text in expected.items()}},
                "a Start menu entry for each language: its --lang and its description")
    Check.equal(expected["tr"] != expected["bg"] and expected["uk"] != expected["bg"], True,
                "Ukrainian and Turkish entries are not described in Bulgarian")
    codes = [l["code"] for l in json.loads(description.read_text(encoding="utf-8"))["languages"]]
    files = table_texts(msi, "Shortcut", "Shortcut", "DescriptionResourceDLL")
    numbers = table_texts(msi, "Shortcut", "Shortcut", "DescriptionResourceId")
    Check.equal({key: (files[key], numbers[key]) for key in files},
                {"StartMenuEntry": ("[#TrezolinExe]", str(first_string)),
                 **{f"StartMenuEntry_{code}": ("[#TrezolinExe]", str(first_string + i))
                    for i, code in enumerate(codes)}},
                "each entry names its language's description among the installed program's string resources (the "
                "entry without a language, Bulgarian's)")


def main():
    if len(sys.argv) != 13:
        print(__doc__)
        return 2
    msi, version, icon_file, licence, publisher = (Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3]),
                                                   Path(sys.argv[4]), sys.argv[5])
    rebuilt_msi, rebuilt_program, later_msi, later_version, work = (Path(sys.argv[6]), Path(sys.argv[7]),
                                                                   Path(sys.argv[8]), sys.argv[9], Path(sys.argv[10]))
    check_texts(msi, Path(sys.argv[11]), int(sys.argv[12]))
    shutil.rmtree(work, ignore_errors=True)
    session = XSession()
    wine = None
    try:
        wine = Wine(work / "wine", session)
        prefix = wine.prefix
        program_folder = prefix / "drive_c" / "Program Files" / "Trezolin"

        log = work / "install.log"
        status, _ = wine.run(["msiexec", "/i", windows_path(wine, msi), "/qn", "/l*v", windows_path(wine, log)])
        Check.equal(status, 0, "a silent install succeeds")
        Check.equal(log.is_file() and log.stat().st_size > 0, True, "the install writes its log where asked")
        built = msi.parent / "trezolin.exe"
        installed = program_folder / "trezolin.exe"
        Check.equal(installed.is_file() and installed.read_bytes() == built.read_bytes(), True,
                    "the program is in Program Files, as built")
        installed_licence = program_folder / "COPYING.txt"
        Check.equal(installed_licence.is_file() and installed_licence.read_bytes() == licence.read_bytes(), True,
                    "the licence is beside the program")
        shortcuts = start_menu_entries(prefix)
        Check.equal(len(shortcuts), 1, f"one Start menu entry {shortcuts}")
        Check.equal(shortcut_strings(prefix / shortcuts[0]) if shortcuts else None,
                    (json.loads(Path(sys.argv[11]).read_text(encoding="utf-8"))["installer"]["comment"], ""),
                    "without TREZOLIN_LANGUAGE the entry is described in Bulgarian and passes no --lang: the "
                    "program follows the user's language")
        entries = installed_entries(wine)
        Check.equal(len(entries), 1, "one entry in the installed programs")
        entry = next(iter(entries.values()), {})
        Check.equal((entry.get("DisplayVersion"), entry.get("Publisher")), (version, publisher),
                    "the entry shows the version and the publisher")
        icon = product_icon(wine)
        Check.equal(icon is not None and icon.is_file() and icon.read_bytes() == icon_file.read_bytes(), True,
                    f"the entry shows the program's icon {icon}")

        # Started as a teacher starts it, from the Start menu, on a screen at 150 %.
        wine.run(["reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144",
                  "/f"])
        wine.stop()
        wine = Wine(work / "wine", session)
        shortcut = windows_path(wine, prefix / shortcuts[0]) if shortcuts else ""
        program = wine.start(["start", "/wait", shortcut], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = session.find_window(TITLE)
        geometry = session.run(["xdotool", "getwindowgeometry", window]).stdout
        size = geometry.split("Geometry:")[-1].strip()
        Check.equal(size, "1049x744", "at 150 % the window is 1.5 times as large (its client area, in pixels)")
        session.close_window(TITLE)
        Check.equal(program.wait(timeout=30), 0, "the close box ends the installed program with status 0")

        status, _ = wine.run(["msiexec", "/i", windows_path(wine, msi), "/qn"])
        Check.equal((status, [v.get("DisplayVersion") for v in installed_entries(wine).values()]), (0, [version]),
                    "the same installer again succeeds and leaves one entry")

        status, _ = wine.run(["msiexec", "/i", windows_path(wine, rebuilt_msi), "/qn"])
        Check.equal(status, 0, "a rebuild of the same version installs silently over the first")
        Check.equal([v.get("DisplayVersion") for v in installed_entries(wine).values()], [version],
                    "the installed programs hold one entry of that version")
        Check.equal(installed.is_file() and installed.read_bytes() == rebuilt_program.read_bytes(), True,
                    "the rebuild's program replaced the first in Program Files")
        Check.equal(len(start_menu_entries(prefix)), 1, "one Start menu entry after the rebuild")

        status, _ = wine.run(["msiexec", "/i", windows_path(wine, later_msi), "/qn"])
        Check.equal(status, 0, "a later version installs silently over the first")
        Check.equal([v.get("DisplayVersion") for v in installed_entries(wine).values()], [later_version],
                    "the installed programs hold the later version alone")
        Check.equal(len(start_menu_entries(prefix)), 1, "still one Start menu entry")
        later_icon = product_icon(wine)
        Check.equal(later_icon is not None and later_icon.is_file(), True, "the later version's entry has its icon")

        log = work / "uninstall.log"
        status, _ = wine.run(["msiexec", "/x", windows_path(wine, later_msi), "/qn", "/l*v", windows_path(wine, log)])
        Check.equal(status, 0, "a silent uninstall succeeds")
        Check.equal(log.is_file() and log.stat().st_size > 0, True, "the uninstall writes its log where asked")
        Check.equal((program_folder.exists(), start_menu_entries(prefix), installed_entries(wine),
                     later_icon and later_icon.exists()), (False, [], {}, False),
                    "nothing left behind: no folder in Program Files, no Start menu entry, no installed programs' "
                    "entry, no icon")

        # A class in Ukrainian, and one in Turkish: the language a public property of the install, on the
        # Start menu entry. Turkish is the language the installer's codepage cannot hold: an installer that
        # reads the entry's string resource (Windows Installer 4.0 and later) describes it in Turkish, one that
        # reads only the plain description (Wine 8) in English.
        plain = comments(Path(sys.argv[11]))
        data = json.loads(Path(sys.argv[11]).read_text(encoding="utf-8"))
        own = {l["code"]: l["translations"].get(data["installer"]["comment"]) for l in data["languages"]}
        for code in ("uk", "tr"):
            status, _ = wine.run(["msiexec", "/i", windows_path(wine, msi), "/qn", f"TREZOLIN_LANGUAGE={code}"])
            shortcuts = start_menu_entries(prefix)
            Check.equal((status, len(shortcuts)), (0, 1), f"TREZOLIN_LANGUAGE={code} installs one Start menu entry")
            description, arguments = shortcut_strings(prefix / shortcuts[0]) if shortcuts else (None, None)
            Check.equal((description in {own[code], plain[code]}, arguments), (True, f"--lang {code}"),
                        f"it starts the program with --lang {code} and is described in its language or, where the "
                        f"installer reads no string resource and its codepage lacks the letters, in English "
                        f"({description})")
            status, _ = wine.run(["msiexec", "/x", windows_path(wine, msi), "/qn"])
            Check.equal((status, start_menu_entries(prefix)), (0, []), "its uninstall removes the entry")
    finally:
        if wine:
            wine.stop()
        session.stop()
        shutil.rmtree(work, ignore_errors=True)

    return Check.status()


if __name__ == "__main__":
    sys.exit(main())
