#!/usr/bin/python3
"""Opens kestrova.html in headless Chromium and uses it as a person would:
what it shows at opening, answers by mouse and by keyboard, what assistive
technology is told, and that every result matches the Linux window's; then
on the screens of a classroom, phones to the whiteboard, by touch.

   page_test.py PAGE LINUX_RESULT SCREENSHOT_DIR AXE_JS WHAT_USERS_SEE_JSON

Prints one line per check and "N passed, M failed".
"""
import gzip
import json
import subprocess
import sys
import tempfile
from pathlib import Path

from selenium import webdriver

from screens import check_screens
from seen_in_browser import check_what_users_see
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.chrome.service import Service

page, linux_result, screenshots, axe_js = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3]), Path(sys.argv[4])
users_see = json.loads(subprocess.run([sys.argv[5]], capture_output=True, text=True, check=True).stdout)
passed = failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
        print("ok:", what)
    else:
        failed += 1
        print("FAILED:", what)


# The answer key and the captions, written out here on their own.
PAIRS = [("Samsung Group", "Южна Корея"), ("Siemens AG", "Германия"), ("Nokia", "Финландия"),
         ("Panasonic", "Япония"), ("Sony Mobile", "Англия"), ("Ericsson", "Швеция"),
         ("Alcatel SA", "Франция"), ("Lenovo Group", "Китай"), ("Motorola", "САЩ"), ("BenQ", "Тайван")]
FIRMS_TOP_DOWN = ["Alcatel SA", "BenQ", "Ericsson", "Lenovo Group", "Motorola", "Nokia", "Panasonic",
                  "Samsung Group", "Siemens AG", "Sony Mobile"]
COUNTRIES_TOP_DOWN = ["Англия", "Германия", "Китай", "САЩ", "Тайван", "Финландия", "Франция", "Швеция",
                      "Южна Корея", "Япония"]
WRONG = "Грешен отговор.\r\n"
PROMPT = "Направете своя избор!"
# CSS pixels from the form's top-left corner at 1 x: twips / 15.
PLACES = {"Label1(0)": (64, 0, 337, 25), "Frame1(0)": (64, 32, 145, 193), "Frame1(1)": (248, 32, 153, 193),
          "Option1(6)": (72, 56, 121, 19), "Option1(2)": (72, 136, 121, 19), "Option2(3)": (256, 200, 121, 19),
          "Command1(0)": (64, 232, 105, 19), "Command1(1)": (288, 232, 105, 19), "Text1(0)": (8, 256, 449, 121)}

# Every run of clicks the page is put through, answered by the Linux window.
RUNS = [[]] + [[f"Option1({i})", f"Option2({i})", "Command1(0)"] for i in range(10)] + [
    ["Option1(2)", "Option2(3)", "Command1(0)"],
    ["Command1(0)"],
    ["Option1(4)", "Option2(4)", "Command1(0)", "Command1(1)"],
    ["Option1(4)", "Option2(4)", "Command1(0)", "Command1(1)", "Option2(4)", "Command1(0)"],
]
linux = json.loads(subprocess.run([linux_result], input="\n".join(" ".join(r) for r in RUNS) + "\n",
                                  capture_output=True, text=True, check=True).stdout)
assert len(linux) == len(RUNS)

options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
            "--disable-component-update", "--no-first-run", "--disable-sync", "--window-size=800,700",
            "--force-device-scale-factor=1", f"--user-data-dir={tempfile.mkdtemp()}"):
    options.add_argument(arg)
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
url = page.resolve().as_uri()
# Every violation of the page's policy is kept where the test can read it.
driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
    window.policyViolations = [];
    document.addEventListener('securitypolicyviolation',
        e => window.policyViolations.push(e.violatedDirective + ' ' + e.blockedURI));"""})


def open_page():
    """The page afresh, on a desktop browser's 800 x 700 viewport unless a screen is set."""
    driver.get(url)
    # The program builds the controls once it has compiled.
    driver.execute_script("return new Promise(r => (function wait() { document.getElementById('Text1(0)') ? r()"
                          " : setTimeout(wait, 10); })())")


def el(name):
    return driver.find_element(By.ID, name)


