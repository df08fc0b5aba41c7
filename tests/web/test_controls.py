"""The controls drawn clearly and alike in every engine: each option's circle
stands out from its row by its outline and, once checked, by its mark; the
focus ring has one shape; no caption is cut off at any scale of the exact
form."""
import pytest

from conftest import Screen
from contrast import circle_centre, circle_edges, contrast, mark_spans

CIRCLE_SCREENS = [Screen("desktop-window", 800, 700), Screen("phone-at-1x", 360, 780),
                  Screen("tablet", 768, 1024, 2, True, True), Screen("phone", 360, 780, 3, True, True)]
SAMPLED_ROWS = (0, 3, 6, 9)
DENSITY_PHONE = Screen("phone", 360, 780, 3, True, True)
RADIOS = "return [...document.querySelectorAll('input[type=radio]')].map(e => e.id)"


def circle_box(browser, name):
    """The circle's box in the picture's pixels, scrolled into view."""
    r = browser.js("const e = document.getElementById(arguments[0]); e.scrollIntoView({block: 'nearest'});"
                   " return e.getBoundingClientRect().toJSON()", name)
    k = browser.ratio
    return round(r["x"] * k), round(r["y"] * k), round(r["right"] * k), round(r["bottom"] * k)


def row_colour(browser, name):
    return tuple(browser.js("return getComputedStyle(document.getElementById(arguments[0]).closest('label'))"
                            ".backgroundColor.match(/\\d+/g).map(Number)", name)[:3])


def set_checked(browser, names, on):
    """The state drawn, without a click: no focus, no verdict."""
    browser.js("for (const n of arguments[0]) document.getElementById(n).checked = arguments[1]", names, on)


@pytest.mark.parametrize("screen", CIRCLE_SCREENS, ids=str)
def test_option_circles_stand_out(browser, users_see, screen):
    browser.open()
    browser.js("document.activeElement.blur()")
    least = users_see["leastCircleContrast"]
    firm_colour, country_colour = (tuple(users_see["optionRowColours"][rows]) for rows in ("firm", "country"))
    names = browser.js(RADIOS)
    rows = {n: row_colour(browser, n) for n in names}
    assert all(rows[n] == (firm_colour if n.startswith("Option1") else country_colour) for n in names), (
        f"{browser.name}: firms' rows {firm_colour}, countries' {country_colour}")
    edges, checked_edges, marks, spans = {}, {}, {}, {}
    # A row of each frame at a time, the top, two between and the bottom:
    # the pictures of a row before and after its two options are checked.
    for i in SAMPLED_ROWS:
        pair = [f"Option1({i})", f"Option2({i})"]
        boxes = {n: circle_box(browser, n) for n in pair}
        before = browser.picture()
        set_checked(browser, pair, True)
        after = browser.picture()
        set_checked(browser, pair, False)
        for n in pair:
            edges[n] = circle_edges(before, boxes[n], rows[n])
            checked_edges[n] = circle_edges(after, boxes[n], rows[n])
            mark = circle_centre(after, boxes[n])
            marks[n] = min(contrast(mark, rows[n]), contrast(mark, circle_centre(before, boxes[n])))
            spans[n] = mark_spans(after, boxes[n], circle_centre(before, boxes[n]))
    at = f"{browser.name}, {screen}"
    for frame, colour in (("Option1", firm_colour), ("Option2", country_colour)):
        mine = [n for n in edges if n.startswith(frame)]
        weakest = min(mine, key=edges.get)
        print(f"circles: {at}: on {colour}: outline {edges[weakest]:.2f}:1 unchecked,"
              f" {min(checked_edges[n] for n in mine):.2f}:1 checked, mark {min(marks[n] for n in mine):.2f}:1")
        assert all(edges[n] >= least for n in mine), (
            f"{at}: each sampled unchecked circle's outline at least {least}:1 against its row {colour}, weakest"
            f" {weakest} {edges[weakest]:.2f}")
        weakest = min(mine, key=checked_edges.get)
        assert all(checked_edges[n] >= least for n in mine), (
            f"{at}: each sampled checked circle's outline at least {least}:1 against its row {colour}, weakest"
            f" {weakest} {checked_edges[weakest]:.2f}")
        weakest = min(mine, key=marks.get)
        assert all(marks[n] >= least for n in mine), (
            f"{at}: each sampled checked mark at least {least}:1 against its row {colour} and the unchecked circle,"
            f" weakest {weakest} {marks[weakest]:.2f}")
        # A pixel either way for the edge's smoothing.
        squarest = max(mine, key=lambda n: spans[n][1] - spans[n][0])
        assert all(spans[n][1] <= spans[n][0] + 2 for n in mine), (
            f"{at}: each sampled checked mark round: across {spans[squarest][0]:.1f} px, diagonally"
            f" {spans[squarest][1]:.1f} px for {squarest}")


@pytest.mark.parametrize("screen", [Screen("desktop-window", 800, 700), Screen("phone", 360, 780, 3, True, True)],
                         ids=str)
