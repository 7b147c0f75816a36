#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the Debian package's changelog.gz from the releases the AppStream
metainfo lists, so the release notes are kept in one place.

A native package carries its changelog as usr/share/doc/PACKAGE/changelog.gz
in Debian's format, newest entry first. The newest release must be the version
being packaged. Compressed without a name or a time stamp, as Debian wants it,
so that the same sources always make the same file.

Usage: make-changelog.py METAINFO PACKAGE VERSION MAINTAINER OUTPUT.gz
"""

import datetime
import gzip
import sys
import textwrap
import xml.etree.ElementTree as ET


def entries(metainfo):
    for release in ET.parse(metainfo).getroot().iterfind("releases/release"):
        notes = release.find("description")
        # Untranslated paragraphs and list items only: the changelog is English.
        items = [] if notes is None else [
            " ".join("".join(node.itertext()).split())
            for node in notes.iter()
            if node.tag in ("p", "li") and "{http://www.w3.org/XML/1998/namespace}lang" not in node.attrib
        ]
        yield release.get("version"), datetime.date.fromisoformat(release.get("date")), items


def changelog(metainfo, package, version, maintainer):
    releases = list(entries(metainfo))
    if not releases or releases[0][0] != version:
        newest = releases[0][0] if releases else "none"
        sys.exit(f"make-changelog.py: the metainfo's newest release is {newest}, the project is {version}")
    text = []
    for number, date, items in releases:
        text.append(f"{package} ({number}) unstable; urgency=medium\n\n")
        for item in items or [f"Release {number}."]:
            text.append(textwrap.fill(item, 80, initial_indent="  * ", subsequent_indent="    ") + "\n")
        stamp = datetime.datetime.combine(date, datetime.time(), datetime.timezone.utc)
        text.append(f"\n -- {maintainer}  {stamp.strftime('%a, %d %b %Y %H:%M:%S %z')}\n\n")
    return "".join(text).rstrip("\n") + "\n"


def main(metainfo, package, version, maintainer, output):
    text = changelog(metainfo, package, version, maintainer).encode()
    with open(output, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as out:
        out.write(text)


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(*sys.argv[1:])
