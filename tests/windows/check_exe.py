#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Windows program as one file: it needs no DLL beyond Windows' own; it
carries the version of the build, the licence in its version information and
a manifest asking for common controls 6 and per-monitor DPI awareness; it is
hardened (ASLR with 64-bit addresses, DEP, the stack protector) and has no
link time in it, so that one commit always gives the same bytes. It carries
the Start menu entry's description in each language, whole, as the string
resources from FIRST_STRING on that the installer's entries name (the texts
are the window description's, DESCRIPTION: window.json).

  check_exe.py TREZOLIN_EXE VERSION DESCRIPTION FIRST_STRING
"""

import json
import sys
from pathlib import Path

import pefile

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from scenario import Check  # noqa: E402

# ADVAPI32 gives the stack protector its random guard; SHELL32 splits the command line (--lang).
WINDOWS_DLLS = {"ADVAPI32.dll", "KERNEL32.dll", "USER32.dll", "GDI32.dll", "COMCTL32.dll", "OLEACC.dll", "ole32.dll",
                "OLEAUT32.dll", "SHELL32.dll", "msvcrt.dll"}
HARDENING = {
    "ASLR": pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE"],
    "ASLR with 64-bit addresses": pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA"],
    "DEP": pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_NX_COMPAT"],
}


def resource(pe, kind):
    """The bytes of every resource of one type."""
    found = []
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        if entry.id == kind:
            for name in entry.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    found.append(pe.get_data(data.OffsetToData, data.Size))
    return b"".join(found)


def string_resources(pe):
    """{number: text} of every string resource. Block b holds the numbers 16 (b - 1) to 16 b - 1, each
    string its length in UTF-16 units and then its units; an empty one is absent."""
    strings = {}
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        if entry.id != pefile.RESOURCE_TYPE["RT_STRING"]:
            continue
        for block in entry.directory.entries:
            for language in block.directory.entries:
                data = language.data.struct
                raw = pe.get_data(data.OffsetToData, data.Size)
                at = 0
                for number in range((block.id - 1) * 16, block.id * 16):
                    length = int.from_bytes(raw[at:at + 2], "little")
                    if length:
                        strings[number] = raw[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                    at += 2 + 2 * length
    return strings


def start_menu_descriptions(description, first_string):
    """{code: (number, text)}: the Start menu entry's description in each language, numbered in the
    description's order."""
    data = json.loads(description.read_text(encoding="utf-8"))
    comment = data["installer"]["comment"]
    return {l["code"]: (first_string + i, l["translations"].get(comment, comment))
            for i, l in enumerate(data["languages"])}


def beyond_installer_codepage(text):
    """Whether the installer's own codepage (1251) lacks a letter of the text."""
    try:
        text.encode("cp1251")
    except UnicodeEncodeError:
        return True
    return False


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for block in info:
            for table in getattr(block, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 2
    exe, version, description, first_string = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3]), int(sys.argv[4])
    pe = pefile.PE(str(exe))

    dlls = {entry.dll.decode() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    Check.equal(dlls - WINDOWS_DLLS, set(), f"no DLL beyond Windows' own ({', '.join(sorted(dlls))})")

    strings = version_strings(pe)
    Check.equal({name: strings.get(name) for name in ("FileVersion", "ProductVersion")},
                {"FileVersion": version, "ProductVersion": version}, "the version information")
    Check.equal("GPL-3.0-or-later" in strings.get("LegalCopyright", ""), True,
                f"the version information names the licence ({strings.get('LegalCopyright')})")

    manifest = resource(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"]).decode("utf-8", "replace")
    Check.equal(("Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest,
                 "PerMonitorV2" in manifest), (True, True), "the manifest: common controls 6, per-monitor DPI")
    Check.equal(f'<assemblyIdentity type="win32" name="Trezolin" version="{version}.0"' in manifest, True,
                "the manifest names the program's version")

    expected = start_menu_descriptions(description, first_string)
    strings = string_resources(pe)
    Check.equal({code: (number, strings.get(number)) for code, (number, text) in expected.items()}, expected,
                "the Start menu entry's description in each language, whole, as the string resources the installer "
                "names")
    turkish = strings.get(expected["tr"][0], "")
    Check.equal((beyond_installer_codepage(turkish), sorted(set(turkish) & set("ğşıİçöü")) != []), (True, True),
                f"the Turkish one ({turkish}) in its own letters, which the installer's codepage lacks")

    characteristics = pe.OPTIONAL_HEADER.DllCharacteristics
    Check.equal({name: bool(characteristics & flag) for name, flag in HARDENING.items()},
                {name: True for name in HARDENING}, "hardened: ASLR, 64-bit addresses, DEP")
    relocations_stripped = pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_RELOCS_STRIPPED"]
    Check.equal(bool(pe.FILE_HEADER.Characteristics & relocations_stripped), False,
                "the program keeps its relocations, so ASLR can move it")
    # The stack protector's runtime is linked in only where a function is protected.
    Check.equal(pe.__data__.find(b"*** stack smashing detected ***") >= 0, True,
                "built with the stack protector (libssp linked in)")
    Check.equal(pe.FILE_HEADER.TimeDateStamp, 0, "no link time in the program")

    return Check.status()


if __name__ == "__main__":
    sys.exit(main())
