"""The page's tests in every browser engine: each test that takes `engine`
runs once in Chromium, Firefox ESR and WebKitGTK (or those named with
--engines), on browsers shared by the whole run. An engine that is not
installed skips its tests with the reason; one that is installed but does
not start is tried once more, then fails its tests with what it said. When
nothing could run at all, the run exits 77, which CTest counts as skipped.

    pytest tests/web --page kestrova.html --linux-result linux_result
        --screenshots DIR --axe axe.min.js --what-users-see what_users_see_json
"""
import json
import os
import subprocess
from dataclasses import dataclass
from pathlib import Path

import pytest

from engines import ENGINES, EngineFailed, EngineMissing, load_what_users_see, started

SKIPPED_EVERYTHING = 77


def pytest_addoption(parser):
    parser.addoption("--page", default=None, help="kestrova.html")
    parser.addoption("--linux-result", default=None, help="the tool that runs the Linux window")
    parser.addoption("--screenshots", default=None, help="where the screenshots go")
    parser.addoption("--axe", default=None, help="axe-core's axe.min.js")
    parser.addoption("--what-users-see", default=None, help="what_users_see.json")
    parser.addoption("--engines", default=",".join(ENGINES), help="comma-separated: " + ", ".join(ENGINES))


@dataclass(frozen=True)
class Screen:
    """A screen the page is opened on; `text` is the reader's own text size."""
    name: str
    width: int
    height: int
    ratio: float = 1
    mobile: bool = False
    touch: bool = False
    text: int = 16

    def __str__(self):
        return f"{self.name}-{self.width}x{self.height}@{self.ratio:g}" + (f"-text{self.text}" if self.text != 16
                                                                           else "")


DESKTOP = Screen("desktop-window", 800, 700)

# Runs of clicks the page is put through, each answered by the Linux window:
# every right pair, then a wrong pair, nothing chosen, «Чисти», and one side
# after «Чисти».
RIGHT_RUNS = [(f"Option1({i})", f"Option2({i})", "Command1(0)") for i in range(10)]
OTHER_RUNS = [("Option1(2)", "Option2(3)", "Command1(0)"),
              ("Command1(0)",),
              ("Option1(4)", "Option2(4)", "Command1(0)", "Command1(1)"),
              ("Option1(4)", "Option2(4)", "Command1(0)", "Command1(1)", "Option2(4)", "Command1(0)")]


def pytest_configure(config):
    # Selenium's own WebKitGTK options still carry a pre-W3C capability.
    config.addinivalue_line("filterwarnings", "ignore:platform is not a w3c capability:DeprecationWarning")


def pytest_generate_tests(metafunc):
    if "engine" in metafunc.fixturenames:
        wanted = [e for e in metafunc.config.getoption("--engines").split(",") if e]
        metafunc.parametrize("engine", wanted, scope="session")


def pytest_collection_modifyitems(config, items):
    """Tests grouped by engine, then by what needs a new browser, so that
    each browser starts as few times as it can."""
    order = list(ENGINES)

    def key(item):
        params = getattr(item, "callspec", None) and item.callspec.params or {}
        screen = params.get("screen", DESKTOP)
        return (order.index(params["engine"]) if "engine" in params else -1, screen.text, screen.ratio)

    items.sort(key=key)
    RAN["in a browser"] = sum(1 for item in items if "engine" in getattr(getattr(item, "callspec", None), "params", {}))


@pytest.fixture(scope="session")
def users_see(pytestconfig):
    return load_what_users_see(pytestconfig.getoption("--what-users-see"))


@pytest.fixture(scope="session")
def golden():
    """A text of the quiz exactly as tests/golden holds it, "\r\n" included."""
    return lambda name: (Path(__file__).resolve().parents[1] / "golden" / name).read_bytes().decode("utf-8")


@pytest.fixture(scope="session")
def form_size(users_see):
    """The form's client area at 1 x in CSS pixels: its size at 96 dpi."""
    at_one = next(d for d in users_see["densities"] if d["dpi"] == 96)
    return at_one["clientWidth"], at_one["clientHeight"]


