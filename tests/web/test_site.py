"""The release's web site as a class meets it: made by scripts/package from
the builds, served by a real HTTP server on 127.0.0.1 and opened in each
engine. Every link answers, nothing comes from elsewhere, each download is
what SHA256SUMS says, the quiz answers a pair, axe-core finds nothing, and
the quiz, installed as an app, keeps working with the server gone and takes
up the next release."""
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

from conftest import Browsers
from engines import WAIT_FOR_CONTROLS, Server
from test_screens import axe

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "tests" / "support"))
import guide_files  # noqa: E402
LIGHTHOUSE = SOURCE / "tests" / "release" / "node_modules" / "lighthouse" / "cli" / "index.js"
# The quiz's own address on the site, which teachers hand out.
QUIZ = json.loads((SOURCE / "tests" / "what_users_see.json").read_text(encoding="utf-8"))["site"]["quiz"]
PAIR = ("Option1(2)", "Option2(2)", "Command1(0)")  # Nokia, Финландия, «Изведи»
LINKS = ("return [...document.querySelectorAll('a[href], link[href], img[src], script[src]')]"
         ".map(e => e.href || e.src)")

# A connection elsewhere, and what the policy said of it.
REACH_OUT = """const seen = [];
    document.addEventListener('securitypolicyviolation', e => seen.push(e.violatedDirective));
    return fetch('https://www.kestrova.example/').then(() => 'sent', () => 'refused')
        .then(r => new Promise(ok => setTimeout(() => ok([r, seen]), 200)))"""


@pytest.fixture(scope="session")
def server(tmp_path_factory):
    """scripts/package's release from the ci, windows-i686 and web builds,
    its site served."""
    missing = [b for b in ("ci/CPackConfig.cmake", "windows-i686/bundle.json", "web/kestrova.html")
               if not (SOURCE / "build" / b).is_file()]
    if missing:
        pytest.skip(f"not built: {', '.join(missing)} (configure and build those presets)")
    dist = tmp_path_factory.mktemp("release") / "dist"
    subprocess.run([SOURCE / "scripts" / "package", "--from-builds", dist], check=True, stdout=subprocess.DEVNULL)
    served = Server(dist / "site")
    served.release = dist
    yield served
    served.stop()


@pytest.fixture(scope="session")
def site_browsers(server):
    pool = Browsers(server.url)
    yield pool
    pool.close()


@pytest.fixture
def site(site_browsers, engine, users_see):
    b = site_browsers.get(engine)
    b.screen(800, 700)
    b.right = users_see["texts"]["right"]
    return b


def until(browser, condition, seconds):
    """The value of the script's expression once true, or when time is up."""
    return browser.js("return new Promise(r => { const t = Date.now(); (async function wait() {"
                      f" const v = await ({condition}); v || Date.now() - t > {seconds * 1000} ? r(v)"
                      " : setTimeout(wait, 50); })(); })")


def visit(browser, server, path):
    browser.url = server.url + path
    browser.load()
    if path.startswith(QUIZ):
        browser.js(WAIT_FOR_CONTROLS)


def answer_pair(browser):
    """True when Nokia with Финландия gets the right verdict."""
    for name in PAIR:
        browser.click_control(name)
    return browser.js("return document.getElementById('Text1(0)').value").startswith(browser.right)


def test_links_policy_and_axe(site, server, axe_source):
    """Every address the pages and the app name answers 200 from the site
    itself, each page's policy forbids the rest, and axe-core finds
    nothing on the first page and the quiz's."""
    wanted = set()
    for path in ("", QUIZ):
        visit(site, server, path)
        links = site.js(LINKS)
        loaded = site.js("return performance.getEntriesByType('resource').map(e => e.name)")
        # The page's own icon is inline, in a data: address.
        links = [u for u in links if not u.startswith("data:")]
        elsewhere = [u[:80] for u in links + loaded if not u.startswith(server.url)]
        assert not elsewhere, f"/{path}: every link and load is the site's own: {elsewhere}"
        wanted.update(links)
        sent = site.js(REACH_OUT)
        assert sent[0] == "refused" and any(v in ("connect-src", "default-src") for v in sent[1]), f"/{path}: its policy refuses a connection elsewhere: {sent}"
        axe(site, axe_source, f"/{path}")
    worker = server.status(server.url + "sw.js")[1].decode()
    wanted.update(server.url + f for f in json.loads(re.search(r"FILES = (\[.*?\]);", worker, re.S).group(1)))
    answers = {u: server.status(u)[0] for u in sorted(wanted)}
    assert all(code == 200 for code in answers.values()), f"{len(answers)} addresses answer 200: {[u for u, c in answers.items() if c != 200]}"
    visit(site, server, QUIZ)
    assert answer_pair(site), "the quiz over http answers Nokia, Финландия"


def test_downloads_match_their_sums(server):
    """What a teacher downloads from the site is each file the release made,
    as the site's SHA256SUMS and first page say."""
    status, listed = server.status(server.url + "download/SHA256SUMS")
    sums = dict(reversed(line.split("  ", 1)) for line in listed.decode().splitlines())
    made = {p.name for p in server.release.iterdir() if p.is_file() and p.name != "SHA256SUMS"}
    assert status == 200 and set(sums) == made, f"the site's SHA256SUMS lists every download: {sorted(sums)}"
    first = server.status(server.url)[1].decode()
    for name, digest in sums.items():
        status, data = server.status(server.url + "download/" + name)
        assert status == 200 and hashlib.sha256(data).hexdigest() == digest, f"{name} matches its sum"
        assert f'href="download/{name}"' in first and digest in first, f"the first page links {name} with its SHA-256"
    # The guide on the site promises no file that the site lacks.
    site = server.release / "site"
    listing = [str(p.relative_to(site)) for p in site.rglob("*") if p.is_file()]
    missing = guide_files.unlisted((site / "za-uchitelya.html").read_text(encoding="utf-8"), "site", listing)
    assert not missing, f"every file the site's guide names is on the site: missing {missing}"


