"""The page on the browsers a school still has: Safari and iOS from 12,
Chrome from 70, Firefox from 60 (the browserslist query in package.json).

Before Safari 16 and Chrome 97 a browser reads the page's policy without
'wasm-unsafe-eval' and refuses to compile its WebAssembly; some have no
WebAssembly at all. Headless Chromium plays both: the page with that word
taken out of its policy, and the page with WebAssembly removed before its
script runs. Either way the quiz must answer as the Linux window does. Where
nothing can run, the page says so. The page's CSS and JavaScript are checked
against the same browsers with doiuse and es-check, and its WebAssembly
against the first version of WebAssembly, which they all have.

Run by ctest (label browser) through run_offline.sh, with KESTROVA_WEB_PAGE,
KESTROVA_LINUX_RESULT and KESTROVA_WHAT_USERS_SEE_JSON set. Exits 77 where
Chromium, its driver, Node.js, the pinned npm tools or binaryen are missing.
"""
import base64
import gzip
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

HERE = Path(__file__).resolve().parent
BIN = HERE / "node_modules" / ".bin"
CHROMIUM, CHROMEDRIVER = "/usr/bin/chromium", "/usr/bin/chromedriver"


def missing_tools():
    missing = [t for t in (CHROMIUM, CHROMEDRIVER) if not os.access(t, os.X_OK)]
    missing += [t for t in ("node", "wasm-opt") if not shutil.which(t)]
    missing += [str(BIN / t) + " (npm ci in tests/web)" for t in ("doiuse", "es-check") if not (BIN / t).exists()]
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
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
except ImportError:
    pass  # the tools fixture says so

PAGE = Path(os.environ["KESTROVA_WEB_PAGE"])
LINUX_RESULT = os.environ["KESTROVA_LINUX_RESULT"]
SCREENSHOTS = Path(os.environ.get("KESTROVA_SCREENSHOTS", tempfile.mkdtemp())) / "old-browsers"

# The browsers, written down once.
BROWSERS = json.loads((HERE / "package.json").read_text())["browserslist"]

# What the page may weigh with both programs in it: a school's slow link
# and a learning platform's upload limit.
MOST_BYTES, MOST_GZIPPED = 128 * 1024, 48 * 1024

SEEN = json.loads(Path(os.environ["KESTROVA_WHAT_USERS_SEE_JSON"]).read_text(encoding="utf-8"))
PROMPT = SEEN["texts"]["prompt"]

# Runs of clicks, each on a fresh page: the assignment, every right pair,
# a wrong pair, nothing chosen, «Чисти», and one side after «Чисти».
RUNS = [[]] + [[f"Option1({i})", f"Option2({i})", "Command1(0)"] for i in range(10)] + [
    ["Option1(2)", "Option2(3)", "Command1(0)"],
    ["Command1(0)"],
    ["Option1(4)", "Option2(4)", "Command1(0)", "Command1(1)"],
    ["Option1(4)", "Option2(4)", "Command1(0)", "Command1(1)", "Option2(4)", "Command1(0)"],
]

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
    "css-resize": (
        "'resize: none' on the result box; iOS Safari, the one that lacks it, never offers resizing anyway",
        r"textarea \{[^}]*resize: none"),
}


def page_parts(html):
    css = re.search(r"<style>(.*?)</style>", html, re.S).group(1)
    scripts = re.findall(r"<script>(.*?)</script>", html, re.S)
    return css, scripts


def run_tool(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True, cwd=HERE)


def test_the_page_keeps_to_its_weight():
    raw = PAGE.read_bytes()
    packed = len(gzip.compress(raw, 9))
    print(f"the page: {len(raw)} bytes ({len(raw) / 1024:.1f} KB), {packed} gzipped ({packed / 1024:.1f} KB)")
    assert len(raw) <= MOST_BYTES and packed <= MOST_GZIPPED


def test_every_css_feature_older_browsers_lack_has_a_fallback(tmp_path):
    css, _ = page_parts(PAGE.read_text(encoding="utf-8"))
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


