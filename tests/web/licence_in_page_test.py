#!/usr/bin/python3
"""Every copy of the web page carries its licence: the page opens with the
doctype, and its first comment, at the top of its head, holds LICENSE's text
word for word.

   licence_in_page_test.py PAGE.html LICENSE
Exits 77 when the page has not been built (the web preset).
"""
import sys
from html.parser import HTMLParser
from pathlib import Path

page, licence = Path(sys.argv[1]), Path(sys.argv[2]).read_text(encoding="utf-8")
if not sys.argv[1] or not page.is_file():
    print(f"SKIPPED: no page at {sys.argv[1]}: build the web preset first")
    sys.exit(77)


class Opening(HTMLParser):
    """The page's parts up to its first comment, in order."""
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []

    def done(self):
        return any(kind == "comment" for kind, _ in self.parts)

    def handle_decl(self, decl):
        if not self.done():
            self.parts.append(("doctype", decl))

    def handle_comment(self, data):
        if not self.done():
            self.parts.append(("comment", data))

    def handle_starttag(self, tag, attrs):
        if not self.done():
            self.parts.append(("tag", tag))


opening = Opening()
opening.feed(page.read_text(encoding="utf-8"))
parts = opening.parts
before = [text for kind, text in parts[1:-1]]
checks = {
    "the page opens with its doctype, so browsers keep to the standard": parts[:1] == [("doctype", "doctype html")],
    "its first comment holds LICENSE's text":
        parts[-1:] and parts[-1][0] == "comment" and parts[-1][1].strip() == licence.strip(),
    "the licence comes at the top of the head, before anything a reader sees":
        all(tag in ("html", "head", "meta") for tag in before),
    "the licence is MIT's": licence.startswith("MIT License\n"),
}
failed = [what for what, ok in checks.items() if not ok]
for what in failed:
    print("FAILED:", what)
print("the page opens with:", [(kind, text[:40]) for kind, text in parts])
print(f"{len(checks) - len(failed)} passed, {len(failed)} failed")
sys.exit(1 if failed else 0)
