"""kestrova.html used as a person would, in each engine: what it shows at
opening, answers by mouse and by keyboard, what assistive technology is
told, and that every result matches the Linux window's."""
import pytest

from conftest import OTHER_RUNS, RIGHT_RUNS
from engines import POLICY_WATCH

# The answer key and the options' captions, written out here on their own.
PAIRS = [("Samsung Group", "Южна Корея"), ("Siemens AG", "Германия"), ("Nokia", "Финландия"),
         ("Panasonic", "Япония"), ("Sony Mobile", "Англия"), ("Ericsson", "Швеция"),
         ("Alcatel SA", "Франция"), ("Lenovo Group", "Китай"), ("Motorola", "САЩ"), ("BenQ", "Тайван")]
FIRMS_TOP_DOWN = ["Alcatel SA", "BenQ", "Ericsson", "Lenovo Group", "Motorola", "Nokia", "Panasonic",
                  "Samsung Group", "Siemens AG", "Sony Mobile"]
COUNTRIES_TOP_DOWN = ["Англия", "Германия", "Китай", "САЩ", "Тайван", "Финландия", "Франция", "Швеция",
                      "Южна Корея", "Япония"]


def places_at_one(users_see, form_size):
    """Each shown control's place in the shared list, in CSS pixels from the
    form's top-left corner at 1 x: its twips over the twips of a pixel, plus
    its container's corner."""
    twips_per_pixel = users_see["clientTwips"]["width"] / form_size[0]
    places = users_see["places"]

    def place(name):
        left, top, width, height = (v / twips_per_pixel for v in places[name]["twips"])
        if places[name]["in"]:
            x, y, _, _ = place(places[name]["in"])
            left, top = left + x, top + y
        return left, top, width, height
    return {name: place(name) for name in places if name not in users_see["hiddenControls"]}


def box(browser):
    """The result box as the page holds it; a textarea gives "\\r\\n" back as "\\n"."""
    return browser.js("return document.getElementById('Text1(0)').value")


def shown(text):
    return text.replace("\r\n", "\n")


def focused(browser):
    return browser.js("return document.activeElement.id")


def checked(browser):
    return browser.js("return [...document.querySelectorAll('input')].filter(e => e.checked).map(e => e.id)")


def spoken(browser):
    """What the page's polite live regions say, in page order, empty ones left out; blanks at the ends are not
    heard."""
    return browser.js("return [...document.querySelectorAll('[aria-live=polite]')].map(e => e.textContent.trim())"
                      ".filter(t => t)")


def test_at_opening(browser, linux_result, form_size, users_see, golden):
    browser.open()
    assignment, = linux_result(())
    assert browser.js("return document.title") == users_see["caption"], f"the page's title is the window caption, {users_see['caption']}"
    assert browser.js("return document.getElementById('Label1(0)').textContent") == users_see["heading"], "the heading"
    assert (browser.js("return [...document.querySelectorAll('legend')].map(e => e.textContent)")
          == users_see["frameCaptions"]), "the frames' captions"
    for frame, expected in (("Frame1(0)", FIRMS_TOP_DOWN), ("Frame1(1)", COUNTRIES_TOP_DOWN)):
        rows = browser.js("return [...document.getElementById(arguments[0]).querySelectorAll('label')]"
                          ".map(l => [l.textContent, l.getBoundingClientRect().y])", frame)
        assert [t for t, _ in sorted(rows, key=lambda r: r[1])] == expected, f"{frame} reads top to bottom alphabetically"
        assert [t for t, _ in rows] == expected, f"{frame}: arrow keys follow the rows"
    assert (browser.js("return [...document.querySelectorAll('button')].map(e => e.textContent)")
          == users_see["commandCaptions"]), "the commands"
    assert checked(browser) == [], "nothing checked"
    assert focused(browser) == "Text1(0)", "the focus is in the result box"
    assert box(browser) == shown(assignment), "the assignment, as the Linux window shows it"
    assert assignment == golden("assignment.txt"), "the Linux window's assignment is tests/golden's"
    assert (browser.js("return ['Text1(1)', 'List1'].every(n => { const e = document.getElementById(n);"
                     " return !(e.offsetWidth || e.offsetHeight || e.getClientRects().length); })")), "motto and list stay hidden"
    # The exact form, scaled: each place divided by the scale is its place at 1 x.
    origin = browser.js("return document.getElementById('kestrova').getBoundingClientRect().toJSON()")
    scale = origin["width"] / form_size[0]
    assert abs(origin["height"] / scale - form_size[1]) <= 1, f"the form keeps its proportions at {scale:.2f} x"
    for name, (x, y, w, h) in places_at_one(users_see, form_size).items():
        r = browser.js("const e = document.getElementById(arguments[0]);"
                       " return (e.closest('label') || e).getBoundingClientRect().toJSON()", name)
        got = tuple(round(v / scale, 1) for v in (r["x"] - origin["x"], r["y"] - origin["y"], r["width"], r["height"]))
        assert all(abs(a - b) <= 1 for a, b in zip(got, (x, y, w, h))), f"{name} at {(x, y, w, h)}, seen {got}"