def test_the_pages_javascript_parses_on_those_browsers(tmp_path):
    _, scripts = page_parts(PAGE.read_text(encoding="utf-8"))
    assert len(scripts) == 3, "the program, the program as JavaScript, and what starts one of them"
    files = []
    for i, script in enumerate(scripts):
        files.append(tmp_path / f"script{i}.js")
        files[-1].write_text(script)
    checked = run_tool(BIN / "es-check", "checkBrowser", *files, f"--browserslistQuery={BROWSERS}", "--checkFeatures",
                       "--noColor")
    print(checked.stdout, checked.stderr)
    assert checked.returncode == 0 and "passed" in checked.stdout + checked.stderr


def test_the_webassembly_needs_nothing_beyond_its_first_version(tmp_path):
    program = re.search(r'Module\["wasm"\]=base64Decode\("([A-Za-z0-9+/=]+)"\)', PAGE.read_text(encoding="utf-8"))
    (tmp_path / "page.wasm").write_bytes(base64.b64decode(program.group(1)))
    validated = run_tool("wasm-opt", "--mvp-features", tmp_path / "page.wasm", "-o", tmp_path / "out.wasm")
    assert validated.returncode == 0, validated.stderr


# In the browser.

@pytest.fixture(scope="module")
def chromium():
    engine = engines.started(engines.Chromium, PAGE.resolve().as_uri())
    engine.screen(800, 700)
    yield engine.driver
    engine.quit()


@pytest.fixture(scope="module")
def linux():
    ran = subprocess.run([LINUX_RESULT], input="\n".join(" ".join(r) for r in RUNS) + "\n",
                         capture_output=True, text=True, check=True)
    results = [r.replace("\r\n", "\n") for r in json.loads(ran.stdout)]
    assert len(results) == len(RUNS)
    return results


class Browser:
    """A browser the page meets: its WebAssembly allowed, refused by the policy, or absent."""

    def __init__(self, driver, how, folder):
        self.driver, self.how, self.before = driver, how, None
        self.url = PAGE.resolve().as_uri()
        if how == "refused":
            self.url = engines.webassembly_refused(PAGE, folder).as_uri()
        if how == "absent":
            self.before = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                 {"source": "delete window.WebAssembly;"})["identifier"]

    def close(self):
        if self.before:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": self.before})

    def open(self):
        self.driver.get(self.url)
        self.driver.execute_script("return new Promise(r => (function wait() { document.getElementById('Text1(0)')"
                                   " ? r() : setTimeout(wait, 10); })())")

    def click(self, name):
        ActionChains(self.driver).move_to_element_with_offset(self.driver.find_element(By.ID, name), 0, 0).click() \
            .perform()

    def box(self):
        return self.driver.find_element(By.ID, "Text1(0)").get_property("value")


@pytest.fixture(params=["allowed", "refused", "absent"])
def browser(request, chromium, tmp_path):
    b = Browser(chromium, request.param, tmp_path)
    chromium.get_log("browser")
    yield b
    b.close()


def test_the_quiz_answers_as_on_linux_whatever_becomes_of_its_webassembly(browser, linux):
    driver = browser.driver
    for run, expected in zip(RUNS, linux):
        browser.open()
        for name in run:
            browser.click(name)
        assert browser.box() == expected, f"{browser.how}: {' '.join(run) or 'at opening'}"
    assert linux[3].startswith(SEEN["texts"]["right"]) and linux[11].startswith(SEEN["texts"]["wrong"])
    assert linux[13] == PROMPT

    # Which program ran: the policy refused the compile, or there was
    # nothing to compile with, and still it answered.
    violations = driver.execute_script("return window.policyViolations")
    has_wasm = driver.execute_script("return typeof WebAssembly")
    expected = {"allowed": ([], "object"), "refused": (["script-src wasm-eval"], "object"),
                "absent": ([], "undefined")}[browser.how]
    assert (violations, has_wasm) == expected, browser.how
    # Nothing else went wrong on the way: the console holds at most the
    # refusal of the compile.
    logged = [e["message"] for e in driver.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]
    assert all("WebAssembly" in m and browser.how == "refused" for m in logged), logged
    # The page still sends nothing anywhere.
    blocked = driver.execute_script("""return fetch('https://www.kestrova.example/').then(() => 'sent', () => 'blocked')
        .then(r => new Promise(ok => setTimeout(() => ok([r, window.policyViolations]), 100)))""")
    assert blocked[0] == "blocked" and any(v.startswith("connect-src") for v in blocked[1])

    browser.open()
    for name in ("Option1(2)", "Option2(2)", "Command1(0)"):
        browser.click(name)
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    driver.find_element(By.ID, "kestrova").screenshot(str(SCREENSHOTS / f"webassembly-{browser.how}.png"))


