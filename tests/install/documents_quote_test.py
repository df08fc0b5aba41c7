#!/usr/bin/python3
"""The documents that tell people about the window in their own words (the
README, the teachers' guide, the manual page, the Windows read-me) name its
controls by the captions it has: a caption changed in the program and the
shared list but not in them fails here.

   documents_quote_test.py WHAT_USERS_SEE_JSON FILE=KEY[,KEY...] ...

Each KEY is a key of the shared list whose texts FILE must quote.
"""
import json
import sys
from pathlib import Path

seen = json.loads(Path(sys.argv[1]).read_text(encoding="utf-8"))
failed = passed = 0
for argument in sys.argv[2:]:
    path, keys = argument.rsplit("=", 1)
    # The manual page's source escapes its hyphens.
    text = Path(path).read_text(encoding="utf-8").replace("\\-", "-")
    for key in keys.split(","):
        texts = seen[key] if isinstance(seen[key], list) else [seen[key]]
        missing = [t for t in texts if t not in text]
        if missing:
            failed += 1
            print(f"FAILED: {Path(path).name} does not name {', '.join(missing)} ({key})")
        else:
            passed += 1
            print(f"ok: {Path(path).name} names {', '.join(texts)}")
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
