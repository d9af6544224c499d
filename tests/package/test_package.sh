#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs Trezolin as a teacher would: validates the desktop entry and the
# AppStream metainfo, translated into every language of po/LINGUAS, installs
# under a scratch prefix, builds the Debian
# package and has lintian check it, reads its program's hardening and its
# --version and --help, installs it with dpkg, starts the installed program in a real X
# server, checks that its window appears and closes it, then removes the
# package again.
# Usage: test_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
# The desktop id as the description gives it to the build.
app_id=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["desktopId"])' "$build/design/window.json")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "-- validating the desktop entry and the metainfo"
desktop-file-validate "$src/packaging/$app_id.desktop"
desktop-file-validate "$build/packaging/$app_id.desktop"
appstreamcli validate --no-net "$build/packaging/$app_id.metainfo.xml"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

echo "-- the release notes, the metainfo's releases and developer, all from NEWS.md and the maintainer"
news_date=$(sed -n "s/^## $version (\([0-9-]*\))\$/\1/p" "$src/NEWS.md")
[ -n "$news_date" ] || { echo "NEWS.md has no entry for $version"; exit 1; }
metainfo=$(cat "$build/packaging/$app_id.metainfo.xml")
[[ $metainfo == *"<release version=\"$version\" date=\"$news_date\">"* ]] ||
  { echo "the metainfo does not name release $version of $news_date"; exit 1; }
[[ $metainfo == *"<project_license>GPL-3.0-or-later</project_license>"* ]] || { echo "the metainfo names no licence"; exit 1; }
maintainer=$(sed -n 's/^TREZOLIN_MAINTAINER:STRING=//p' "$build/CMakeCache.txt")
[[ $metainfo == *"<developer_name translate=\"no\">${maintainer%% <*}</developer_name>"* ]] ||
  { echo "the metainfo's developer is not $maintainer"; exit 1; }
changelog=$(zcat "$build/packaging/changelog.gz")
[[ $(head -n 1 <<<"$changelog") == "trezolin ($version) unstable; urgency=medium" ]] ||
  { echo "changelog.gz does not begin with $version"; exit 1; }
grep -qF -- " -- $maintainer  " <<<"$changelog" || { echo "changelog.gz is not signed by $maintainer"; exit 1; }
# A version without its entry in NEWS.md stops the build.
refusal=$(/usr/bin/python3 "$src/packaging/news.py" --news "$src/NEWS.md" --version 0.0.1 --maintainer "$maintainer" \
            --metainfo "$src/packaging/$app_id.metainfo.xml.in" "$work/m.xml" \
            --manual "$src/packaging/trezolin.1.in" "$work/t.1.gz" --changelog "$work/c.gz" 2>&1) &&
  { echo "the release notes were made for a version NEWS.md does not have"; exit 1; }
[[ $refusal == *"add a heading for 0.0.1"* ]] || { echo "unexpected answer for a version without notes: $refusal"; exit 1; }

echo "-- installing under a scratch prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/trezolin share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml; do
  test -f "$work/prefix/$f" || { echo "missing $f"; exit 1; }
done
for side in 16 24 32 48 64 128 256 512; do
  icon="$work/prefix/share/icons/hicolor/${side}x${side}/apps/$app_id.png"
  [[ $(file "$icon") == *"PNG image data, $side x $side"* ]] || { echo "bad icon $icon"; exit 1; }
done
[[ $(file "$work/prefix/share/icons/hicolor/scalable/apps/$app_id.svg") == *"SVG"* ]] || { echo "no scalable icon"; exit 1; }

echo "-- building the Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/trezolin_*.deb)
dpkg-deb --field "$deb" Package Version Depends
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || { echo "Qt is missing from Depends"; exit 1; }
contents=$(dpkg-deb --contents "$deb")
[[ $contents == *" ./usr/bin/trezolin"* ]] || { echo "no /usr/bin/trezolin in the package"; exit 1; }
[[ $contents == *"./usr/share/applications/$app_id.desktop"* ]] || { echo "no desktop entry in the package"; exit 1; }
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/trezolin/copyright > "$work/copyright"
# Trezolin's own stanza comes first, before what the program holds from others.
[[ $(grep -m 2 -A 1 '^Files:' "$work/copyright" | tr '\n' ' ') == "Files: * Copyright: 2026 The Trezolin developers "* ]] ||
  { echo "the copyright file does not begin with Trezolin's own stanza"; exit 1; }
grep -q '^Files: fast_float/' "$work/copyright" || { echo "the copyright file leaves out fast_float"; exit 1; }

echo "-- Debian's package checker: no errors, no warnings"
lintian_status=0
lintian_out=$(lintian --fail-on error,warning "$deb" 2>&1) || lintian_status=$?
echo "$lintian_out"
if [ "$lintian_status" -ne 0 ] || grep -Eq '^(E|W):' <<<"$lintian_out"; then
  echo "lintian finds errors or warnings in the package (status $lintian_status)"; exit 1
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"

echo "-- the package's desktop entry and metainfo in every language"
# Bulgarian is the untranslated text; every catalogue adds its own, and the
# desktop entry offers one action per language, named in that language.
/usr/bin/python3 - "$root/usr/share/applications/$app_id.desktop" \
  "$root/usr/share/metainfo/$app_id.metainfo.xml" "$src/po/LINGUAS" <<'PY'
import configparser
import sys
import xml.etree.ElementTree as ET

desktop_path, metainfo_path, linguas = sys.argv[1:]
languages = [line.strip() for line in open(linguas, encoding="utf-8")
             if line.strip() and not line.startswith("#")]
