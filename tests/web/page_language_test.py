#!/usr/bin/python3
"""The built page declares its language, so that a screen reader reads the
quiz in it and a browser offers no translation of it, and its encoding where
a browser looks for it (the first 1024 bytes), so that the Bulgarian is never
read as another encoding when the page is opened as a file.

   page_language_test.py PAGE WHAT_USERS_SEE_JSON
"""
import sys
from html.parser import HTMLParser
from pathlib import Path

from engines import load_what_users_see

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "support"))
from checks import check, summary  # noqa: E402


class FirstTag(HTMLParser):
    def __init__(self):
        super().__init__()
        self.first = None

    def handle_starttag(self, tag, attrs):
        if self.first is None:
            self.first = (tag, dict(attrs))


page, seen = Path(sys.argv[1]), load_what_users_see(sys.argv[2])
parser = FirstTag()
parser.feed(page.read_text(encoding="utf-8"))
tag, attrs = parser.first or (None, {})
expected = seen["language"]
check(tag == "html" and attrs.get("lang") == expected,
      f'the page opens with <html lang="{expected}"> (it opens with <{tag} {attrs}>)')
check(b'<meta charset="utf-8">' in page.read_bytes()[:1024], "the page declares utf-8 in its first 1024 bytes")
sys.exit(summary())
