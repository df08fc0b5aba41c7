#!/usr/bin/python3
"""The built page declares its language, so that a screen reader reads the
quiz in it and a browser offers no translation of it.

   page_language_test.py PAGE WHAT_USERS_SEE_JSON
"""
import json
import sys
from html.parser import HTMLParser
from pathlib import Path


class FirstTag(HTMLParser):
    def __init__(self):
        super().__init__()
        self.first = None

    def handle_starttag(self, tag, attrs):
        if self.first is None:
            self.first = (tag, dict(attrs))


page, seen = Path(sys.argv[1]), json.loads(Path(sys.argv[2]).read_text(encoding="utf-8"))
parser = FirstTag()
parser.feed(page.read_text(encoding="utf-8"))
tag, attrs = parser.first or (None, {})
expected = seen["language"]
if tag == "html" and attrs.get("lang") == expected:
    print(f'ok: the page is <html lang="{expected}">')
    print("1 passed, 0 failed")
    sys.exit(0)
print(f'FAILED: the page should open with <html lang="{expected}">; it opens with <{tag} {attrs}>')
print("0 passed, 1 failed")
sys.exit(1)
