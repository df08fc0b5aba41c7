#!/usr/bin/python3
"""Times kestrova.html against a static page with the same elements in each
browser engine the page's tests drive, through the tests' own drivers
(tests/web/engines.py): Chromium, Firefox ESR and WebKitGTK.

Two times, both from the page's navigation start: its first contentful
paint (Paint Timing, which every engine gives a script), and the first
click handled: a copy of the page clicks a firm, a country and «Изведи» as
soon as its controls are parsed, before its program runs, and the time is
when the verdict is announced (the page's live region changes). The paint
is timed on the page as shipped, since the copy's own script delays it;
the click on the copy, with how long after that load's own paint it came. The quiz's page
holds its controls as written, so it paints them before its program runs;
after each paint the page must hold the controls and not its message that
it cannot run, and the verdict must come, or the bench ends with the reason
instead of a time.

The static page is the quiz's DOM after it has loaded in the same engine,
saved without its scripts. In each engine in turn, each round loads the
quiz and the static page, each from an empty page of its own kind, in an
order that turns round by round, so that the machine's other work falls
on both alike; two rounds warm up. The quiz is also timed as
browsers whose policy check refuses WebAssembly run it (the page's
'wasm-unsafe-eval' taken out: Safari and iOS 12 to 15, Chrome 70 to 96),
and in Chromium as browsers without WebAssembly run it (removed before the
page's script runs, which only Chromium's DevTools can do). `--compare
PAGE` times another build of the page beside them, such as one with the
program as WebAssembly.

The quiz and the static page are timed twice: opened as files, as from a
USB stick, and served by a plain web server on 127.0.0.1, as a teacher's
link opens them. WebKitGTK, given the whole page at once, paints only once
it has read all of it, so a larger page paints later there however little
of it shows. Browsers keep files and served pages in processes of their
own: the empty page before each timed one is of its kind, so that no time
is a switch of process.

   web_page.py PAGE RUNS [--compare PAGE] [ENGINE ...]

prints JSON: {"engines": {engine: {"version", "layout", "times": {page: [ms...]},
"clicks": {page: [ms...]}, "after": {page: [ms after that load's paint...]}}}, "missing": {engine: why}, "load": [1-minute load
average at each round]}. Exits 1, saying why, where a page is not ready.
"""
import json
import os
import re
import shutil
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
import engines  # noqa: E402

# A desktop browser's screen, where the quiz shows its exact form.
SCREEN = (1366, 768)
# Longer than the page's three seconds before it shows its message.
PATIENCE_MS = 10000
READY = """
return new Promise(done => (function look() {
  const paint = performance.getEntriesByName('first-contentful-paint')[0];
  const answered = window.kestrovaAnswered ? window.kestrovaAnswered() : -1;
  if ((!paint || answered === null) && performance.now() < arguments[0]) return setTimeout(look, 5);
  const root = document.getElementById('kestrova');
  const missing = ['Text1(0)', 'Option1(0)', 'Option2(9)', 'Command1(0)', 'Command1(1)']
    .filter(id => !document.getElementById(id));
  const message = root && root.querySelector(':scope > p');
  done({paint: paint ? paint.startTime : null, answered, missing,
        message: message && getComputedStyle(message).visibility !== 'hidden' ? message.textContent : null,
        layout: root && root.className});
})())""".replace("arguments[0]", str(PATIENCE_MS))
# Put right after the page's first script, which keeps what is done before
# the program runs: a right pair chosen and «Изведи» pressed at once, and the
# time the verdict is announced.
CLICK_AT_ONCE = """<script>
(function () {
  var answered = null, root = document.getElementById('kestrova');
  new MutationObserver(function () {
    var said = [].some.call(root.querySelectorAll('.announce'), function (e) { return e.textContent; });
    if (answered === null && said) answered = performance.now();
  }).observe(root, {subtree: true, childList: true, characterData: true});
  ['Option1(0)', 'Option2(0)', 'Command1(0)'].forEach(function (id) { document.getElementById(id).click(); });
  window.kestrovaAnswered = function () { return answered; };
})();
</script>"""
STATIC_COPY = """
const d = document.documentElement.cloneNode(true);
d.querySelectorAll('script').forEach(s => s.remove());
d.querySelector('[id="Text1(0)"]').textContent = document.getElementById('Text1(0)').value;
return '<!doctype html>' + d.outerHTML;"""