problems = []


# The languages' names in themselves, as a pupil knows them; a language added
# later needs only some name.
OWN_NAMES = {"bg": "Български", "en": "English", "uk": "Українська", "tr": "Türkçe"}


entry = configparser.ConfigParser(interpolation=None)
entry.optionxform = str
entry.read(desktop_path, encoding="utf-8")
main = entry["Desktop Entry"]
for language in languages:
    for key in ("GenericName", "Comment", "Keywords"):
        text = main.get(f"{key}[{language}]", "")
        if not text or text == main[key]:
            problems.append(f"the desktop entry has no {key}[{language}] of its own: {text!r}")
actions = [action for action in main["Actions"].split(";") if action]
if actions != ["bg"] + languages:
    problems.append(f"the desktop entry's actions are {actions}, not bg and {languages}")
for action in actions:
    group = entry[f"Desktop Action {action}"] if entry.has_section(f"Desktop Action {action}") else {}
    if group.get("Exec") != f"trezolin --lang {action}":
        problems.append(f"action {action} runs {group.get('Exec')!r}")
    if not group.get("Name") or group.get("Name") != OWN_NAMES.get(action, group.get("Name")):
        problems.append(f"action {action} is named {group.get('Name')!r}, not {OWN_NAMES.get(action)!r}")
    translated = [key for key in group if key.startswith("Name[")]
    if translated:
        problems.append(f"action {action}'s name is translated: {translated}")
if any(key.startswith("Name[") for key in main):
    problems.append("the program's name is translated")

lang = "{http://www.w3.org/XML/1998/namespace}lang"
component = ET.parse(metainfo_path).getroot()
for element in ("summary", "description/p"):
    texts = {node.get(lang): node.text.strip() for node in component.findall(element)}
    for language in languages:
        if not texts.get(language) or texts[language] == texts.get(None):
            problems.append(f"the metainfo has no {element} in xml:lang=\"{language}\" of its own")
    if not texts.get(None) or not any("\u0400" <= c <= "\u04ff" for c in texts[None]):
        problems.append(f"the metainfo's untranslated {element} is not the Bulgarian one: {texts.get(None)!r}")

for problem in problems:
    print(problem)
if problems:
    sys.exit(1)
print(f"desktop entry and metainfo in bg and {', '.join(languages)}; actions {', '.join(actions)}")
PY
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

echo "-- the package's program, hardened as Debian's own"
bin="$root/usr/bin/trezolin"
headers=$(readelf -hldW "$bin")
grep -Eq 'Type: +DYN' <<<"$headers" || { echo "the program is not position-independent (PIE)"; exit 1; }
grep -q GNU_RELRO <<<"$headers" || { echo "no read-only relocations (RELRO)"; exit 1; }
grep -Eq 'BIND_NOW|Flags:.* NOW' <<<"$headers" || { echo "relocations are not bound at start (BIND_NOW)"; exit 1; }
symbols=$(readelf --dyn-syms -W "$bin")
grep -q ' __stack_chk_fail@' <<<"$symbols" || { echo "no stack protector (__stack_chk_fail)"; exit 1; }
grep -Eq ' __[a-z0-9_]+_chk@' <<<"$symbols" || { echo "no fortified C library call (a _chk function)"; exit 1; }

echo "-- --version and --help without a display, and the manual page saying the same"
version_out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version)
echo "$version_out"
[[ $(head -n 1 <<<"$version_out") == "trezolin $version" ]] || { echo "--version does not name $version first"; exit 1; }
grep -q '^License GPL-3.0-or-later: ' <<<"$version_out" || { echo "--version names no licence"; exit 1; }
help_out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --help)
manual=$(zcat "$root/usr/share/man/man1/trezolin.1.gz" | sed 's/\\-/-/g')
grep -q "^\.TH TREZOLIN 1 .*\"Trezolin $version\"" <<<"$manual" || { echo "the manual page is not for $version"; exit 1; }
options=$(grep -E '^ +-' <<<"$help_out" | grep -oE -- '--?[a-z][a-z-]*')
[[ $options == *--help* && $options == *--version* ]] || { echo "--help lists no --help or --version: $help_out"; exit 1; }
for option in $options; do
  grep -Eq -- "(^|[^-a-z])$option([^-a-z]|\$)" <<<"$manual" || { echo "the manual page leaves out $option"; exit 1; }
done

if [ "$(id -u)" -ne 0 ]; then
  echo "-- not root: installing the package with dpkg is left out"
  exit 77
fi
if dpkg-query -W -f='${db:Status-Status}' trezolin 2>/dev/null | grep -qx installed; then
  echo "-- a trezolin package is installed already: leaving it alone"
  exit 77
fi

echo "-- installing the package"
dpkg -i "$deb" >/dev/null
trap 'dpkg -r trezolin >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
test -x /usr/bin/trezolin
test -f /usr/share/applications/$app_id.desktop

echo "-- starting the installed program under Xvfb"
python3 - "$src/tests/e2e" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
from x_session import XSession
session = XSession()
program = session.start(["/usr/bin/trezolin"])
try:
    window = session.find_window("Trezolin")
    print("window", window, "is shown")
    session.close_window("Trezolin")
    status = program.wait(timeout=15)
    if status != 0:
        sys.exit(f"the installed program exited with status {status}")
finally:
    if program.poll() is None:
        program.kill()
    session.stop()
PY

echo "-- removing the package"
dpkg -r trezolin >/dev/null
test ! -e /usr/bin/trezolin
echo "package test passed"
