#!/usr/bin/python3
"""Writes the Debian changelog from releases.xml, which the metainfo's
release notes also come from: one entry for each release, newest first, its
English paragraphs as the entry's items.

   releases.py RELEASES.xml "NAME <ADDRESS>" OUTPUT
"""
import sys
import textwrap
import xml.etree.ElementTree as ET
from datetime import date

LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def entries(path):
    releases = ET.parse(path).getroot()
    if releases.tag != "releases" or not len(releases):
        sys.exit(f"{path}: no <releases> with a <release> in it")
    for release in releases:
        version, day = release.get("version"), date.fromisoformat(release.get("date"))
        notes = [" ".join(p.text.split()) for p in release.iterfind("description/p") if p.get(LANG) is None]
        if not version or not notes:
            sys.exit(f"{path}: a release needs a version and notes in English")
        yield version, day, notes


def main():
    source, maintainer, output = sys.argv[1:4]
    made = []
    previous = None
    for version, day, notes in entries(source):
        if previous is not None and day > previous:
            sys.exit(f"{source}: {version} is dated after the release above it")
        previous = day
        items = "\n".join(textwrap.fill(n, 78, initial_indent="  * ", subsequent_indent="    ") for n in notes)
        # Noon, so that the day reads the same in every time zone.
        stamp = day.strftime("%a, %d %b %Y") + " 12:00:00 +0000"
        made.append(f"kestrova ({version}) unstable; urgency=medium\n\n{items}\n\n -- {maintainer}  {stamp}\n")
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(made))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main()
