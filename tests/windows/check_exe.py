#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Windows program as one file: it needs no DLL beyond Windows' own, and
it carries the version of the build and a manifest asking for common
controls 6 and per-monitor DPI awareness.

  check_exe.py TREZOLIN_EXE VERSION
"""

import re
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from scenario import Check  # noqa: E402

WINDOWS_DLLS = {"KERNEL32.dll", "USER32.dll", "GDI32.dll", "COMCTL32.dll", "OLEACC.dll", "ole32.dll",
                "OLEAUT32.dll", "msvcrt.dll"}


def resource(exe, kind):
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["wrestool", "--extract", "--raw", f"--type={kind}", f"--output={folder}", str(exe)], check=True)
        return b"".join(p.read_bytes() for p in sorted(Path(folder).iterdir()))


def main():
    exe, version = Path(sys.argv[1]), sys.argv[2]
    headers = subprocess.run(["x86_64-w64-mingw32-objdump", "--private-headers", str(exe)], check=True,
                             capture_output=True, text=True).stdout
    dlls = set(re.findall(r"DLL Name: (\S+)", headers))
    Check.equal(dlls - WINDOWS_DLLS, set(), f"no DLL beyond Windows' own ({', '.join(sorted(dlls))})")

    strings = resource(exe, 16).decode("utf-16-le", "replace")
    found = {name: re.search(name + r"\x00+([^\x00]*)", strings) for name in ("FileVersion", "ProductVersion")}
    Check.equal({name: m.group(1) if m else None for name, m in found.items()},
                {"FileVersion": version, "ProductVersion": version}, "the version information")

    manifest = resource(exe, 24).decode("utf-8", "replace")
    Check.equal(("Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest,
                 "PerMonitorV2" in manifest), (True, True), "the manifest: common controls 6, per-monitor DPI")
    identity = re.search(r'<assemblyIdentity type="win32" name="Trezolin" version="([^"]*)"', manifest)
    Check.equal(identity.group(1) if identity else None, f"{version}.0", "the manifest names the program's version")

    return Check.status()


if __name__ == "__main__":
    sys.exit(main())
