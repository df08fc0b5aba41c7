"""Every property of what_users_see.h, checked on the web page from outside:
pixels of screenshots, the DOM and its computed style, the accessibility
tree, and what the browser does with keys, presses and a change of size."""
import base64
import io

from PIL import Image


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def check_what_users_see(driver, open_page, check, seen):
    def js(script, *args):
        return driver.execute_script(script, *args)

    def screen(width, height, ratio=1):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": False})

    def picture():
        shot = driver.execute_cdp_cmd("Page.captureScreenshot", {"format": "png"})["data"]
        return Image.open(io.BytesIO(base64.b64decode(shot))).convert("RGB")

    def rect(name):
        return js("const e = document.getElementById(arguments[0]);"
                  " return (e.closest('label') || e).getBoundingClientRect().toJSON()", name)

    def mouse(kind, x, y):
        driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                                            "clickCount": 1})

    # The window's client size, and the focus ring, at each density: the
    # exact form where it fits at 1.5 and 2 times, the touch layout at 1.
    for d in seen["densities"]:
        scale = d["dpi"] / 96
        if scale >= 1.5:
            screen(d["clientWidth"], d["clientHeight"])
            open_page()
            form = js("return document.getElementById('kestrova').getBoundingClientRect().toJSON()")
            check((round(form["width"]), round(form["height"])) == (d["clientWidth"], d["clientHeight"]),
                  f"at {d['dpi']} dpi the page is {d['clientWidth']} x {d['clientHeight']}, seen "
                  f"{form['width']} x {form['height']}")
        else:
            screen(360, 780)
            open_page()
        width = js("const b = document.getElementById('Text1(0)'); b.scrollIntoView({block: 'nearest'});"
                   " return parseFloat(getComputedStyle(b).outlineWidth)")
        r = rect("Text1(0)")
        image = picture()
        mid = round(r["y"] + r["height"] / 2)
        inside = image.getpixel((round(r["x"]) + round(width) + 1, mid))  # the padding before the text
        ring = image.getpixel((round(r["x"]) + round(width) // 2, mid))
        outside = image.getpixel((round(r["x"]) - 2, mid)) if r["x"] >= 2 else inside
        check(width == d["ringWidth"] and contrast(ring, inside) >= seen["leastRingContrast"]
              and contrast(ring, outside) >= seen["leastRingContrast"],
              f"at {d['dpi']} dpi the focus ring is {d['ringWidth']} px of at least 3:1: {width} px, "
              f"{contrast(ring, inside):.1f} : 1 inside, {contrast(ring, outside):.1f} : 1 outside")

    screen(1366, 768)
    open_page()
    image = picture()
    # The heading centred: the middle of its ink over the middle of the label.
    h = rect("Label1(0)")
    inked = [x for x in range(round(h["x"]), round(h["x"] + h["width"]))
             if any(max(image.getpixel((x, y))) < 90 for y in range(round(h["y"]), round(h["y"] + h["height"])))]
    scale = js("return document.getElementById('kestrova').getBoundingClientRect().width") / 461
    off = (inked[0] + inked[-1]) / 2 - (h["x"] + h["width"] / 2)
    check(inked and abs(off) <= seen["headingCentreSlack"] * scale, f"the heading is centred, {off:+.1f} px off")

    # The result box wraps, scrolls up and down, and takes no typing.
    box = js("const b = document.getElementById('Text1(0)'), s = getComputedStyle(b); return {sw: b.scrollWidth,"
             " cw: b.clientWidth, sh: b.scrollHeight, ch: b.clientHeight, y: s.overflowY, wrap: b.wrap,"
             " bar: b.offsetWidth - b.clientWidth - parseFloat(s.borderLeftWidth) - parseFloat(s.borderRightWidth)}")
    check(box["sw"] <= box["cw"] and box["wrap"] != "off", f"the result box wraps its lines: {box}")
    check(box["y"] == "scroll" and box["bar"] > 0 and box["sh"] > box["ch"],
          f"the result box has a vertical scroll bar for the longer assignment: {box}")
    before = js("return document.getElementById('Text1(0)').value")
    js("document.getElementById('Text1(0)').focus()")
    for key, code, text in (("x", 88, "x"), ("Backspace", 8, ""), ("Enter", 13, "\r"), ("Delete", 46, "")):
        for kind in ("keyDown", "keyUp"):
            params = {"type": kind, "key": key, "code": key, "windowsVirtualKeyCode": code}
            if kind == "keyDown" and text:
                params["text"] = text
            driver.execute_cdp_cmd("Input.dispatchKeyEvent", params)
    driver.execute_cdp_cmd("Input.insertText", {"text": "typed"})
    check(js("return document.getElementById('Text1(0)').value") == before, "typing leaves the result box as it was")

    # Assistive technology: the box's name, the live regions, nothing hidden.
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    live = [n for n in tree if not n.get("ignored") and any(
        p["name"] == "live" for p in n.get("properties", []))]
    politeness = {p["value"]["value"] for n in live for p in n["properties"] if p["name"] == "live"}
    named = [n for n in tree if not n.get("ignored") and n.get("name", {}).get("value") == seen["resultBoxName"]]
    check(len(named) == 1 and named[0]["role"]["value"] == "textbox",
          f"the result box is named {seen['resultBoxName']}")
    check(politeness == {seen["politeness"]} and len(live) == 2,
          f"two {seen['politeness']} live regions and no other: {len(live)}, {politeness}")
    for hidden in seen["hiddenControls"]:
        shown = js("const e = document.getElementById(arguments[0]); const r = e.getBoundingClientRect();"
                   " return e.checkVisibility() || r.width * r.height > 0", hidden)
        node = driver.execute_cdp_cmd("Accessibility.getPartialAXTree", {"backendNodeId": driver.execute_cdp_cmd(
            "DOM.describeNode", {"objectId": driver.execute_cdp_cmd("Runtime.evaluate", {
                "expression": f"document.getElementById('{hidden}')"})["result"]["objectId"]})["node"]["backendNodeId"],
            "fetchRelatives": False})["nodes"]
        check(not shown and all(n.get("ignored") for n in node),
              f"{hidden} is neither on screen nor in the accessibility tree")

    # The commands' colours, and each looks pressed while held.
    image = picture()
    for (r, g, b), name in zip(seen["commandColours"], ("Command1(0)", "Command1(1)")):
        c = rect(name)
        x, y = round(c["x"] + 8), round(c["y"] + c["height"] / 2)
        check(image.getpixel((x, y)) == (r, g, b), f"{name} is painted {(r, g, b)}, seen {image.getpixel((x, y))}")
        box = tuple(round(v) for v in (c["x"], c["y"], c["x"] + c["width"], c["y"] + c["height"]))
        up = image.crop(box)
        mouse("mouseMoved", x, y)
        mouse("mousePressed", x, y)
        down = picture().crop(box)
        mouse("mouseMoved", 1, 1)
        mouse("mouseReleased", 1, 1)
        changed = sum(a != b for a, b in zip(up.getdata(), down.getdata())) / (up.width * up.height)
        check(changed >= seen["leastPressedChange"], f"{name} looks pressed while held: {changed:.1%} of it changes")

    # Overlapping rows: the upper one in front, over the lower one's top.
    overlap = round(seen["rowOverlapTwips"] / 15 * scale)
    lower = rect("Option1(9)")  # row 1, below Option1(6) on row 0
    hit = js("const e = document.elementFromPoint(arguments[0], arguments[1]); return (e.closest('label') || e)"
             ".querySelector('input') ? (e.closest('label') || e).querySelector('input').id : e.id",
             lower["x"] + lower["width"] / 2, lower["y"] + overlap / 2)
    check(overlap >= 2 and hit == "Option1(6)", f"the overlap of two rows belongs to the upper one: {hit}")

    # A change of size while it runs: the page follows, exact to touch and back.
    for width, height, expected in ((360, 780, "touch"), (1366, 768, "exact"), (922, 764, "exact")):
        screen(width, height)
        js("return new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))")
        shown = js("return document.getElementById('kestrova').className")
        form = js("return document.getElementById('kestrova').getBoundingClientRect().toJSON()")
        ok = shown == expected and (expected == "touch" or abs(form["width"] / 461 - form["height"] / 382) < 0.01)
        if (width, height) == (922, 764):
            ok = ok and (round(form["width"]), round(form["height"])) == (922, 764)
        check(ok, f"resized to {width} x {height} while running: {shown}, {form['width']} x {form['height']}")