def chromium_only(site):
    if site.name != "chromium":
        pytest.skip("what Chromium alone can emulate or tell")


def test_first_page_on_phone_and_whiteboard(site, server, screenshots, users_see):
    """The first page fits a phone and a whiteboard, its button a finger's
    size; the pictures are kept for a look."""
    chromium_only(site)
    for name, width, height, ratio in (("phone", 360, 780, 3), ("whiteboard", 1920, 1080, 1)):
        site.screen(width, height, ratio, mobile=name == "phone", touch=True)
        visit(site, server, "")
        wide = site.js("return document.documentElement.scrollWidth")
        button = site.js("const r = document.querySelector('a.open').getBoundingClientRect();"
                         " return [r.width, r.height, getComputedStyle(document.body).fontSize,"
                         " document.querySelector('a.open').textContent, document.querySelector('a.open').href]")
        assert button[3] == users_see["site"]["open"] and button[4] == server.url + QUIZ, f"{name}: its button «{button[3]}» opens {button[4]}"
        assert wide <= width, f"{name}: nothing goes sideways ({wide} px in {width})"
        assert button[1] >= 44 and float(button[2][:-2]) >= 16, f"{name}: «Отвори викторината» {button[0]:.0f} × {button[1]:.0f}, text {button[2]}"
        site.picture().save(screenshots / f"site-{name}.png")


def test_installable(site, server, users_see):
    """Chromium finds the quiz installable as an app, in the window's colour."""
    chromium_only(site)
    visit(site, server, QUIZ)
    site.js("return navigator.serviceWorker.ready.then(() => true)")
    errors = site.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
    assert errors == [], f"no installability errors: {errors}"
    manifest = json.loads(server.status(server.url + QUIZ + "manifest.webmanifest")[1])
    colour = "#%02x%02x%02x" % tuple(users_see["colours"]["window"])
    icons = {(i["sizes"], i["purpose"]) for i in manifest["icons"]}
    assert (manifest["theme_color"] == colour and manifest["lang"] == "bg" and manifest["display"] == "standalone"
          and icons == {(f"{n}x{n}", p) for n in (192, 512) for p in ("any", "maskable")}), f"in Bulgarian, standalone, in the window's colour {colour}, icons at 192 and 512 px, also maskable"


def second_release(release, folder):
    """The same downloads with a quiz page that tells itself apart."""
    page = folder / "kestrova.html"
    page.write_text((release / "kestrova.html").read_text(encoding="utf-8").replace(
        "</head>", '<meta name="kestrova-release" content="second">\n</head>', 1), encoding="utf-8")
    downloads = [p for p in release.iterdir() if p.is_file() and p.name != "SHA256SUMS"]
    subprocess.run([SOURCE / "resources" / "web" / "make_site.py", "--page", page, "--version", "1.00",
                    "--out", folder / "site", "--guide", release / "site" / "za-uchitelya.html", *downloads], check=True, stdout=subprocess.DEVNULL)
    return folder / "site"


WHICH_RELEASE = "return (document.querySelector('meta[name=kestrova-release]') || {content: 'first'}).content"


def test_offline_and_the_next_release(site, server, tmp_path):
    """Opened once, the quiz and the first page come back with the server
    gone; a new release on the server replaces the kept one at the next
    visit, whole."""
    visit(site, server, QUIZ)
    if not site.js("return 'serviceWorker' in navigator"):
        pytest.skip(f"{site.name} {site.version}: no service workers here, so no offline copy")
    assert until(site, "!!navigator.serviceWorker.controller", 10), "the worker takes the quiz's page at once"
    server.stop()
    try:
        visit(site, server, QUIZ)
        assert answer_pair(site), "with the server gone the quiz answers Nokia, Финландия"
        visit(site, server, "")
        assert site.js("return document.title").startswith("Kestrova"), "and the first page opens"
    finally:
        server.start(second_release(server.release, tmp_path))
    try:
        visit(site, server, QUIZ)
        assert site.js(WHICH_RELEASE) == "second", "the next visit shows the new release"
        name = re.search(r'RELEASE = "([^"]+)"', (server.root / "sw.js").read_text()).group(1)
        until(site, f"caches.keys().then(k => k.join() === {json.dumps(name)})", 15)
        kept = site.js("return caches.keys()")
        assert kept == [name], f"the new release alone is kept: {kept}"
        server.stop()
        visit(site, server, QUIZ)
        assert site.js(WHICH_RELEASE) == "second" and answer_pair(site), "offline again, the new release answers"
    finally:
        server.start(server.release / "site")


def test_lighthouse(server):
    """Lighthouse's accessibility and best-practice scores, on a phone."""
    if not LIGHTHOUSE.is_file() or not shutil.which("node"):
        pytest.skip("lighthouse is not installed: npm ci in tests/release")
    for path in ("", QUIZ):
        done = subprocess.run(["node", LIGHTHOUSE, server.url + path, "--only-categories=accessibility,best-practices",
                               "--output=json", "--quiet", "--chrome-flags=--headless=new --no-sandbox --disable-gpu"],
                              capture_output=True, text=True, env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"))
        report = json.loads(done.stdout or "{}")
        scores = {k: c["score"] for k, c in report.get("categories", {}).items()}
        failing = [a["id"] for a in report.get("audits", {}).values() if a.get("score") == 0]
        assert scores == {"accessibility": 1, "best-practices": 1}, f"/{path}: {scores}, failing {failing} {done.stderr[-300:]}"
