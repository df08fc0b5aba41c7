#!/usr/bin/python3
"""Times kestrova.html against a static page with the same elements in each
browser engine the page's tests drive, through the tests' own drivers
(tests/web/engines.py): Chromium, Firefox ESR and WebKitGTK.

The time is the page's own Paint Timing, navigation start to first
contentful paint, which every engine gives a script. The quiz's page holds
nothing to paint until its program has built the controls (only a message
that stays hidden for its first three seconds), so its first contentful
paint is the quiz ready and drawn: the bench first checks, in each engine,
that the page without its scripts paints nothing before that message shows.
After each paint the page must hold the controls and not its message; a
page that never paints, or paints without them, ends the bench with the
reason instead of a time.

The static page is the quiz's DOM after it has loaded in the same engine,
saved without its scripts. Each round loads, from about:blank, the quiz and
then the static page in every engine in turn, so that the machine's other
work falls on both alike; two rounds warm up. The quiz is also timed as
browsers whose policy check refuses its WebAssembly run it (the page's
'wasm-unsafe-eval' taken out: Safari and iOS 12 to 15, Chrome 70 to 96),
and in Chromium as browsers without WebAssembly run it (removed before the
page's script runs, which only Chromium's DevTools can do): both run the
program compiled to JavaScript.

   web_page.py PAGE RUNS [ENGINE ...]

prints JSON: {"engines": {engine: {"version", "layout", "times": {page: [ms...]}}},
"missing": {engine: why}, "load": [1-minute load average at each round]}.
Exits 1, saying why, where a page is not ready.
"""
import json
import os
import re
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
  if (!paint && performance.now() < arguments[0]) return setTimeout(look, 5);
  const root = document.getElementById('kestrova');
  const missing = ['Text1(0)', 'Option1(0)', 'Option2(9)', 'Command1(0)', 'Command1(1)']
    .filter(id => !document.getElementById(id));
  const message = root && root.querySelector(':scope > p');
  done({paint: paint ? paint.startTime : null, missing,
        message: message && getComputedStyle(message).visibility !== 'hidden' ? message.textContent : null,
        layout: root && root.className});
})())""".replace("arguments[0]", str(PATIENCE_MS))
STATIC_COPY = """
const d = document.documentElement.cloneNode(true);
d.querySelectorAll('script').forEach(s => s.remove());
d.querySelector('[id="Text1(0)"]').textContent = document.getElementById('Text1(0)').value;
return '<!doctype html>' + d.outerHTML;"""


class NotReady(Exception):
    pass


def first_paint(engine, url):
    engine.url = "about:blank"
    engine.load()
    engine.url = url
    engine.load()
    return engine.js(READY)


def ready_time(engine, url, name):
    """Loads url afresh and returns its time to the quiz ready, in ms."""
    seen = first_paint(engine, url)
    where = f"{name} in {engine.name}"
    if seen["paint"] is None:
        raise NotReady(f"{where}: no first contentful paint within {PATIENCE_MS / 1000:.0f} s")
    if seen["missing"] or seen["message"]:
        raise NotReady(f"{where}: painted at {seen['paint']:.0f} ms without the quiz's controls "
                       f"(missing {', '.join(seen['missing']) or 'none'}; shows «{seen['message']}»)")
    return seen["paint"], seen["layout"]


def nothing_paints_before_the_program(engine, bare):
    """The page without its scripts paints nothing until its message shows
    (after 3 s): so the quiz's first paint is its program's."""
    seen = first_paint(engine, bare)
    if seen["paint"] is not None and seen["paint"] < 3000:
        raise NotReady(f"{engine.name}: the page paints at {seen['paint']:.0f} ms before its program runs, "
                       "so its first paint is not the quiz ready")


# What the page's policy lets a script compile, asked after the page has run.
COMPILE = ("return WebAssembly.instantiate(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0]))"
           ".then(() => 'compiled', e => String(e))")


def quiz_refused(engine, url):
    """The quiz as a browser whose policy check refuses its WebAssembly runs
    it: the engine must refuse a compile under that policy, so the controls
    it shows were built by the JavaScript program."""
    ms, _ = ready_time(engine, url, "the quiz with its WebAssembly refused")
    answer = engine.js(COMPILE)
    if answer == "compiled":
        raise NotReady(f"{engine.name}: the page's policy without 'wasm-unsafe-eval' did not refuse WebAssembly")
    return ms


class Chromium(engines.Chromium):
    """Only Chromium's DevTools can remove WebAssembly before the page's script runs."""

    def quiz_without_webassembly(self, url):
        added = self.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": "delete window.WebAssembly;"})
        try:
            ms, _ = ready_time(self, url, "the quiz without WebAssembly")
            if self.js("return typeof WebAssembly") != "undefined":
                raise NotReady("chromium: WebAssembly was still there")
            return ms
        finally:
            self.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added["identifier"]})


def main():
    page, runs = Path(sys.argv[1]).resolve(), int(sys.argv[2])
    wanted = sys.argv[3:] or list(engines.ENGINES)
    classes = dict(engines.ENGINES, chromium=Chromium)
    work = tempfile.TemporaryDirectory(prefix="kestrova-bench-")
    html = page.read_text(encoding="utf-8")
    try:
        refused = engines.webassembly_refused(page, work.name)
    except ValueError as e:
        sys.exit(f"not ready: {e}")
    bare = Path(work.name, "bare.html")
    bare.write_text(re.sub(r"<script>.*?</script>", "", html, flags=re.S), encoding="utf-8")
    opened, missing = [], {}
    result = {"engines": {}, "missing": missing, "load": []}
    try:
        for name in wanted:
            try:
                engine = classes[name](page.as_uri())
            except engines.EngineMissing as e:
                missing[name] = str(e)
                continue
            except engines.EngineFailed as e:
                sys.exit(f"{name} is installed but did not start: {e}")
            opened.append(engine)
            engine.screen(*SCREEN)
            nothing_paints_before_the_program(engine, bare.as_uri())
            _, layout = ready_time(engine, page.as_uri(), "the quiz")
            static = Path(work.name, f"static-{name}.html")
            static.write_text(engine.js(STATIC_COPY), encoding="utf-8")
            pages = {"quiz": lambda e=engine: ready_time(e, page.as_uri(), "the quiz")[0],
                     "static": lambda e=engine, s=static: ready_time(e, s.as_uri(), "the static page")[0]}
            pages["quiz, WebAssembly refused"] = lambda e=engine: quiz_refused(e, refused.as_uri())
            if name == "chromium":
                pages["quiz, no WebAssembly"] = lambda e=engine: e.quiz_without_webassembly(page.as_uri())
            engine.pages = pages
            result["engines"][name] = {"version": engine.version, "layout": layout, "times": {p: [] for p in pages}}
        for round_ in range(runs + 2):
            for engine in opened:
                for label, time_it in engine.pages.items():
                    ms = time_it()
                    if round_ >= 2:  # the first two rounds warm the caches
                        result["engines"][engine.name]["times"][label].append(ms)
            result["load"].append(os.getloadavg()[0])
    except NotReady as e:
        sys.exit(f"not ready: {e}")
    finally:
        for engine in opened:
            engine.quit()
        work.cleanup()
    print(json.dumps(result))


if __name__ == "__main__":
    main()