@pytest.fixture(scope="session")
def page_file(pytestconfig):
    return Path(pytestconfig.getoption("--page"))


@pytest.fixture(scope="session")
def screenshots(pytestconfig):
    folder = Path(pytestconfig.getoption("--screenshots"))
    folder.mkdir(parents=True, exist_ok=True)
    return folder


@pytest.fixture(scope="session")
def axe_source(pytestconfig):
    return Path(pytestconfig.getoption("--axe")).read_text()


@pytest.fixture(scope="session")
def linux_result(pytestconfig):
    """What the Linux window's result box holds after each run of clicks."""
    tool = pytestconfig.getoption("--linux-result")
    cache = {}

    def run(*runs):
        missing = [r for r in runs if tuple(r) not in cache]
        if missing:
            # The Linux window, off screen.
            env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
            out = subprocess.run([tool], input="\n".join(" ".join(r) for r in missing) + "\n",
                                 capture_output=True, text=True, check=True, env=env).stdout
            for r, text in zip(missing, json.loads(out), strict=True):
                cache[tuple(r)] = text
        return [cache[tuple(r)] for r in runs]

    return run


class Browsers:
    """At most one browser of each engine at a time, started again only
    when a setting it takes at its start changes."""

    def __init__(self, url):
        self.url = url
        self.live = {}
        self.missing = {}
        self.failed = {}

    def get(self, engine, ratio=1, text=16):
        kind = ENGINES[engine]
        if engine in self.missing:
            pytest.skip(f"{engine}: {self.missing[engine]}")
        if engine in self.failed:
            pytest.fail(f"{engine} is installed but did not start, twice: {self.failed[engine]}", pytrace=False)
        settings = {"ratio": ratio, "text": text}
        key = tuple(settings[s] for s in kind.fixed)
        if engine in self.live and self.live[engine][0] != key:
            self.live.pop(engine)[1].quit()
        if engine not in self.live:
            try:
                self.live[engine] = (key, started(kind, self.url, ratio=ratio, text=text))
            except EngineMissing as e:
                self.missing[engine] = str(e)
                pytest.skip(f"{engine}: {e}")
            except EngineFailed as e:
                self.failed[engine] = str(e)
                pytest.fail(f"{engine} is installed but did not start, twice: {e}", pytrace=False)
        browser = self.live[engine][1]
        browser.settle(ratio, text)
        return browser

    def close(self):
        for _, browser in self.live.values():
            browser.quit()
        self.live.clear()


@pytest.fixture(scope="session")
def browsers(page_file):
    pool = Browsers(page_file.resolve().as_uri())
    yield pool
    pool.close()


@pytest.fixture
def browser(browsers, engine, request):
    """The engine's browser on the screen the test names (`screen`), or a
    desktop browser's 800 x 700 window."""
    screen = request.node.callspec.params.get("screen", DESKTOP) if hasattr(request.node, "callspec") else DESKTOP
    b = browsers.get(engine, screen.ratio, screen.text)
    b.screen(screen.width, screen.height, screen.ratio, screen.mobile, screen.touch)
    return b


RAN = {"passed": 0, "failed": 0, "in a browser": 0}


def pytest_runtest_logreport(report):
    """Counts what ran in a browser: a run where none could start is skipped."""
    if "[" not in report.nodeid or not any(f"[{e}" in report.nodeid or f"-{e}" in report.nodeid for e in ENGINES):
        return
    if report.when == "call" and report.outcome in RAN:
        RAN[report.outcome] += 1
    if report.failed and report.when != "call":
        RAN["failed"] += 1


def pytest_sessionfinish(session, exitstatus):
    if exitstatus == 0 and RAN["in a browser"] and RAN["passed"] == 0 and RAN["failed"] == 0:
        session.exitstatus = SKIPPED_EVERYTHING

