"""The page as a learning platform plays it: the SCORM 1.2 package
make_scorm.py makes, launched in scorm_lms.html on 127.0.0.1 with
scorm-again, a SCORM runtime written elsewhere, as the platform's API. What
the page calls and what the platform keeps, across a reload and a refused
commit; and that without a usable platform the page is as it is alone."""
import http.server
import subprocess
import threading
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

import pytest

from conftest import Browsers
from engines import WAIT_FOR_CONTROLS

HERE = Path(__file__).resolve().parent
RUNTIME = HERE / "node_modules" / "scorm-again" / "dist" / "scorm12.js"
CP, ADLCP = "{http://www.imsproject.org/xsd/imscp_rootv1p1p2}", "{http://www.adlnet.org/xsd/adlcp_rootv1p2}"


@pytest.fixture(scope="module")
def package(page_file, tmp_path_factory):
    out = tmp_path_factory.mktemp("scorm") / "kestrova-scorm12.zip"
    subprocess.run([HERE.parent.parent / "resources" / "web" / "make_scorm.py", page_file, "1.00", out], check=True)
    return zipfile.ZipFile(out)


def test_the_package_is_one_sco_launching_the_page(package, page_file, users_see, check):
    manifest = ET.fromstring(package.read("imsmanifest.xml"))
    check([m.text for m in manifest.find(CP + "metadata")] == ["ADL SCORM", "1.2"], "a SCORM 1.2 manifest")
    item = manifest.find(f"{CP}organizations/{CP}organization/{CP}item")
    resource = manifest.find(f"{CP}resources/{CP}resource[@identifier='{item.get('identifierref')}']")
    check(resource.get(ADLCP + "scormtype") == "sco" and resource.get("href") == "kestrova.html",
          "its one item launches kestrova.html, a SCO")
    check(item.find(CP + "title").text == users_see["heading"], "titled as the quiz is headed")
    check(sorted(package.namelist()) == ["imsmanifest.xml", "kestrova.html"], "the manifest at the root, with the page")
    check(package.read("kestrova.html") == page_file.read_bytes(), "the page as built")


class Platform(http.server.ThreadingHTTPServer):
    """Serves the player, scorm-again and the package, and keeps what the
    last commit sent; refuses the next `refuse` commits with a server error."""
    kept, refuse = b"", 0


