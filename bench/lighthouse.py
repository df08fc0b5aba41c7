#!/usr/bin/python3
"""Lighthouse's scores for kestrova.html, as a phone and as a desktop browser
load it from a web server on this machine.

   lighthouse.py PAGE     prints JSON: {"mobile": {category: score}, "desktop": {...}}

Needs the Lighthouse that bench/package.json pins (`npm ci --ignore-scripts`
in bench/); exits 3 with a message saying so where it is missing.
"""
import functools
import http.server
import json
import subprocess
import sys
import tempfile
import threading
from pathlib import Path

page = Path(sys.argv[1]).resolve()
lighthouse = Path(__file__).resolve().parent / "node_modules" / ".bin" / "lighthouse"
if not lighthouse.exists():
    print(f"Lighthouse is not installed: run `npm ci --ignore-scripts` in {lighthouse.parents[2]}", file=sys.stderr)
    sys.exit(3)

CATEGORIES = ("performance", "accessibility", "best-practices")
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


handler = functools.partial(Quiet, directory=str(page.parent))
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
url = f"http://127.0.0.1:{server.server_address[1]}/{page.name}"
scores = {}
try:
    for form_factor in ("mobile", "desktop"):
        with tempfile.TemporaryDirectory() as profile:
            out = subprocess.run(
                [str(lighthouse), url, "--output=json", "--quiet", f"--only-categories={','.join(CATEGORIES)}",
                 "--chrome-flags=--headless=new --no-sandbox --disable-gpu --user-data-dir=" + profile]
                + (["--preset=desktop"] if form_factor == "desktop" else []),
                capture_output=True, text=True, check=True, env={"CHROME_PATH": "/usr/bin/chromium", "PATH": "/usr/bin:/bin",
                                                                 "HOME": profile}).stdout
        report = json.loads(out)
        scores[form_factor] = {c: round(report["categories"][c]["score"] * 100) for c in CATEGORIES}
        scores[form_factor]["failing"] = sorted(
            a for c in CATEGORIES for a in (r["id"] for r in report["categories"][c]["auditRefs"])
            if report["audits"][a]["score"] is not None and report["audits"][a]["score"] < 1
            and report["audits"][a]["scoreDisplayMode"] in ("binary", "numeric"))
finally:
    server.shutdown()
print(json.dumps(scores))
