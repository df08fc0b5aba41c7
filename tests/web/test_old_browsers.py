"""The page on the browsers a school still has: Safari and iOS from 12,
Chrome from 70, Firefox from 60 (the browserslist query in package.json).

Before Safari 16 and Chrome 97 a browser reads the page's policy without
'wasm-unsafe-eval' and refuses to compile WebAssembly; some have no
WebAssembly at all. The page's program is JavaScript, for them as for every
browser. Headless Chromium plays both: the page with that word taken out of
its policy, and the page with WebAssembly removed before its script runs.
Either way the quiz must answer as the Linux window does. Where nothing can
run, the page says so. The page's CSS and JavaScript are checked against
the same browsers with doiuse and es-check.

Run by ctest (label browser) through run_offline.sh, with the options of
conftest.py. Exits 77 where Chromium, its driver, Node.js or the pinned npm
tools are missing.
"""
import gzip
import json
import os
import re
import shutil
import subprocess
import time
from pathlib import Path

import pytest

from conftest import OTHER_RUNS, RIGHT_RUNS

HERE = Path(__file__).resolve().parent
BIN = HERE / "node_modules" / ".bin"
CHROMIUM, CHROMEDRIVER = "/usr/bin/chromium", "/usr/bin/chromedriver"


def missing_tools():
    missing = [t for t in (CHROMIUM, CHROMEDRIVER) if not os.access(t, os.X_OK)]
    missing += [t for t in ("node",) if not shutil.which(t)]
    missing += [str(BIN / t) + " (npm ci --ignore-scripts in tests/web)" for t in ("doiuse", "es-check") if not (BIN / t).exists()]
    try:
        import selenium  # noqa: F401
    except ImportError:
        missing.append("python3-selenium")
    return missing


@pytest.fixture(scope="session", autouse=True)
def tools():
    """Every tool at hand, or the whole run ends as skipped (77 for ctest)."""
    if missing_tools():
        pytest.exit("skipped, missing: " + ", ".join(missing_tools()), returncode=77)


import engines

try:
    from selenium.webdriver.common.by import By
except ImportError:
    pass  # the tools fixture says so

# The browsers, written down once.
BROWSERS = json.loads((HERE / "package.json").read_text())["browserslist"]

# What the page may weigh: a school's slow link, a learning platform's
# upload limit, and a first paint as soon as a static page's.
MOST_BYTES, MOST_GZIPPED = 96 * 1024, 40 * 1024

# Runs of clicks, each on a fresh page: the assignment, then the page's own.
RUNS = [()] + RIGHT_RUNS + OTHER_RUNS

# Every feature doiuse reports for these browsers, and why the page still
# loses no control and no caption there. Each names the fallback that must
# stay in the CSS for the reason to hold.
CSS_ALLOWED = {
    "css-focus-visible": (
        "only in ':focus:not(:focus-visible)', which takes the ring off a clicked control; an engine without "
        "it drops that rule and rings every focus, from the ':focus' rule before it",
        r":focus, label:focus-within \{ outline: var\(--line\) solid #000;[^}]*\}\s*:focus:not\(:focus-visible\) \{"),
    "css-overflow": (
        "partial means no two-value 'overflow' shorthand and no 'clip' value; the page uses neither",
        r"^(?![\s\S]*overflow:\s*\w+\s+\w+\s*[;}])(?![\s\S]*overflow(-[xy])?:\s*clip)"),
    "css-clip-path": (
        "only to hide the two spoken status regions, which are also 1 x 1 px with nothing overflowing and "
        "clipped by the older 'clip'",
        r"\.announce \{[^}]*width: 1px; height: 1px; overflow: hidden; clip: rect\(0 0 0 0\); clip-path: inset"),
    "css-masks": (
        "caniuse's masks include clip-path: the same status regions",
        r"clip: rect\(0 0 0 0\); clip-path: inset\(50%\)"),
    "css-appearance": (
        "the prefixed forms stand first, -webkit-appearance for Chrome before 84 and Safari and iOS before 15.4, "
        "-moz-appearance for Firefox before 80; an engine that knows none draws its own circle, which still works",
        r"input\[type=radio\] \{ -webkit-appearance: none; -moz-appearance: none; appearance: none"),
    "css-gradients": (
        "the checked circle's dot is a radial gradient of two plain colour stops, which Safari and iOS draw from "
        "12; they lack only colour hints and interpolation, which the page does not use",
        r"radial-gradient\(circle closest-side, #000 48%, #fff 56%\)"),
    "css-has": (
        "only to keep a scroll bar's room in the touch layout from the first paint; an engine without it drops "
        "that rule, and the page may narrow by a scroll bar once the program has grown the result box",
        r":root:has\(\.touch\) \{ scrollbar-gutter: stable; \}"),
    "css-math-functions": (
        "max() sizes the touch layout's text after a plain size in rem, which older engines keep; min() and max() "
        "place the exact form before the program runs only inside @supports for round(), which they skip, and "
        "their page starts in the touch layout until the program lays it out",
        r"font-size:1rem;font-size:max\(16px,1rem\)[^}]*\}\s*@supports \(width: round\(1\.5px, 1px\)\) \{\s*"
        r"main#kestrova\.exact\{--d:min\("),
    "css-resize": (
        "'resize: none' on the result box; iOS Safari, the one that lacks it, never offers resizing anyway",
        r"textarea \{[^}]*resize: none"),
}