def test_the_policy_needs_no_eval():
    html = PAGE.read_text(encoding="utf-8")
    policy = re.search(r'http-equiv="Content-Security-Policy" content="([^"]+)"', html).group(1)
    directives = dict((d.split()[0], d.split()[1:]) for d in policy.split("; "))
    assert directives["default-src"] == ["'none'"] and "connect-src" not in directives
    # Unknown words are ignored by older browsers; 'unsafe-eval' would let
    # any text run as code.
    assert directives["script-src"] == ["'unsafe-inline'", "'wasm-unsafe-eval'"]


def shown_message(driver):
    return driver.execute_script(
        "const p = document.querySelector('#kestrova > p');"
        " return p && getComputedStyle(p).visibility === 'visible' && p.getBoundingClientRect().height > 0"
        " ? p.textContent : null")


def test_where_nothing_can_run_the_page_says_so(chromium, what_users_see):
    # An engine without WebAssembly whose JavaScript lacks typed arrays.
    added = chromium.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                     {"source": "delete window.WebAssembly; delete window.Uint8Array;"})["identifier"]
    try:
        started = time.monotonic()
        chromium.get(PAGE.resolve().as_uri())
        assert shown_message(chromium) == what_users_see["cannotRun"] and time.monotonic() - started < 2.5
        assert not chromium.find_elements(By.CSS_SELECTOR, "#kestrova label, #kestrova button")
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        chromium.save_screenshot(str(SCREENSHOTS / "cannot-run.png"))
    finally:
        chromium.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})


def test_with_scripts_off_the_page_says_so_after_a_while(chromium, what_users_see):
    chromium.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": True})
    try:
        chromium.get(PAGE.resolve().as_uri())
        early = shown_message(chromium)
        time.sleep(3.5)
        assert early is None and shown_message(chromium) == what_users_see["cannotRun"]
    finally:
        chromium.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": False})


def test_while_the_quiz_runs_the_page_never_says_it_cannot(chromium):
    chromium.get(PAGE.resolve().as_uri())
    time.sleep(3.5)
    assert shown_message(chromium) is None and chromium.find_element(By.ID, "Text1(0)").is_displayed()


@pytest.fixture(params=["now", "before Safari 14"])
def media_events(request, chromium):
    """Media queries with change events, or (Safari before 14) only their older addListener."""
    added = None
    if request.param != "now":
        added = chromium.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            Object.defineProperty(MediaQueryList.prototype, 'addEventListener', {value: undefined});"""})
    yield request.param
    if added:
        chromium.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added["identifier"]})


def test_a_tablet_docked_to_a_touchpad_gets_the_exact_form_without_reloading(chromium, media_events):
    """The finger's rule and the mouse's on one 768 x 1024 screen, as the
    browser's pointer changes under the open page."""
    shown = "return document.getElementById('kestrova').className"
    chromium.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                             {"width": 768, "height": 1024, "deviceScaleFactor": 2, "mobile": True})
    chromium.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    try:
        chromium.get(PAGE.resolve().as_uri())
        by_finger = chromium.execute_script(shown)
        chromium.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
        time.sleep(0.3)
        assert (by_finger, chromium.execute_script(shown)) == ("touch", "exact")
    finally:
        chromium.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
        chromium.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                 {"width": 800, "height": 700, "deviceScaleFactor": 1, "mobile": False})


@pytest.fixture(scope="module")
def what_users_see():
    return json.loads(Path(os.environ["KESTROVA_WHAT_USERS_SEE_JSON"]).read_text(encoding="utf-8"))
