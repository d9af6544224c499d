#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks a release folder as a teacher or an administrator receives it: every
# download is there, its checksum holds, and each carries the one version.
# Usage: check_release.sh RELEASE_FOLDER
set -euo pipefail
dir=$1
version=${dir##*/Trezolin-}
fail() { echo "release check: $*" >&2; exit 1; }

expected=(
  "trezolin_${version}_amd64.deb"
  "trezolin-$version.html"
  "trezolin-$version-site.zip"
  "trezolin-$version-x64.msi"
  "trezolin-$version-portable.exe"
  SHA256SUMS
)
for f in "${expected[@]}"; do
  [ -s "$dir/$f" ] || fail "$f is missing or empty"
done
extra=$(cd "$dir" && ls -1 | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$extra" ] || fail "unexpected files: $extra"

(cd "$dir" && sha256sum --check --strict --quiet SHA256SUMS) || fail "a checksum does not hold"
[ "$(wc -l < "$dir/SHA256SUMS")" -eq 5 ] || fail "SHA256SUMS does not list the five downloads"

[ "$(dpkg-deb --field "$dir/trezolin_${version}_amd64.deb" Version)" = "$version" ] || fail "the package's version"
msi_version=$(msiinfo export "$dir/trezolin-$version-x64.msi" Property | sed -n 's/^ProductVersion\t//p' | tr -d '\r')
[ "$msi_version" = "$version" ] || fail "the installer's version is '$msi_version'"
# The program's version resource holds its version as UTF-16 text.
wrestool --extract --raw --type=16 "$dir/trezolin-$version-portable.exe" | iconv -f UTF-16LE -t UTF-8 -c |
  grep -q "$version" || fail "the Windows program carries no version $version"
/usr/bin/python3 -m zipfile -l "$dir/trezolin-$version-site.zip" | grep -qE '^index\.html ' || fail "the site folder has no index.html"
/usr/bin/python3 -m zipfile -l "$dir/trezolin-$version-site.zip" | grep -qE '(\.webmanifest|manifest\.json) ' || fail "the site folder has no manifest"
grep -q 'Content-Security-Policy' "$dir/trezolin-$version.html" || fail "the page has no security policy"
grep -q "require-trusted-types-for 'script'" "$dir/trezolin-$version.html" || fail "the page's policy does not require Trusted Types"
grep -q '// @license magnet:.* GPL-3.0-or-later' "$dir/trezolin-$version.html" || fail "the page's scripts name no licence"
# The page shows its version under the window; the site's worker names its cache with it.
grep -q ">Trezolin $version ·" "$dir/trezolin-$version.html" || fail "the page shows no version $version"
/usr/bin/python3 -c 'import sys, zipfile; sys.exit(sys.argv[2] not in zipfile.ZipFile(sys.argv[1]).read("service-worker.js").decode())' \
  "$dir/trezolin-$version-site.zip" '${PREFIX}'"$version " || fail "the site's worker does not name its cache with version $version"
echo "release check passed: $dir"