class NotReady(Exception):
    pass


# An empty page to start from, beside the timed ones, as a file and served.
BLANK = "blank.html"


def first_paint(engine, url):
    engine.url = url.rsplit("/", 1)[0] + "/" + BLANK
    engine.load()
    engine.url = url
    engine.load()
    return engine.js(READY)


def ready_time(engine, url, name):
    """Loads url afresh and returns its first contentful paint and its
    first click handled (None for the static page), in ms."""
    seen = first_paint(engine, url)
    where = f"{name} in {engine.name}"
    if seen["paint"] is None:
        raise NotReady(f"{where}: no first contentful paint within {PATIENCE_MS / 1000:.0f} s")
    if seen["missing"] or seen["message"]:
        raise NotReady(f"{where}: painted at {seen['paint']:.0f} ms without the quiz's controls "
                       f"(missing {', '.join(seen['missing']) or 'none'}; shows «{seen['message']}»)")
    if seen["answered"] is None:
        raise NotReady(f"{where}: «Изведи» pressed at once was not answered within {PATIENCE_MS / 1000:.0f} s")
    return seen["paint"], seen["answered"] if seen["answered"] >= 0 else None, seen["layout"]


def clicking_at_once(page, copy):
    html = page.read_text(encoding="utf-8")
    copy.write_text(html.replace("</script>", "</script>" + CLICK_AT_ONCE, 1), encoding="utf-8")
    return copy


# What the page's policy lets a script compile, asked after the page has run.
COMPILE = ("return WebAssembly.instantiate(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0]))"
           ".then(() => 'compiled', e => String(e))")


def quiz_times(engine, shipped, clicking, name):
    """The shipped page's first paint; the copy's first click handled, and
    how long after that load's own paint."""
    paint = ready_time(engine, shipped, name)[0]
    painted, click, _ = ready_time(engine, clicking, name)
    return paint, (click, click - painted)


def quiz_refused(engine, shipped, clicking):
    """The quiz as a browser whose policy check refuses its WebAssembly runs
    it: the engine must refuse a compile under that policy, so the controls
    it shows were built by the JavaScript program."""
    times = quiz_times(engine, shipped, clicking, "the quiz with its WebAssembly refused")
    answer = engine.js(COMPILE)
    if answer == "compiled":
        raise NotReady(f"{engine.name}: the page's policy without 'wasm-unsafe-eval' did not refuse WebAssembly")
    return times


class Chromium(engines.Chromium):
    """Only Chromium's DevTools can remove WebAssembly before the page's script runs."""

    def quiz_without_webassembly(self, shipped, clicking):
        added = self.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": "delete window.WebAssembly;"})
        try:
            times = quiz_times(self, shipped, clicking, "the quiz without WebAssembly")
            if self.js("return typeof WebAssembly") != "undefined":
                raise NotReady("chromium: WebAssembly was still there")
            return times
        finally:
            self.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added["identifier"]})


def time_rounds(engine, runs, result, wanted):
    """Two rounds to warm the caches, then `runs` kept, of the pages wanted,
    each round in an order turned by one, so that no page always follows the
    same one, whose leftover work would fall on it alone."""
    labels = [label for label in engine.pages if wanted(label)]
    kept = result["engines"][engine.name]
    for round_ in range(runs + 2):
        turn = round_ % len(labels)
        for label in labels[turn:] + labels[:turn]:
            ms, click = engine.pages[label]()
            if round_ >= 2:
                kept["times"][label].append(ms)
                if click is not None:
                    kept["clicks"][label].append(click[0])
                    kept["after"][label].append(click[1])
        result["load"].append(os.getloadavg()[0])


