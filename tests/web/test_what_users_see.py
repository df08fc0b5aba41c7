"""Every property of the tests' shared list of what users see, checked on the
web page from outside in each engine: pixels of screenshots, the DOM and
its computed style, and what the browser does with keys, presses and a
change of size. What assistive technology is told is in test_page.py."""
from collections import Counter

import pytest

from conftest import Screen
from contrast import contrast

# The densities' screens: the exact form where it fits at 1.5 and 2 times,
# the touch layout on a phone at 1.
DENSITY_SCREENS = {96: Screen("phone", 360, 780), 144: Screen("window-at-144-dpi", 692, 573),
                   192: Screen("window-at-192-dpi", 922, 764)}
DESKTOP = Screen("desktop", 1366, 768)


def rect(browser, name):
    return browser.js("const e = document.getElementById(arguments[0]);"
                      " return (e.closest('label') || e).getBoundingClientRect().toJSON()", name)


@pytest.mark.parametrize("screen", DENSITY_SCREENS.values(), ids=str)
def test_density(browser, users_see, screen):
    """The window's client size, and the focus ring, at each density."""
    d = next(d for d in users_see["densities"] if DENSITY_SCREENS[d["dpi"]] == screen)
    browser.open()
    if d["dpi"] / 96 >= 1.5:
        form = browser.js("return document.getElementById('kestrova').getBoundingClientRect().toJSON()")
        assert (round(form["width"]), round(form["height"])) == (d["clientWidth"], d["clientHeight"]), (
            f"at {d['dpi']} dpi the page is {d['clientWidth']} x {d['clientHeight']}, seen "
            f"{form['width']} x {form['height']}")
    width = browser.js("const b = document.getElementById('Text1(0)'); b.scrollIntoView({block: 'nearest'});"
                       " return parseFloat(getComputedStyle(b).outlineWidth)")
    r = rect(browser, "Text1(0)")
    image = browser.picture()
    mid = round(r["y"] + r["height"] / 2)
    inside = image.getpixel((round(r["x"]) + round(width) + 1, mid))  # the padding before the text
    ring = image.getpixel((round(r["x"]) + round(width) // 2, mid))
    outside = image.getpixel((round(r["x"]) - 2, mid)) if r["x"] >= 2 else inside
    least = users_see["leastRingContrast"]
    assert width == d["ringWidth"] and contrast(ring, inside) >= least and contrast(ring, outside) >= least, (
        f"at {d['dpi']} dpi the focus ring is {d['ringWidth']} px of at least 3:1: {width} px, "
        f"{contrast(ring, inside):.1f} : 1 inside, {contrast(ring, outside):.1f} : 1 outside")


@pytest.mark.parametrize("screen", [DESKTOP], ids=str)
def test_on_the_desktop(browser, users_see, screen, form_size):
    browser.open()
    image = browser.picture()
    # The heading centred: the middle of its ink over the middle of the label.
    h = rect(browser, "Label1(0)")
    inked = [x for x in range(round(h["x"]), round(h["x"] + h["width"]))
             if any(max(image.getpixel((x, y))) < 90 for y in range(round(h["y"]), round(h["y"] + h["height"])))]
    scale = browser.js("return document.getElementById('kestrova').getBoundingClientRect().width") / form_size[0]
    off = (inked[0] + inked[-1]) / 2 - (h["x"] + h["width"] / 2) if inked else None
    assert inked and abs(off) <= users_see["headingCentreSlack"] * scale, f"the heading is centred, {off} px off"

    # The result box wraps, scrolls up and down, and takes no typing.
    box = browser.js("const b = document.getElementById('Text1(0)'), s = getComputedStyle(b); return {sw: b.scrollWidth,"
                     " cw: b.clientWidth, sh: b.scrollHeight, ch: b.clientHeight, y: s.overflowY, wrap: b.wrap,"
                     " bar: b.offsetWidth - b.clientWidth - parseFloat(s.borderLeftWidth)"
                     " - parseFloat(s.borderRightWidth)}")
    assert box["sw"] <= box["cw"] and box["wrap"] != "off", f"the result box wraps its lines: {box}"
    assert box["y"] == "scroll" and box["bar"] > 0 and box["sh"] > box["ch"], (
        f"the result box has a vertical scroll bar for the longer assignment: {box}")
    before = browser.js("return document.getElementById('Text1(0)').value")
    browser.js("document.getElementById('Text1(0)').focus()")
    browser.keys("x", "Backspace", "Enter", "Delete")
    browser.type_text("typed")
    assert browser.js("return document.getElementById('Text1(0)').value") == before, (
        "typing leaves the result box as it was")

    # The window's, the heading's and the frames' colours, where nothing lies over them.
    browser.js("document.activeElement.blur()")
    image = browser.picture()
    for name, colour in users_see["colours"].items():
        # A group's colour is its rows'.
        own = browser.js("const e = document.getElementById(arguments[0]) || document.getElementById(arguments[0]"
                         " + '(0)').closest('label'), r = e.getBoundingClientRect(), own = [];"
                         " for (let x = r.left + 2; x < r.right - 2; x += 4) for (let y = r.top + 2; y < r.bottom - 2;"
                         " y += 4) if (document.elementFromPoint(x, y) === e) own.push([Math.round(x), Math.round(y)]);"
                         " return own", "kestrova" if name == "window" else name)
        seen = Counter(image.getpixel(tuple(p)) for p in own).most_common(1)
        assert seen and seen[0][0] == tuple(colour), f"{name} is painted {tuple(colour)}, seen mostly {seen}"

    # The commands' colours, and each looks pressed while held.
    for (r, g, b), name in zip(users_see["commandColours"], ("Command1(0)", "Command1(1)")):
        c = rect(browser, name)
        x, y = round(c["x"] + 8), round(c["y"] + c["height"] / 2)
        assert image.getpixel((x, y)) == (r, g, b), f"{name} is painted {(r, g, b)}, seen {image.getpixel((x, y))}"
        area = tuple(round(v) for v in (c["x"], c["y"], c["x"] + c["width"], c["y"] + c["height"]))
        up = image.crop(area)
        browser.press(x, y)
        down = browser.picture().crop(area)
        browser.release(1, 1)
        changed = sum(a != b for a, b in zip(up.getdata(), down.getdata())) / (up.width * up.height)
        assert changed >= users_see["leastPressedChange"], (
            f"{name} looks pressed while held: {changed:.1%} of it changes")

    # Overlapping rows: the upper one in front, over the lower one's top.
    overlap = round(users_see["rowOverlapTwips"] / 15 * scale)
    lower = rect(browser, "Option1(9)")  # row 1, below Option1(6) on row 0
    hit = browser.js("const e = document.elementFromPoint(arguments[0], arguments[1]); const l = e.closest('label') || e;"
                     " return l.querySelector('input') ? l.querySelector('input').id : e.id",
                     lower["x"] + lower["width"] / 2, lower["y"] + overlap / 2)
    assert overlap >= 2 and hit == "Option1(6)", f"the overlap of two rows belongs to the upper one: {hit}"

    # A change of size while it runs: the page follows, exact to touch and back.
    for width, height, expected in ((360, 780, "touch"), (1366, 768, "exact"), (922, 764, "exact")):
        browser.screen(width, height)
        browser.js("return new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))")
        shown = browser.js("return document.getElementById('kestrova').className")
        form = browser.js("return document.getElementById('kestrova').getBoundingClientRect().toJSON()")
        ok = shown == expected and (expected == "touch" or abs(form["width"] / form_size[0] - form["height"] / form_size[1]) < 0.01)
        if (width, height) == (922, 764):
            ok = ok and (round(form["width"]), round(form["height"])) == (922, 764)
        assert ok, f"resized to {width} x {height} while running: {shown}, {form['width']} x {form['height']}"
