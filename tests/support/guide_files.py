#!/usr/bin/python3
"""What the teachers' guide promises about the downloads, read from the page
a download carries (za-uchitelya.html).

The guide's table of downloads has a row for each: the download's file name
in its first cell (or no file name, for the site), and the files it holds in
its third, each as code. Every other file name the guide gives as code must
be one of those, so that a teacher never looks for a file no download has.

   guide_files.py GUIDE.html COPY < LISTING

COPY is a download's file name, as the guide gives it, or "site"; LISTING is
that copy's files, one path a line (a folder ends in /). Prints each file the
guide says the copy holds but the listing lacks, and each file the guide
names that no download holds; exits 1 if there is any.
"""
import sys
from html.parser import HTMLParser


class _Page(HTMLParser):
    """Every code element's text, and the tables' rows of data (not their
    headings) as lists of cells, each cell the code texts in it."""

    def __init__(self):
        super().__init__()
        self.codes, self.rows = [], []
        self._row = self._cell = self._code = None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self._row = []
        elif tag == "td" and self._row is not None:
            self._cell = []
        elif tag == "code":
            self._code = ""

    def handle_endtag(self, tag):
        if tag == "code" and self._code is not None:
            self.codes.append(self._code)
            if self._cell is not None:
                self._cell.append(self._code)
            self._code = None
        elif tag == "td" and self._cell is not None:
            self._row.append(self._cell)
            self._cell = None
        elif tag == "tr" and self._row is not None:
            if self._row:
                self.rows.append(self._row)
            self._row = None

    def handle_data(self, data):
        if self._code is not None:
            self._code += data


def _file_names(codes):
    # Commands are code too; a file's name has no blank.
    return [code for code in codes if code and not any(c.isspace() for c in code)]


def downloads(page_html):
    """{download: [files the guide says it holds]}, the site's under "site"."""
    page = _Page()
    page.feed(page_html)
    said = {}
    for row in page.rows:
        if len(row) < 3:
            continue
        first = _file_names(row[0])
        said[first[0] if first else "site"] = _file_names(row[2])
    return said


def unaccounted(page_html):
    """The file names the guide gives that are neither a download nor in one."""
    page = _Page()
    page.feed(page_html)
    said = downloads(page_html)
    known = set(said) | {name for held in said.values() for name in held}
    return sorted({name for name in _file_names(page.codes) if name not in known})


def _in_listing(name, listing):
    """A name is in the listing as a whole path, or as its last parts
    (folder/file); a name ending in / is a folder."""
    name = name.strip("/") + ("/" if name.endswith("/") else "")
    for path in listing:
        path = path.strip()
        if path.startswith("./"):
            path = path[2:]
        path = path.lstrip("/")
        if path == name or path.endswith("/" + name):
            return True
    return False


def unlisted(page_html, copy, listing):
    """What the guide says COPY holds that its LISTING lacks; a COPY the
    guide has no row for is itself reported."""
    said = downloads(page_html)
    if copy not in said:
        return [f"(the guide has no row for {copy})"]
    listing = list(listing)
    return [name for name in said[copy] if not _in_listing(name, listing)]


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    page_html = open(sys.argv[1], encoding="utf-8").read()
    missing = unlisted(page_html, sys.argv[2], sys.stdin.read().splitlines())
    stray = unaccounted(page_html)
    for name in missing:
        print(f"the guide says {sys.argv[2]} holds {name}, which it does not")
    for name in stray:
        print(f"the guide names {name}, which no download holds")
    sys.exit(1 if missing or stray else 0)


if __name__ == "__main__":
    main()