def test_focus_ring_one_shape(browser, screen):
    """An option's focus ring is its row's rectangle, the same in every
    engine: the circle itself looks the same focused or not."""
    browser.open()
    browser.keys("Tab")
    focused = browser.js("return document.activeElement.id")
    box = circle_box(browser, "Option1(6)")
    inner = (box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1)
    with_focus = browser.picture().crop(inner)
    browser.js("document.activeElement.blur()")
    without = browser.picture().crop(inner)
    changed = sum(a != b for a, b in zip(with_focus.getdata(), without.getdata()))
    assert focused == "Option1(6)" and changed == 0, (
        f"{browser.name}, {screen}: the focused circle is drawn as the unfocused one, {changed} pixels differ")
    ring = browser.js("const e = document.getElementById('Option1(6)'), s = getComputedStyle(e.closest('label'));"
                      " e.focus(); return [getComputedStyle(e).outlineStyle, s.outlineStyle,"
                      " parseFloat(s.outlineWidth)]")
    assert ring[0] == "none" and ring[1] == "solid" and ring[2] > 0, (
        f"{browser.name}, {screen}: the ring is the row's, none on the circle: {ring}")


def test_captions_whole_at_every_scale(browser, form_size):
    """The exact form from its smallest scale, 1.5 x, to a whiteboard's: each
    caption's text lies inside its control."""
    form_width, form_height = form_size
    browser.screen(form_width * 3 // 2 + 1, form_height * 3 // 2 + 1)
    browser.open()
    cut_at = {}
    scales = []
    # In steps, and the tablet at which WebKit once cut «Samsung Group».
    for width in sorted({*range(form_width * 3 // 2 + 1, 1921, 23), 768}):
        height = round(width * form_height / form_width) + 1
        browser.screen(width, height)
        browser.js("return new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))")
        scale, cut = browser.js(
            "const f = document.getElementById('kestrova'); return [f.getBoundingClientRect().width / arguments[0],"
            " [...document.querySelectorAll('#kestrova label, #kestrova button, legend, h1')].filter(l => {"
            " const r = document.createRange(); r.selectNodeContents(l.tagName === 'LABEL' ? l.lastChild : l);"
            " const t = r.getBoundingClientRect(), b = (l.tagName === 'LEGEND' ? l.parentElement : l)"
            ".getBoundingClientRect();"
            " return t.right > b.right + 0.01 || t.left < b.left - 0.01 || l.scrollWidth > l.clientWidth; })"
            ".map(l => l.textContent)]", form_width)
        scales.append(scale)
        if cut:
            cut_at[f"{width} x {height} ({scale:.2f} x)"] = cut
    assert min(scales) < 1.6 and max(scales) > 4 and not cut_at, (
        f"{browser.name}: every caption whole from {min(scales):.2f} x to {max(scales):.2f} x: cut off {cut_at}")


def line_pitch(image, box):
    """The distance between the lines of text in a box of a picture: the
    shift at which the rows' ink best matches itself."""
    left, top, right, bottom = box
    pixel = image.load()
    ink = [sum(1 for x in range(left, right) if max(pixel[x, y]) < 100) for y in range(top, bottom)]
    shifts = range(8, len(ink) // 2)
    match = {s: sum(a * b for a, b in zip(ink, ink[s:])) / (len(ink) - s) for s in shifts}
    # Two lines' shift matches as well as one's: the first that does.
    return next(s for s in shifts if match[s] >= 0.9 * max(match.values()))


@pytest.mark.parametrize("screen", [Screen("window-at-192-dpi", 922, 764), DENSITY_PHONE], ids=str)
def test_result_box_lines_evenly_spaced(browser, screen):
    """The result box's lines a whole number of pixels apart, the same in
    every engine, where each would otherwise round its own way."""
    browser.open()
    browser.js("document.activeElement.blur()")
    r, line, font = browser.js(
        "const b = document.getElementById('Text1(0)'), s = getComputedStyle(b); b.scrollIntoView({block: 'nearest'});"
        " const r = b.getBoundingClientRect(); return [{x: r.x + b.clientLeft + parseFloat(s.paddingLeft),"
        " y: r.y + b.clientTop, w: b.clientWidth - parseFloat(s.paddingLeft), h: b.clientHeight}, s.lineHeight,"
        " parseFloat(s.fontSize)]")
    k = browser.ratio
    box = (round(r["x"] * k), round(r["y"] * k), round((r["x"] + r["w"]) * k), round((r["y"] + min(r["h"], 400)) * k))
    pitch = line_pitch(browser.picture(), box) / k
    print(f"lines: {browser.name}, {screen}: {pitch} px apart, line height {line}, text {font} px")
    whole = line.endswith("px") and float(line[:-2]) == round(float(line[:-2]))
    assert whole and pitch == float(line[:-2]) and 1.1 <= pitch / font <= 1.2, (
        f"{browser.name}, {screen}: the result box's lines {pitch} px apart, its line height {line} whole pixels,"
        f" for {font} px text")
