#!/usr/bin/python3
"""What the teachers' guide promises about the downloads, read from the page
a download carries (za-uchitelya.html).

The guide's table of downloads (its first heading «файл») has a row for
each: the download's file name in its first cell (none for the site), and
the files it holds in the next, each as code. Every other file name the
guide gives as code must be one of those, so that a teacher never looks for
a file no download has.

   guide_files.py GUIDE.html COPY < LISTING

COPY is a download's file name, as the guide gives it, or "site"; LISTING is
that copy's files, one path a line (a folder ends in /). Prints each file the
guide says the copy holds but the listing lacks, and each file the guide
names that no download holds; exits 1 if there is any.
"""
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    """The code elements' texts, and each table as rows of cells (the
    heading row first), a cell as (its text, the code in it)."""

    def __init__(self, page_html):
        super().__init__()
        self.codes, self.tables, self._cell, self._code = [], [], None, None
        self.feed(page_html)

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append([])
        elif tag == "tr":
            self.tables[-1].append([])
        elif tag in ("td", "th"):
            self._cell = ("", [])
        elif tag == "code":
            self._code = ""

    def handle_endtag(self, tag):
        if tag == "code":
            self.codes.append(self._code)
            if self._cell:
                self._cell[1].append(self._code)
            self._code = None
        elif tag in ("td", "th"):
            self.tables[-1][-1].append((self._cell[0].strip(), self._cell[1]))
            self._cell = None

    def handle_data(self, data):
        if self._code is not None:
            self._code += data
        if self._cell:
            self._cell = (self._cell[0] + data, self._cell[1])


def _file_names(codes):
    # Commands are code too; a file's name has no blank.
    return [code for code in codes if code and not any(c.isspace() for c in code)]


def downloads(page_html):
    """{download: [files the guide says it holds]}, the site's under "site"."""
    said = {}
    for heading, *rows in (t for t in Page(page_html).tables if t and t[0][0][0] == "файл"):
        for first, *rest in rows:
            name = _file_names(first[1])
            said[name[0] if name else "site"] = _file_names([code for _, codes in rest for code in codes])
    return said


def unaccounted(page_html):
    """The file names the guide gives that are neither a download nor in one."""
    said = downloads(page_html)
    known = set(said).union(*said.values())
    return sorted(set(_file_names(Page(page_html).codes)) - known)


def unlisted(page_html, copy, listing):
    """What the guide says COPY holds that its LISTING lacks: a name is there
    as a whole path or as its last parts; one ending in / is a folder."""
    said = downloads(page_html)
    if copy not in said:
        return [f"(the guide has no row for {copy})"]
    paths = ["/" + path.strip().removeprefix("./").lstrip("/") for path in listing]
    return [name for name in said[copy] if not any(path.endswith("/" + name.lstrip("/")) for path in paths)]


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    page_html = open(sys.argv[1], encoding="utf-8").read()
    missing = unlisted(page_html, sys.argv[2], sys.stdin.read().splitlines())
    for name in missing:
        print(f"the guide says {sys.argv[2]} holds {name}, which it does not")
    for name in unaccounted(page_html):
        print(f"the guide names {name}, which no download holds")
    sys.exit(1 if missing or unaccounted(page_html) else 0)


if __name__ == "__main__":
    main()
