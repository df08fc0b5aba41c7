"""The page before its program runs, in each engine: its first paint is the
quiz, every control where the program then puts it on that screen, and
what a student does before the program runs is not lost."""
import re

import pytest

import engines
from test_screens import SCREENS, rects

FIRST_PAINT = [s for s in SCREENS if s.name in ("desktop", "whiteboard", "tablet-on-its-side", "phone")]
PLACED = "#kestrova [id], #kestrova label"


def held_back(page, folder):
    """A copy of the page whose program is held back: every script but the
    first, which keeps what the student does, taken out and returned."""
    html = page.read_text(encoding="utf-8")
    program = re.findall(r"<script>(.*?)</script>", html, re.S)[1:]
    for script in program:
        html = html.replace(f"<script>{script}</script>", "", 1)
    copy = folder / "kestrova.html"
    copy.write_text(html, encoding="utf-8")
    return copy.as_uri(), program


def open_held_back(browser, page, folder):
    url, program = held_back(page, folder)
    real, browser.url = browser.url, url
    try:
        browser.load()
    finally:
        browser.url = real
    return program


def shown(browser):
    """Each control shown, by its id: the hidden ones the program makes take no place."""
    return {r["id"]: r for r in rects(browser, PLACED) if r["w"] or r["h"]}


def run(browser, program):
    """The held-back program, run as the page would have run it."""
    browser.js("arguments[0].forEach(t => { const s = document.createElement('script'); s.text = t;"
               " document.body.appendChild(s); })", program)
    browser.js(engines.WAIT_FOR_CONTROLS)


@pytest.mark.parametrize("screen", FIRST_PAINT, ids=str)
def test_the_first_paint_is_the_quiz_where_the_program_puts_it(browser, screenshots, screen, page_file,
                                                                tmp_path):
    browser.open()
    layout = browser.js("return document.getElementById('kestrova').className")
    placed = shown(browser)
    open_held_back(browser, page_file, tmp_path)
    at = f"{browser.name}, {screen}, before the program runs"
    if screenshots:
        browser.picture().save(screenshots / f"first-paint-{browser.name}-{screen}.png")
    assert browser.js("return document.getElementById('kestrova').className") == layout, f"{at}: the {layout} layout"
    before = shown(browser)
    assert sorted(before) == sorted(placed), f"{at}: every control the program shows, no other"
    # The touch layout's result box grows to its text only once the program
    # has measured it; it is the last band, so nothing else moves.
    moved = [(name, before[name], r) for name, r in placed.items() if name in before and any(
        abs(before[name][k] - r[k]) > 1 for k in ("x", "y", "w", "h")
        if not (layout == "touch" and name == "Text1(0)" and k == "h"))]
    assert not moved, f"{at}: each control where the program puts it {moved[:2]}"


def test_what_a_student_does_before_the_program_runs_counts(browser, linux_result, page_file, tmp_path):
    """Options chosen and commands pressed early: the options keep their
    check, and the program answers each command in order once it runs."""
    early, late = ("Option1(4)", "Command1(1)", "Option1(2)", "Option2(3)", "Command1(0)"), ("Option2(2)",)
    program = open_held_back(browser, page_file, tmp_path)
    for name in early:
        browser.click_control(name)
    checked = "return [...document.querySelectorAll('input')].filter(e => e.checked).map(e => e.id).sort()"
    assert browser.js(checked) == ["Option1(2)", "Option2(3)"], f"{browser.name}: the early choices keep their check"
    run(browser, program)
    answer, = linux_result(early)
    assert browser.js("return document.getElementById('Text1(0)').value") == answer.replace("\r\n", "\n"), f"{browser.name}: the early «Чисти» and «Изведи» answered as the Linux window answers them"
    # The program's choices are the options checked: a later answer is the
    # one for what the page shows.
    for name in late + ("Command1(0)",):
        browser.click_control(name)
    answer, = linux_result(early + late + ("Command1(0)",))
    assert browser.js("return document.getElementById('Text1(0)').value") == answer.replace("\r\n", "\n"), f"{browser.name}: the next «Изведи» judges the options checked"
