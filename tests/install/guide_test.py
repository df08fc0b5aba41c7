#!/usr/bin/python3
"""The teachers' guide as the build makes it (za-uchitelya.html), read as a
teacher would: the ten right pairs are the quiz's own, the buttons are
named as the window captions them, the downloads carry this version, every
file it names is in a download, and nothing is left of the template or of
other quotation marks. With --browser, Chromium shows it on a phone and on
a whiteboard: nothing wider than the screen, text large enough, nothing
refused by its policy, and axe-core finds no fault.

   guide_test.py GUIDE.html QUIZ_TABLES_JSON WHAT_USERS_SEE [--browser SCREENSHOTS AXE]

with KESTROVA_VERSION_TEXT in the environment. 77 with --browser: Chromium,
selenium or axe-core is not here.
"""
import json
import os
import re
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "support"))
import guide_files  # noqa: E402


def static_checks(page, quiz, seen, version):
    pairs = next(([[text for text, _ in row] for row in rows] for heading, *rows in guide_files.Page(page).tables
                  if [text for text, _ in heading] == ["фирма", "страна"]), [])
    by_row = sorted(range(len(quiz["firms"])), key=lambda i: quiz["firmRows"][i])
    right = [[quiz["firms"][i], quiz["countries"][i]] for i in by_row]
    arch = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True).stdout.strip() or "amd64"
    shipped = {"kestrova.html", f"kestrova-{version}-scorm12.zip", f"kestrova-{version}-windows.zip",
               f"kestrova-{version}-windows.msi", f"kestrova_{version}_{arch}.deb", "site"}
    text = re.sub(r"<[^>]+>", "", page.partition("<main>")[2])
    evaluate, clear = seen["commandCaptions"]
    return {
        f"the right pairs are the quiz's ten, in the order of the firms' buttons: {pairs}": pairs == right,
        f"the buttons are called as the window captions them, „{evaluate}“ and „{clear}“":
            f"„{evaluate}“" in text and f"„{clear}“" in text,
        "quotes are Bulgarian „…“ only": not re.search("[«»”\"]", text) and text.count("„") == text.count("“"),
        f"the downloads are this version's ({version}): {sorted(guide_files.downloads(page))}":
            set(guide_files.downloads(page)) == shipped,
        f"every file it names is in a download: unaccounted {guide_files.unaccounted(page)}":
            not guide_files.unaccounted(page),
        "nothing of the template is left": "@" not in re.sub(r"[\w.+-]+@[\w.-]+", "", text),
        f'the page is Bulgarian (lang="{seen["language"]}")': f'<html lang="{seen["language"]}">' in page,
    }


def browser_checks(guide, seen, screenshots, axe_source):
    sys.path.insert(0, str(HERE.parent / "web"))
    try:
        from engines import Chromium, EngineMissing
        browser = Chromium(Path(guide).resolve().as_uri())
    except ImportError as e:
        print(f"SKIPPED: not installed here: {e.name} (scripts/setup test)")
        sys.exit(77)
    except EngineMissing as e:
        print(f"SKIPPED: {e}")
        sys.exit(77)
    checks = {}
    try:
        for name, width, height, touch in (("phone", 320, 640, True), ("whiteboard", 1920, 1080, False)):
            least = seen["guideTextPx"][name]
            browser.screen(width, height, mobile=touch, touch=touch)
            browser.load()
            Path(screenshots).mkdir(parents=True, exist_ok=True)
            browser.picture().save(Path(screenshots, f"guide-{name}.png"))
            wide = browser.js("return document.documentElement.scrollWidth")
            smallest = browser.js("return Math.min(...[...document.querySelectorAll('p, li, td, th')]"
                                  ".map(e => parseFloat(getComputedStyle(e).fontSize)))")
            if not browser.js("return !!window.axe"):
                browser.js(axe_source)
            found = browser.js("return axe.run(document, {runOnly: {type: 'tag', values: arguments[0]}})"
                               ".then(r => r.violations.map(v => v.id + ': ' + v.nodes.length))",
                               ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"])
            checks.update({
                f"{name}, {width} px: nothing wider than the screen ({wide} px)": wide <= width,
                f"{name}: the smallest text is {smallest:g} px, at least {least}": smallest >= least,
                f"{name}: nothing refused by the policy {browser.violations()}": not browser.violations(),
                f"{name}: axe-core finds no violation {found}": not found,
            })
    finally:
        browser.quit()
    return checks


def main():
    args = sys.argv[1:]
    if len(args) not in (3, 6):
        raise SystemExit(__doc__)
    guide, quiz_tool, seen_file = args[:3]
    page = Path(guide).read_text(encoding="utf-8")
    seen = json.loads(Path(seen_file).read_text(encoding="utf-8"))
    if len(args) == 6:
        axe = Path(args[5])
        if not axe.is_file():
            print(f"SKIPPED: no axe-core at {axe} (npm ci in tests/web)")
            sys.exit(77)
        checks = browser_checks(guide, seen, args[4], axe.read_text())
    else:
        quiz = json.loads(subprocess.run([quiz_tool], capture_output=True, text=True, check=True).stdout)
        checks = static_checks(page, quiz, seen, os.environ["KESTROVA_VERSION_TEXT"])
    failed = [what for what, ok in checks.items() if not ok]
    for what, ok in checks.items():
        print("ok:    " if ok else "FAILED:", what)
    print(f"{len(checks) - len(failed)} passed, {len(failed)} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
