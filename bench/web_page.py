#!/usr/bin/python3
"""Times kestrova.html against a static page with the same elements, in one
headless Chromium, interleaved: navigation to first contentful paint (the
quiz's controls exist only once its program has run, so its first paint is
the page ready and drawn). The static page is the quiz's own DOM after it
has loaded, saved without its script.

   web_page.py PAGE RUNS     prints JSON: {"quiz": [ms...], "static": [ms...]}
"""
import json
import sys
import tempfile
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

page, runs = Path(sys.argv[1]).resolve(), int(sys.argv[2])
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
            "--disable-component-update", "--no-first-run", "--disable-sync", "--window-size=800,700",
            f"--user-data-dir={tempfile.mkdtemp()}"):
    options.add_argument(arg)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
# A desktop browser's screen, where the quiz shows its exact form.
driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                       {"width": 1366, "height": 768, "deviceScaleFactor": 1, "mobile": False})
FIRST_PAINT = """
const done = arguments[0];
const look = () => {
  const fcp = performance.getEntriesByName('first-contentful-paint')[0];
  if (fcp) done(fcp.startTime); else setTimeout(look, 5);
};
look();"""
try:
    with tempfile.TemporaryDirectory() as tmp:
        driver.get(page.as_uri())
        driver.execute_async_script(FIRST_PAINT)
        html = driver.execute_script(
            "const d = document.documentElement.cloneNode(true);"
            "d.querySelectorAll('script').forEach(s => s.remove());"
            "d.querySelector('#Text1\\\\(0\\\\)').textContent = document.getElementById('Text1(0)').value;"
            "return '<!doctype html>' + d.outerHTML;")
        static = Path(tmp, "static.html")
        static.write_text(html, encoding="utf-8")
        pages = {"quiz": page.as_uri(), "static": static.as_uri()}
        times = {name: [] for name in pages}
        for round_ in range(runs + 2):
            for name, url in pages.items():
                driver.get("about:blank")
                driver.get(url)
                ms = driver.execute_async_script(FIRST_PAINT)
                if round_ >= 2:
                    times[name].append(ms)
    print(json.dumps(times))
finally:
    driver.quit()