def page_parts(html):
    css = "\n".join(re.findall(r"<style>(.*?)</style>", html, re.S))
    scripts = re.findall(r"<script[^>]*>(.*?)</script>", html, re.S)
    return css, scripts


def run_tool(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True, cwd=HERE)


def test_the_page_keeps_to_its_weight(page_file):
    raw = page_file.read_bytes()
    packed = len(gzip.compress(raw, 9))
    print(f"the page: {len(raw)} bytes ({len(raw) / 1024:.1f} KB), {packed} gzipped ({packed / 1024:.1f} KB)")
    assert len(raw) <= MOST_BYTES and packed <= MOST_GZIPPED


def test_every_css_feature_older_browsers_lack_has_a_fallback(page_file, tmp_path):
    css, _ = page_parts(page_file.read_text(encoding="utf-8"))
    # doiuse's tokenizer loses its way at an apostrophe in a comment.
    bare = re.sub(r"/\*.*?\*/", "", css, flags=re.S)
    (tmp_path / "page.css").write_text(bare)
    found = run_tool(BIN / "doiuse", "--json", "-b", BROWSERS, tmp_path / "page.css")
    assert found.returncode == 0, found.stderr
    reports = [json.loads(line) for line in found.stdout.splitlines() if line.strip()]
    features = sorted({r["feature"] for r in reports})
    for r in reports:
        print(f"doiuse: {r['message'].split(': ', 1)[-1][:160]}")
    unguarded = [f for f in features if f not in CSS_ALLOWED]
    assert not unguarded, f"features without a known fallback for {BROWSERS}: {unguarded}"
    for feature in features:
        reason, fallback = CSS_ALLOWED[feature]
        print(f"allowed {feature}: {reason}")
        assert re.search(fallback, bare), f"{feature}: the fallback is gone ({reason})"


def test_the_pages_javascript_parses_on_those_browsers(page_file, tmp_path):
    _, scripts = page_parts(page_file.read_text(encoding="utf-8"))
    assert len(scripts) == 3, "what keeps early clicks, the program, and what starts it"
    files = []
    for i, script in enumerate(scripts):
        files.append(tmp_path / f"script{i}.js")
        files[-1].write_text(script)
    checked = run_tool(BIN / "es-check", "checkBrowser", *files, f"--browserslistQuery={BROWSERS}", "--checkFeatures",
                       "--noColor")
    print(checked.stdout, checked.stderr)
    assert checked.returncode == 0 and "passed" in checked.stdout + checked.stderr


# In the browser.

@pytest.fixture(scope="module")
def chromium(page_file):
    engine = engines.started(engines.Chromium, page_file.resolve().as_uri())
    engine.screen(800, 700)
    yield engine
    engine.quit()


@pytest.fixture
def old_screenshots(screenshots):
    folder = screenshots / "old-browsers"
    folder.mkdir(exist_ok=True)
    return folder


@pytest.fixture(params=["allowed", "refused", "absent"])
def webassembly(request, chromium, page_file, tmp_path):
    """The page's WebAssembly allowed, refused by its policy, or absent."""
    added = None
    if request.param == "refused":
        chromium.url = engines.webassembly_refused(page_file, tmp_path).as_uri()
    if request.param == "absent":
        added = chromium.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": "delete window.WebAssembly;"})
    chromium.console()
    yield request.param
    chromium.url = page_file.resolve().as_uri()
    if added:
        chromium.cdp("Page.removeScriptToEvaluateOnNewDocument", added)


def test_the_quiz_answers_as_on_linux_whatever_becomes_of_its_webassembly(chromium, webassembly, linux_result,
                                                                          users_see, old_screenshots):
    linux, logged = linux_result(*RUNS), []
    for run, expected in zip(RUNS, linux):
        chromium.open()
        for name in run:
            chromium.click_control(name)
        logged += chromium.console()
        assert chromium.js("return document.getElementById('Text1(0)').value") == expected.replace("\r\n", "\n"), (
            f"{webassembly}: {' '.join(run) or 'at opening'}")
    texts = users_see["texts"]
    assert linux[3].startswith(texts["right"]) and linux[11].startswith(texts["wrong"]) and linux[13] == texts["prompt"]

    # The program needs no WebAssembly: nothing was refused, there or not.
    expected = {"allowed": ([], "object"), "refused": ([], "object"), "absent": ([], "undefined")}[webassembly]
    assert (chromium.violations(), chromium.js("return typeof WebAssembly")) == expected, webassembly
    # Nothing went wrong on the way.
    assert not logged, logged
    # The page still sends nothing anywhere.
    blocked = chromium.js("""return fetch('https://www.kestrova.example/').then(() => 'sent', () => 'blocked')
        .then(r => new Promise(ok => setTimeout(() => ok([r, window.policyViolations]), 100)))""")
    assert blocked[0] == "blocked" and any(v.startswith("connect-src") for v in blocked[1])

    chromium.open()
    for name in ("Option1(2)", "Option2(2)", "Command1(0)"):
        chromium.click_control(name)
    chromium.driver.find_element(By.ID, "kestrova").screenshot(str(old_screenshots / f"webassembly-{webassembly}.png"))


