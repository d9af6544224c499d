#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the npm packages that the page's end-to-end tests inject into the
# page (axe-core), exactly as package-lock.json pins them, when they are
# missing or older than the lock file. Nothing is fetched when they are there.
set -eu
cd "$(dirname "$0")"
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund
fi
