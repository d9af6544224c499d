#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes what the package says about its releases from NEWS.md, the one
changelog: the metainfo's list of releases and developer, the manual page
with the version and its date, and the package's changelog.gz in Debian's
format. Every date comes from NEWS.md, so two builds write the same bytes."""

import argparse
import datetime
import gzip
import html
import re
import sys
import textwrap
from pathlib import Path

HEADING = re.compile(r"^## (\d+\.\d+\.\d+) \((\d{4}-\d{2}-\d{2})\)$")


def read_news(path):
    """The releases, newest first: (version, date, [change, ...])."""
    releases = []
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        heading = HEADING.match(line)
        if heading:
            version, date = heading.groups()
            releases.append((version, datetime.date.fromisoformat(date), []))
        elif line.startswith("## "):
            sys.exit(f"{path}: a release heading reads '## <version> (<yyyy-mm-dd>)': {line}")
        elif releases and line.startswith("- "):
            releases[-1][2].append(line[2:].strip())
        elif releases and line.startswith("  ") and line.strip() and releases[-1][2]:
            releases[-1][2][-1] += " " + line.strip()
    if not releases or not all(changes for _, _, changes in releases):
        sys.exit(f"{path}: every release needs at least one '- ' line")
    # Markdown's code marks are for the page on the forge, not for the package.
    return [(v, d, [c.replace("`", "") for c in changes]) for v, d, changes in releases]


def fill(template, values):
    text = Path(template).read_text(encoding="utf-8")
    for name, value in values.items():
        text = text.replace(f"@{name}@", value)
    left = re.findall(r"@[A-Z_]+@", text)
    if left:
        sys.exit(f"{template}: nothing to fill in for {', '.join(left)}")
    return text


def write_gzip(path, text):
    # Highest compression, no name and no time in the header, as Debian wants.
    with open(path, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw,
                                                compresslevel=9, mtime=0) as out:
        out.write(text.encode("utf-8"))


def metainfo_releases(releases):
    lines = []
    for version, date, changes in releases:
        lines.append(f'    <release version="{version}" date="{date.isoformat()}">')
        lines.append("      <description>")
        lines.append("        <ul>")
        lines += [f"          <li>{html.escape(c, quote=False)}</li>" for c in changes]
        lines.append("        </ul>")
        lines.append("      </description>")
        lines.append("    </release>")
    return "\n".join(lines)


def debian_changelog(releases, maintainer):
    entries = []
    for version, date, changes in releases:
        noon = datetime.datetime.combine(date, datetime.time(12), datetime.timezone.utc)
        items = "\n".join(textwrap.fill(c, width=78, initial_indent="  * ", subsequent_indent="    ",
                                        break_on_hyphens=False)
                          for c in changes)
        entries.append(f"trezolin ({version}) unstable; urgency=medium\n\n{items}\n\n"
                       f" -- {maintainer}  {noon.strftime('%a, %d %b %Y %H:%M:%S +0000')}\n")
    return "\n".join(entries)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--news", required=True)
    parser.add_argument("--version", required=True, help="the project's version")
    parser.add_argument("--maintainer", required=True, help='"Name <address>"')
    parser.add_argument("--metainfo", nargs=2, metavar=("TEMPLATE", "OUT"), required=True)
    parser.add_argument("--manual", nargs=2, metavar=("TEMPLATE", "OUT_GZ"), required=True)
    parser.add_argument("--changelog", metavar="OUT_GZ", required=True)
    args = parser.parse_args()

    releases = read_news(args.news)
    newest, date, _ = releases[0]
    if newest != args.version:
        sys.exit(f"{args.news}: the newest release is {newest}, the project's version is {args.version}: "
                 f"add a heading for {args.version}")
    name = re.match(r"^\s*([^<]*?)\s*<[^>]+>\s*$", args.maintainer)
    if not name or not name.group(1):
        sys.exit(f'the maintainer must read "Name <address>": {args.maintainer}')

    Path(args.metainfo[1]).write_text(fill(args.metainfo[0], {
        "DEVELOPER_NAME": html.escape(name.group(1), quote=False),
        "RELEASES": metainfo_releases(releases),
    }), encoding="utf-8")
    write_gzip(args.manual[1], fill(args.manual[0], {"VERSION": newest, "DATE": date.isoformat()}))
    write_gzip(args.changelog, debian_changelog(releases, args.maintainer))


if __name__ == "__main__":
    main()