@pytest.mark.parametrize("run", RIGHT_RUNS + OTHER_RUNS, ids=" ".join)
def test_mouse(browser, linux_result, run):
    expected, = linux_result(run)
    browser.open()
    for name in run:
        browser.click_control(name)
    assert box(browser) == shown(expected), "mouse: " + " ".join(run)


def test_answer_key(browser, linux_result, users_see):
    """The Linux window's verdicts for the runs the mouse test makes."""
    texts = users_see["texts"]
    WRONG, PROMPT = texts["wrong"] + texts["lineBreak"], texts["prompt"]
    browser.open()
    rights = linux_result(*RIGHT_RUNS)
    captions = browser.js("return [...document.querySelectorAll('input[type=radio]')]"
                          ".map(e => [e.id, e.parentElement.textContent])")
    caption = dict(captions)
    for i, (firm, country) in enumerate(PAIRS):
        assert (rights[i].startswith(texts["right"] + texts["lineBreak"]) and caption[f"Option1({i})"] == firm
                and caption[f"Option2({i})"] == country), f"{firm} with {country} is right"
    assert linux_result(*OTHER_RUNS) == [WRONG, WRONG, PROMPT, WRONG], (
        "wrong pair, nothing chosen, «Чисти», one side after «Чисти»")


def test_a_second_firm_replaces_the_first(browser):
    browser.open()
    browser.click_control("Option1(2)")
    browser.click_control("Option1(9)")
    assert checked(browser) == ["Option1(9)"], "BenQ replaces Nokia"


def test_keyboard(browser, linux_result, users_see):
    """By keyboard alone: Alcatel SA and Франция, then Финландия, then «Чисти»."""
    texts = users_see["texts"]
    WRONG, PROMPT = texts["wrong"] + texts["lineBreak"], texts["prompt"]
    right, = linux_result(RIGHT_RUNS[6])
    browser.open()
    browser.keys("Tab")
    assert focused(browser) == "Option1(6)", "Tab enters the firms at the top"
    browser.keys("Space", "Tab")
    assert focused(browser) == "Option2(4)", "Tab goes on to the countries"
    browser.keys("Space", *["ArrowDown"] * 6)
    assert "Option2(6)" in checked(browser), "Down six rows: Франция"
    browser.keys("Tab", "Enter")
    assert box(browser) == shown(right), "Enter on «Изведи»: right, as on Linux"
    browser.keys("Shift+Tab", "ArrowUp", "Tab", "Space")
    assert box(browser) == shown(WRONG), "Up to Финландия, Space on «Изведи»: wrong"
    browser.keys("Tab", "Enter")
    assert box(browser) == PROMPT and checked(browser) == [], "Enter on «Чисти» clears"
    assert spoken(browser) == [PROMPT], "a live region says the prompt"