def test_the_policy_needs_no_eval(page_file):
    html = page_file.read_text(encoding="utf-8")
    policy = re.search(r'http-equiv="Content-Security-Policy" content="([^"]+)"', html).group(1)
    directives = dict((d.split()[0], d.split()[1:]) for d in policy.split("; "))
    assert directives["default-src"] == ["'none'"] and "connect-src" not in directives
    # Unknown words are ignored by older browsers; 'unsafe-eval' would let
    # any text run as code.
    assert directives["script-src"] == ["'unsafe-inline'", "'wasm-unsafe-eval'"]


def shown_message(chromium):
    return chromium.js(
        "const p = document.querySelector('#kestrova > p');"
        " return p && getComputedStyle(p).visibility === 'visible' && p.getBoundingClientRect().height > 0"
        " ? p.textContent : null")


def test_where_nothing_can_run_the_page_says_so(chromium, users_see, old_screenshots):
    # An engine without WebAssembly whose JavaScript lacks typed arrays.
    added = chromium.cdp("Page.addScriptToEvaluateOnNewDocument",
                         {"source": "delete window.WebAssembly; delete window.Uint8Array;"})["identifier"]
    try:
        started = time.monotonic()
        chromium.load()
        # The program starts in a task after the first paint, so its failure
        # may come a little after the page has loaded; well before the
        # three seconds that the message waits for where no script runs.
        while shown_message(chromium) is None and time.monotonic() - started < 2.5:
            time.sleep(0.05)
        assert shown_message(chromium) == users_see["cannotRun"] and time.monotonic() - started < 2.5
        assert not chromium.driver.find_elements(By.CSS_SELECTOR, "#kestrova label, #kestrova button")
        chromium.picture().save(old_screenshots / "cannot-run.png")
    finally:
        chromium.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})


def test_with_scripts_off_the_page_says_so_after_a_while(chromium, users_see):
    chromium.cdp("Emulation.setScriptExecutionDisabled", {"value": True})
    try:
        chromium.load()
        early = shown_message(chromium)
        time.sleep(3.5)
        assert early is None and shown_message(chromium) == users_see["cannotRun"]
    finally:
        chromium.cdp("Emulation.setScriptExecutionDisabled", {"value": False})


def test_while_the_quiz_runs_the_page_never_says_it_cannot(chromium):
    chromium.load()
    time.sleep(3.5)
    assert shown_message(chromium) is None and chromium.driver.find_element(By.ID, "Text1(0)").is_displayed()


@pytest.fixture(params=["now", "before Safari 14"])
def media_events(request, chromium):
    """Media queries with change events, or (Safari before 14) only their older addListener."""
    added = None
    if request.param != "now":
        added = chromium.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": """
            Object.defineProperty(MediaQueryList.prototype, 'addEventListener', {value: undefined});"""})
    yield request.param
    if added:
        chromium.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added["identifier"]})


def test_a_tablet_docked_to_a_touchpad_gets_the_exact_form_without_reloading(chromium, media_events):
    """The finger's rule and the mouse's on one 768 x 1024 screen, as the
    browser's pointer changes under the open page."""
    shown = "return document.getElementById('kestrova').className"
    chromium.screen(768, 1024, 2, mobile=True, touch=True)
    try:
        chromium.load()
        by_finger = chromium.js(shown)
        chromium.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})
        time.sleep(0.3)
        assert (by_finger, chromium.js(shown)) == ("touch", "exact")
    finally:
        chromium.screen(800, 700)


def test_a_laptop_with_a_touch_screen_and_a_touchpad_first_keeps_the_mouses_rule(chromium):
    """On a 1366 x 768 laptop whose touch screen is one of its pointers
    (any-pointer: coarse) and whose touchpad is the first (pointer: fine),
    the exact form, which fits at 1.5 x. The browser's answers are set
    before the page asks, as such a laptop's browser gives them."""
    laptop = chromium.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": """
        const asked = matchMedia.bind(window);
        window.matchMedia = q => asked(/any-pointer: *coarse|pointer: *fine/.test(q) ? 'all'
                                       : /pointer/.test(q) ? 'not all' : q);"""})
    chromium.screen(1366, 768)
    try:
        chromium.load()
        chromium.js(engines.WAIT_FOR_CONTROLS)
        assert chromium.js("return document.getElementById('kestrova').className") == "exact"
    finally:
        chromium.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": laptop["identifier"]})
        chromium.screen(800, 700)