def main():
    args = sys.argv[1:]
    compare = None
    if "--compare" in args:
        at = args.index("--compare")
        compare = Path(args[at + 1]).resolve()
        del args[at:at + 2]
    page, runs = Path(args[0]).resolve(), int(args[1])
    wanted = args[2:] or list(engines.ENGINES)
    classes = dict(engines.ENGINES, chromium=Chromium)
    work = tempfile.TemporaryDirectory(prefix="kestrova-bench-")
    clicking_file = clicking_at_once(page, Path(work.name, "kestrova.html"))
    clicking = clicking_file.as_uri()
    Path(work.name, "refused").mkdir()
    try:
        refused = engines.webassembly_refused(page, Path(work.name, "refused"))
    except ValueError as e:
        sys.exit(f"not ready: {e}")
    refused = refused.as_uri(), clicking_at_once(refused, Path(work.name, "refused", "clicking.html")).as_uri()
    if compare:
        compared = (shutil.copy(compare, Path(work.name, "compared-shipped.html")).as_uri(),
                    clicking_at_once(compare, Path(work.name, "compared.html")).as_uri())
    shipped_file = shutil.copy(page, Path(work.name, "shipped.html"))
    shipped = shipped_file.as_uri()
    for folder in (Path(work.name), Path(work.name, "refused")):
        Path(folder, BLANK).write_text("<!doctype html><title>-</title>", encoding="utf-8")
    server = engines.Server(work.name)

    def over_http(file):
        return server.url + file.relative_to(work.name).as_posix()
    opened, missing = [], {}
    result = {"engines": {}, "missing": missing, "load": []}
    try:
        for name in wanted:
            try:
                engine = classes[name](shipped)
            except engines.EngineMissing as e:
                missing[name] = str(e)
                continue
            except engines.EngineFailed as e:
                sys.exit(f"{name} is installed but did not start: {e}")
            opened.append(engine)
            engine.screen(*SCREEN)
            *_, layout = ready_time(engine, shipped, "the quiz")
            static = Path(work.name, f"static-{name}.html")
            static.write_text(engine.js(STATIC_COPY), encoding="utf-8")
            pages = {"quiz": lambda e=engine: quiz_times(e, shipped, clicking, "the quiz"),
                     "static": lambda e=engine, s=static: (ready_time(e, s.as_uri(), "the static page")[0], None)}
            pages["quiz, WebAssembly refused"] = lambda e=engine: quiz_refused(e, *refused)
            if name == "chromium":
                pages["quiz, no WebAssembly"] = lambda e=engine: e.quiz_without_webassembly(shipped, clicking)
            if compare:
                pages["compared"] = lambda e=engine: quiz_times(e, *compared, "the compared page")
            pages["quiz, served"] = lambda e=engine: quiz_times(
                e, over_http(shipped_file), over_http(clicking_file), "the quiz served")
            pages["static, served"] = lambda e=engine, s=static: (
                ready_time(e, over_http(s), "the static page served")[0], None)
            engine.pages = pages
            result["engines"][name] = {"version": engine.version, "layout": layout,
                                       **{what: {p: [] for p in pages} for what in ("times", "clicks", "after")}}
        # One engine at a time, so that none works while another is timed;
        # the files first, then the served pages, so that no timed page
        # follows one of the other kind.
        for engine in opened:
            for served in (False, True):
                time_rounds(engine, runs, result, lambda label: label.endswith(", served") == served)
    except NotReady as e:
        sys.exit(f"not ready: {e}")
    finally:
        for engine in opened:
            engine.quit()
        server.stop()
        work.cleanup()
    print(json.dumps(result))


if __name__ == "__main__":
    main()
