#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks a release folder as a teacher or an administrator receives it: every
# download is there under a name with the version, its checksum holds, and the
# package, the installer, the Windows program and the source carry the version
# inside too. Then it builds the same commit again, in a fresh clone at
# another path, and checks that every file comes out byte for byte the same.
# Usage: check_release.sh RELEASE_FOLDER
set -euo pipefail
dir=$(cd "$1" && pwd)
version=${dir##*/Trezolin-}
repo=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "release check: $*" >&2; exit 1; }

expected=(
  "trezolin_${version}_amd64.deb"
  "trezolin-$version.html"
  "trezolin-$version-site.zip"
  "trezolin-$version-x64.msi"
  "trezolin-$version-portable.exe"
  "trezolin-$version.tar.gz"
  SHA256SUMS
)
for f in "${expected[@]}"; do
  [ -s "$dir/$f" ] || fail "$f is missing or empty"
done
extra=$(cd "$dir" && ls -1 | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$extra" ] || fail "unexpected files: $extra"

(cd "$dir" && sha256sum --check --strict --quiet SHA256SUMS) || fail "a checksum does not hold"
[ "$(wc -l < "$dir/SHA256SUMS")" -eq 6 ] || fail "SHA256SUMS does not list the six downloads"

[ "$(dpkg-deb --field "$dir/trezolin_${version}_amd64.deb" Version)" = "$version" ] || fail "the package's version"
msi_version=$(msiinfo export "$dir/trezolin-$version-x64.msi" Property | sed -n 's/^ProductVersion\t//p' | tr -d '\r')
[ "$msi_version" = "$version" ] || fail "the installer's version is '$msi_version'"
# The program's version information, read as the program's own check reads it.
exe_versions=$(/usr/bin/python3 -c '
import sys
sys.path.insert(0, sys.argv[1])
import pefile
from check_exe import version_strings
strings = version_strings(pefile.PE(sys.argv[2]))
print(strings.get("FileVersion"), strings.get("ProductVersion"))
' "$repo/tests/windows" "$dir/trezolin-$version-portable.exe")
[ "$exe_versions" = "$version $version" ] || fail "the Windows program's file and product versions are $exe_versions"
# Listed first, then searched: grep -q stops reading at its first match.
site=$(/usr/bin/python3 -m zipfile -l "$dir/trezolin-$version-site.zip")
grep -qE '^index\.html ' <<<"$site" || fail "the site folder has no index.html"
grep -qE '(\.webmanifest|manifest\.json) ' <<<"$site" || fail "the site folder has no manifest"
grep -q 'Content-Security-Policy' "$dir/trezolin-$version.html" || fail "the page has no security policy"
grep -q "require-trusted-types-for 'script'" "$dir/trezolin-$version.html" || fail "the page's policy does not require Trusted Types"
grep -q '// @license magnet:.* GPL-3.0-or-later' "$dir/trezolin-$version.html" || fail "the page's scripts name no licence"
# The page shows its version under the window; the site's worker names its cache with it.
grep -q ">Trezolin $version ·" "$dir/trezolin-$version.html" || fail "the page shows no version $version"
/usr/bin/python3 -c 'import sys, zipfile; sys.exit(sys.argv[2] not in zipfile.ZipFile(sys.argv[1]).read("service-worker.js").decode())' \
  "$dir/trezolin-$version-site.zip" '${PREFIX}'"$version " || fail "the site's worker does not name its cache with version $version"

# The source: the tracked tree in one folder named with the version, whose
# CMakeLists.txt sets that version, with the licence.
sources=$(tar -tzf "$dir/trezolin-$version.tar.gz")
[ "$(printf '%s\n' "$sources" | cut -d/ -f1 | sort -u)" = "trezolin-$version" ] || fail "the source is not all in trezolin-$version/"
for f in CMakeLists.txt COPYING LICENSES/GPL-3.0-or-later.txt scripts/release; do
  grep -qxF "trezolin-$version/$f" <<<"$sources" || fail "the source lacks $f"
done
top=$(tar -xzOf "$dir/trezolin-$version.tar.gz" "trezolin-$version/CMakeLists.txt")
grep -qE "^ *VERSION $version\$" <<<"$top" ||
  fail "the source's CMakeLists.txt does not set version $version"

# The same commit once more, in a fresh clone at another path and a later
# time: every download must come out the same.
[ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ] ||
  fail "$repo has uncommitted changes: the release is not the commit's, so it cannot be rebuilt from it"
second=$(mktemp -d /tmp/trezolin-second-clone.XXXXXX)
trap 'rm -rf "$second"' EXIT
git clone --quiet --no-checkout "$repo" "$second/trezolin"
git -C "$second/trezolin" checkout --quiet --detach "$(git -C "$repo" rev-parse HEAD)"
echo "release check: building the release again in $second/trezolin" >&2
again=$("$second/trezolin/scripts/release" 2>/dev/null | tail -n 1)
if ! cmp -s "$dir/SHA256SUMS" "$again/SHA256SUMS"; then
  diff "$dir/SHA256SUMS" "$again/SHA256SUMS" >&2 || true
  for f in $(diff "$dir/SHA256SUMS" "$again/SHA256SUMS" | sed -n 's/^< [0-9a-f]*  //p'); do
    diffoscope --text - "$dir/$f" "$again/$f" 2>/dev/null | head -n 40 >&2 || true
  done
  fail "a second build of the same commit gives other bytes"
fi
echo "release check passed: $dir (rebuilt the same in a second clone)"