class Serve(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        path = self.path.split("?")[0]
        body = self.server.kept if path == "/kept" else self.server.files.get(path)
        self.send_response(404 if body is None else 200)
        self.send_header("Content-Type", "text/javascript" if path.endswith(".js") else "text/html; charset=utf-8")
        self.end_headers()
        self.wfile.write(body or b"")

    def do_POST(self):
        body = self.rfile.read(int(self.headers["Content-Length"]))
        refused = self.server.refuse > 0
        self.server.refuse -= refused
        self.server.kept = self.server.kept if refused else body
        self.send_response(500 if refused else 200)
        self.send_header("Content-Type", "application/json")
        self.end_headers()
        self.wfile.write(b"" if refused else b'{"result": true, "errorCode": 0}')


@pytest.fixture(scope="module")
def platform(package):
    if not RUNTIME.is_file():
        pytest.skip("scorm-again is not installed: run npm ci --ignore-scripts in tests/web")
    server = Platform(("127.0.0.1", 0), Serve)
    server.files = {"/lms.html": (HERE / "scorm_lms.html").read_bytes(), "/scorm12.js": RUNTIME.read_bytes(),
                    "/kestrova.html": package.read("kestrova.html"), "/blank": b""}
    threading.Thread(target=server.serve_forever, daemon=True).start()
    server.url = f"http://127.0.0.1:{server.server_address[1]}/"
    pool = Browsers(server.url + "lms.html")
    server.browser = pool.get
    yield server
    pool.close()
    server.shutdown()


def framed(browser, script, *args):
    """Runs `script` with the framed quiz's document as `d` and the arguments as `a`, once its controls are
    there."""
    return browser.js("const a = arguments; return new Promise(r => (function wait() { const d = frames[0].document;"
                      " d.getElementById('Text1(0)') ? r((function (d) {" + script + "})(d)) : setTimeout(wait, 10);"
                      " })())", *args)


def answer(browser, firm, country):
    return framed(browser, "for (const id of a[0]) d.getElementById(id).click();"
                  " return d.getElementById('Text1(0)').value", [f"Option1({firm})", f"Option2({country})", "Command1(0)"])


def launch(browser, platform, refuse=0, kept=b""):
    """The player opened afresh on an attempt the platform keeps as `kept`, with no calls recorded from before
    and the server refusing the first `refuse` commits."""
    page, browser.url = browser.url, platform.url + "blank"  # the player's origin, without the player
    browser.load()
    browser.js("sessionStorage.clear()")
    platform.kept, platform.refuse, browser.url = kept, refuse, page
    browser.load()


def values(calls, element):
    return [c[2] for c in calls if c[:2] == ["LMSSetValue", element]]


def test_a_platform_records_each_firm_found_once_across_a_reload(platform, engine, check):
    browser = platform.browser(engine)
    launch(browser, platform, refuse=1)
    answer(browser, 2, 2), answer(browser, 2, 2), answer(browser, 5, 5), answer(browser, 1, 3)
    browser.load()  # the student reloads: a new launch of the same attempt
    found = [answer(browser, firm, firm) for firm in (0, 1, 3, 4, 6, 7, 8, 9, 2)]
    browser.js("frames[0].location.href = 'about:blank'")  # the platform moves on
    calls = browser.js("return new Promise(r => (function wait() { calls[calls.length - 1][0] === 'LMSFinish'"
                       " ? r(calls) : setTimeout(wait, 10); })())")
    print("\n".join(" ".join(c) for c in calls))
    check(all(f.startswith("Браво! Позна.") for f in found), "the quiz answered as ever")
    sessions = " ".join(c[0] for c in calls if c[0] in ("LMSInitialize", "LMSFinish"))
    check(sessions == "LMSInitialize LMSFinish LMSInitialize LMSFinish", f"two launches, each finished: {sessions}")
    check(calls[calls.index(["LMSCommit", "", "false"]) + 1] == ["LMSGetLastError", "101"],
          "the commit the server refused, its error read, and the page went on")
    check(["LMSGetValue", "cmi.suspend_data", "0010010000"] in calls, "the relaunch read back Nokia and Ericsson")
    scores = [int(v) for v in values(calls, "cmi.core.score.raw")]
    check(scores == [0, 1, 2, 2] + list(range(3, 11)), f"one more for each new firm, never less: {scores}")
    check(sum(c[0] == "LMSCommit" for c in calls) == len(scores), "a commit after each report")
    check(values(calls, "cmi.core.lesson_status") == ["incomplete"] * 11 + ["completed"], "completed with the tenth")
    final = {e: browser.js("return API.cmi.core.score[arguments[0]]", e) for e in ("raw", "min", "max")}
    final.update(status=browser.js("return API.cmi.core.lesson_status"), suspend=browser.js("return API.cmi.suspend_data"))
    print("final:", final)
    check(final == {"raw": "10", "min": "0", "max": "10", "status": "completed", "suspend": "1111111111"},
          f"the platform keeps all ten found and the attempt completed: {final}")
    check(b'"lesson_status":"completed"' in platform.kept, "and so does its server")
    # What scorm-again logs of the refused commit is the platform's own.
    check([m for m in browser.console() if "scorm12.js" not in m] == [], "the page itself says nothing")


def test_a_score_kept_without_its_firms_is_never_lowered(platform, engine, check):
    browser = platform.browser(engine)
    # A platform that kept the score and lost what the page stored with it.
    launch(browser, platform, kept=b'{"cmi": {"core": {"score": {"raw": "4"}, "lesson_status": "incomplete"}}}')
    answer(browser, 6, 6)
    calls = browser.js("return calls")
    check(values(calls, "cmi.core.score.raw") == ["4", "4"], f"4 kept: {values(calls, 'cmi.core.score.raw')}")
    check(values(calls, "cmi.suspend_data")[-1] == "0000001000", "Alcatel SA found since")


@pytest.mark.parametrize("where", ["alone", "framed by a throwing platform", "framed by another origin"])
def test_without_a_usable_platform_the_page_is_as_alone(platform, engine, where, check, users_see):
    browser = platform.browser(engine)
    quiz = platform.url + "kestrova.html"
    home, browser.url = browser.url, {"alone": quiz, "framed by a throwing platform": platform.url + "lms.html?api=throws"}.get(
        where, platform.url + "lms.html?quiz=" + quiz.replace("127.0.0.1", "localhost"))
    try:
        launch(browser, platform)
        if where != "alone":
            if not hasattr(browser, "driver"):
                pytest.skip(f"{engine}: the tests' bridge to it reads no framed page")
            browser.js("return new Promise(r => (function wait() { window.quizLoaded ? r() : setTimeout(wait, 10); })())")
            browser.driver.switch_to.frame(0)
        browser.js(WAIT_FOR_CONTROLS)
        verdict = browser.js("for (const id of arguments[0]) document.getElementById(id).click();"
                             " return document.getElementById('Text1(0)').value", ["Option1(9)", "Option2(9)", "Command1(0)"])
        check(verdict.startswith(users_see["texts"]["right"]), "the quiz answers")
        check(browser.console() == [], "and says nothing else")
        if where != "alone":
            browser.driver.switch_to.default_content()
            check(browser.js("return calls") == [], "nor calls the platform's API")
    finally:
        browser.url = home