def box():
    """The result box as the page holds it; a textarea gives "\\r\\n" back as "\\n"."""
    return el("Text1(0)").get_property("value")


def shown(text):
    return text.replace("\r\n", "\n")


def click(name):
    ActionChains(driver).move_to_element_with_offset(el(name), 0, 0).click().perform()


def spoken():
    """What the page's polite live regions say, in page order, empty ones left out; blanks at the ends are not
    heard."""
    return driver.execute_script("return [...document.querySelectorAll('[aria-live=polite]')]"
                                 ".map(e => e.textContent.trim()).filter(t => t)")


def focused():
    return driver.execute_script("return document.activeElement.id")


def keys(*sequence):
    chain = ActionChains(driver)
    for k in sequence:
        if k == "shift+tab":
            chain.key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT)
        else:
            chain.send_keys(k)
    chain.perform()


raw = page.read_bytes()
check(len(raw) <= 64 * 1024 and len(gzip.compress(raw, 9)) <= 30 * 1024,
      f"the page weighs {len(raw) / 1024:.1f} KB, {len(gzip.compress(raw, 9)) / 1024:.1f} KB gzipped")
try:
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 800, "height": 700, "deviceScaleFactor": 1, "mobile": False})
    open_page()
    # At opening.
    check(driver.title == "www.kestrova.example Kestrova", "the page's title is the window caption")
    check(el("Label1(0)").text == "Мобилни телефони - фирми и страни", "the heading")
    check([e.text for e in driver.find_elements(By.TAG_NAME, "legend")] == ["Фирма", "Страна"], "the frames' captions")
    for frame, expected in (("Frame1(0)", FIRMS_TOP_DOWN), ("Frame1(1)", COUNTRIES_TOP_DOWN)):
        labels = el(frame).find_elements(By.TAG_NAME, "label")
        by_top = [l.text for l in sorted(labels, key=lambda l: l.rect["y"])]
        check(by_top == expected, f"{frame} reads top to bottom alphabetically")
        check([l.text for l in labels] == expected, f"{frame}: arrow keys follow the rows")
    check([e.text for e in driver.find_elements(By.TAG_NAME, "button")] == ["Изведи", "Чисти"], "the commands")
    check(not any(e.is_selected() for e in driver.find_elements(By.CSS_SELECTOR, "input[type=radio]")),
          "nothing checked")
    check(focused() == "Text1(0)", "the focus is in the result box")
    check(box() == shown(linux[0]), "the assignment, as the Linux window shows it")
    check(len(linux[0]) == 816, "the assignment has 816 characters")
    check(not el("Text1(1)").is_displayed() and not el("List1").is_displayed(), "motto and list stay hidden")
    # The exact form, scaled: each place divided by the scale is its place at 1 x.
    origin = driver.execute_script("return document.getElementById('kestrova').getBoundingClientRect()")
    scale = origin["width"] / 461
    check(abs(origin["height"] / scale - 382) <= 1, f"the form keeps its proportions at {scale:.2f} x")
    for name, (x, y, w, h) in PLACES.items():
        r = driver.execute_script("return arguments[0].closest('label') ? arguments[0].closest('label')"
                                  ".getBoundingClientRect() : arguments[0].getBoundingClientRect()", el(name))
        got = tuple(round(v / scale, 1) for v in (r["x"] - origin["x"], r["y"] - origin["y"], r["width"], r["height"]))
        check(all(abs(a - b) <= 1 for a, b in zip(got, (x, y, w, h))), f"{name} at {(x, y, w, h)}, seen {got}")

    # By mouse, each run against the Linux window.
    for run, expected in zip(RUNS[1:], linux[1:]):
        open_page()
        for name in run:
            click(name)
        check(box() == shown(expected), "mouse: " + " ".join(run))
    for i, (firm, country) in enumerate(PAIRS):
        check(linux[1 + i].startswith("Браво! Позна.\r\n") and el(f"Option1({i})").find_element(By.XPATH, "..").text
              == firm and el(f"Option2({i})").find_element(By.XPATH, "..").text == country,
              f"{firm} with {country} is right")
    check(linux[11] == WRONG and linux[12] == WRONG and linux[13] == PROMPT and linux[14] == WRONG,
          "wrong pair, nothing chosen, «Чисти», one side after «Чисти»")
    open_page()
    click("Option1(2)")
    click("Option1(9)")
    check(el("Option1(9)").is_selected() and not el("Option1(2)").is_selected(), "BenQ replaces Nokia")

    # By keyboard alone: Alcatel SA and Франция, then Финландия, then «Чисти».
    open_page()
    keys(Keys.TAB)
    check(focused() == "Option1(6)", "Tab enters the firms at the top")
    keys(Keys.SPACE, Keys.TAB)
    check(focused() == "Option2(4)", "Tab goes on to the countries")
    keys(Keys.SPACE, *[Keys.ARROW_DOWN] * 6)
    check(el("Option2(6)").is_selected(), "Down six rows: Франция")
    keys(Keys.TAB, Keys.ENTER)
    check(box() == shown(linux[1 + 6]), "Enter on «Изведи»: right, as on Linux")
    keys("shift+tab", Keys.ARROW_UP, Keys.TAB, Keys.SPACE)
    check(box() == shown(WRONG), "Up to Финландия, Space on «Изведи»: wrong")
    keys(Keys.TAB, Keys.ENTER)
    check(box() == PROMPT and not any(e.is_selected() for e in driver.find_elements(By.CSS_SELECTOR, "input")),
          "Enter on «Чисти» clears")

    # What assistive technology is given.
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    seen = [(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in tree if not n.get("ignored")]
    check(("group", "Фирма") in seen and ("group", "Страна") in seen, "two named groups")
    check(all(("radio", f) in seen for f in FIRMS_TOP_DOWN + COUNTRIES_TOP_DOWN), "twenty named radios")
    check(("textbox", "Резултат") in seen, "the result box is named «Резултат»")
    check(("heading", "Мобилни телефони - фирми и страни") in seen, "the heading")
    check(not any(n == "Неприятното" or (n or "").startswith("Неприятното") for _, n in seen), "the motto is not exposed")
    check(spoken() == [PROMPT], "a live region says the prompt")
    screenshots.mkdir(parents=True, exist_ok=True)
    open_page()
    for name in ("Option1(2)", "Option2(2)", "Command1(0)"):
        click(name)
    el("kestrova").screenshot(str(screenshots / "kestrova-web.png"))
    print("screenshot:", screenshots / "kestrova-web.png")

    # The same verdict twice: each is a change of a live region, in turn.
    open_page()
    click("Option1(2)")
    click("Command1(0)")
    first = driver.execute_script("return [...document.querySelectorAll('[aria-live=polite]')].map(e => e.textContent)")
    click("Command1(0)")
    second = driver.execute_script("return [...document.querySelectorAll('[aria-live=polite]')].map(e => e.textContent)")
    # A screen reader may drop words equal to the last it was given: the second time they differ, though not
    # in what is heard.
    check(len(first) == 2 and sorted(t.strip() for t in first) == sorted(t.strip() for t in second) ==
          ["", "Грешен отговор."] and first != second and "".join(first) != "".join(second),
          f"the same verdict twice is spoken from the other region, its text not the same: {first} then {second}")

    # A clean start, and the policy still in force.
    logged = [e for e in driver.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]
    check(not logged, f"no console error or warning: {logged[:3]}")
    check(driver.execute_script("return window.policyViolations") == [], "the page starts with no policy violation")
    blocked = driver.execute_script("""return fetch('https://www.kestrova.example/').then(() => 'sent', () => 'blocked')
        .then(r => new Promise(ok => setTimeout(() => ok([r, window.policyViolations]), 100)))""")
    check(blocked[0] == "blocked" and any(v.startswith("connect-src") for v in blocked[1]),
          f"the policy forbids every connection: {blocked}")
    icons = driver.execute_script("return [...document.querySelectorAll('link[rel~=icon], link[rel=apple-touch-icon]')]"
                                  ".map(l => l.href.slice(0, 22))")
    check(len(icons) == 2 and all(i == "data:image/png;base64," for i in icons), "tab and home-screen icons inlined")


    check_what_users_see(driver, open_page, check, users_see)
    check_screens(driver, open_page, check, Path(axe_js).read_text(), screenshots)
finally:
    driver.quit()

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