def test_assistive_technology(browser, users_see):
    """What the engine's accessibility tree gives a screen reader."""
    browser.open()
    assert [browser.accessible("group", c) for c in users_see["frameCaptions"]] == [["Frame1(0)"], ["Frame1(1)"]], "two named groups"
    radios = browser.accessible("radio")
    named = [n for n in FIRMS_TOP_DOWN + COUNTRIES_TOP_DOWN if len(browser.accessible("radio", n)) == 1]
    assert len(radios) == 20 and len(named) == 20, f"twenty named radios: {len(radios)}, {len(named)} named"
    assert (browser.accessible("textbox", users_see["resultBoxName"]) == ["Text1(0)"]
          and browser.accessible("textbox") == ["Text1(0)"]), f"the result box is named «{users_see['resultBoxName']}», the only text box exposed"
    assert browser.accessible("heading", users_see["heading"]) == ["Label1(0)"], "the heading"
    live = browser.accessible("status")
    politeness = browser.js("return [...document.querySelectorAll('[role=status]')].map(e => e.ariaLive ||"
                            " e.getAttribute('aria-live'))")
    assert len(live) == 2 and politeness == [users_see["politeness"]] * 2, (
        f"two {users_see['politeness']} live regions and no other: {live}, {politeness}")
    for hidden in users_see["hiddenControls"]:
        shown_ = browser.js("const e = document.getElementById(arguments[0]); const r = e.getBoundingClientRect();"
                            " return e.checkVisibility() || r.width * r.height > 0", hidden)
        assert not shown_ and not browser.exposes(hidden), (
            f"{hidden} is neither on screen nor in the accessibility tree")
    if browser.name == "chromium":
        # Chromium gives its whole tree: no node anywhere carries the motto.
        seen = [n.get("name", {}).get("value") or "" for n in browser.tree()]
        assert not any(n.startswith("Неприятното") for n in seen), "the motto is not exposed"
        live = [n for n in browser.tree() if any(p["name"] == "live" for p in n.get("properties", []))]
        politeness = {p["value"]["value"] for n in live for p in n["properties"] if p["name"] == "live"}
        assert politeness == {users_see["politeness"]} and len(live) == 2, (
            f"the tree's own live property: {len(live)}, {politeness}")


def test_same_verdict_twice(browser, screenshots, users_see):
    """Each is a change of a live region, in turn."""
    browser.open()
    for name in ("Option1(2)", "Option2(2)", "Command1(0)"):
        browser.click_control(name)
    form = browser.js("return document.getElementById('kestrova').getBoundingClientRect().toJSON()")
    picture = browser.picture().crop(tuple(round(v * browser.ratio) for v in (
        form["x"], form["y"], form["x"] + form["width"], form["y"] + form["height"])))
    picture.save(screenshots / f"kestrova-web-{browser.name}.png")
    print("screenshot:", screenshots / f"kestrova-web-{browser.name}.png")

    browser.open()
    browser.click_control("Option1(2)")
    browser.click_control("Command1(0)")
    regions = "return [...document.querySelectorAll('[aria-live=polite]')].map(e => e.textContent)"
    first = browser.js(regions)
    browser.click_control("Command1(0)")
    second = browser.js(regions)
    # A screen reader may drop words equal to the last it was given: the second time they differ, though not
    # in what is heard.
    assert (len(first) == 2 and sorted(t.strip() for t in first) == sorted(t.strip() for t in second) ==
            ["", users_see["texts"]["wrong"]] and first != second and "".join(first) != "".join(second)), (
        f"the same verdict twice is spoken from the other region, its text not the same: {first} then {second}")


def test_clean_start_and_the_policy(browser):
    browser.open()
    # What a slow start would log comes in a moment.
    browser.js("return new Promise(r => setTimeout(r, 200))")
    logged = browser.console()
    assert not logged, f"no console error or warning: {logged[:3]}"
    violations = browser.violations()
    if violations is not None:
        assert violations == [], "the page starts with no policy violation"
    else:
        print(f"{browser.name}: {browser.no_policy_from_start}")
    # Where the watch could not start with the page, it starts now.
    blocked = browser.js(POLICY_WATCH + """
        return fetch('https://www.kestrova.example/').then(() => 'sent', () => 'blocked')
        .then(r => new Promise(ok => setTimeout(() => ok([r, window.policyViolations]), 100)))""")
    assert blocked[0] == "blocked" and any(v.startswith("connect-src") for v in blocked[1]), (
        f"the policy forbids every connection: {blocked}")
    icons = browser.js("return [...document.querySelectorAll('link[rel~=icon], link[rel=apple-touch-icon]')]"
                       ".map(l => l.href.slice(0, 22))")
    assert len(icons) == 2 and all(i == "data:image/png;base64," for i in icons), "tab and home-screen icons inlined"
