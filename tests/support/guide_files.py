#!/usr/bin/python3
"""What the teachers' guide promises about the downloads, read from the page
a download carries (za-uchitelya.html).

The guide's table of downloads (its first heading «файл») has a row for
each: the download's file name in its first cell (or no file name, for the
site), and the files it holds in the next, each as code. Every other file name the guide gives as code must
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
    """Every code element's text, and each table as its headings' texts and
    its data rows, each row a list of cells, each cell the code in it."""

    def __init__(self):
        super().__init__()
        self.codes, self.tables = [], []
        self._cell = self._code = self._heading = None

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append(([], []))
        elif tag == "tr" and self.tables:
            self.tables[-1][1].append([])
        elif tag == "td":
            self._cell = []
        elif tag == "th":
            self._heading = ""
        elif tag == "code":
            self._code = ""

    def handle_endtag(self, tag):
        if tag == "code" and self._code is not None:
            self.codes.append(self._code)
            if self._cell is not None:
                self._cell.append(self._code)
            self._code = None
        elif tag == "td" and self._cell is not None:
            self.tables[-1][1][-1].append(self._cell)
            self._cell = None
        elif tag == "th" and self._heading is not None:
            self.tables[-1][0].append(self._heading.strip())
            self._heading = None

    def handle_data(self, data):
        if self._code is not None:
            self._code += data
        if self._heading is not None:
            self._heading += data


def _file_names(codes):
    # Commands are code too; a file's name has no blank.
    return [code for code in codes if code and not any(c.isspace() for c in code)]


def _read(page_html):
    page = _Page()
    page.feed(page_html)
    return page


def downloads(page_html):
    """{download: [files the guide says it holds]}, from the table whose
    first heading is «файл»: a row's first cell names the download (the
    site's has no file name: "site"), the code in its other cells the files
    it holds."""
    said = {}
    for headings, rows in _read(page_html).tables:
        if headings[:1] != ["файл"]:
            continue
        for row in rows:
            if not row:
                continue
            first = _file_names(row[0])
            said[first[0] if first else "site"] = _file_names([code for cell in row[1:] for code in cell])
    return said


def unaccounted(page_html):
    """The file names the guide gives that are neither a download nor in one."""
    said = downloads(page_html)
    known = set(said) | {name for held in said.values() for name in held}
    return sorted({name for name in _file_names(_read(page_html).codes) if name not in known})


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
