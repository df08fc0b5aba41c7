"""The three browser engines behind one small interface, so that every check
of the page is written once: Chromium (selenium and chromedriver, with the
DevTools protocol for what WebDriver lacks), WebKitGTK (selenium and
WebKitWebDriver, in a bare window under Xvfb) and Firefox ESR (puppeteer over
WebDriver BiDi, through firefox_bridge.mjs).

Scripts are function bodies that read their arguments from `arguments`; a
returned promise is awaited. Places are CSS pixels of the viewport; pictures
are device pixels.
"""
import base64
import io
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.error
import urllib.request
from functools import partial
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

HERE = Path(__file__).resolve().parent
# The controls are in the page as written; the program has taken them over
# once it has taken away the page's word that it cannot run.
PROGRAM_RUNS = "document.getElementById('Text1(0)') && !document.querySelector('#kestrova > p')"
WAIT_FOR_CONTROLS = ("return new Promise(r => (function wait() { " + PROGRAM_RUNS + " ? r()"
                     " : setTimeout(wait, 10); })())")
# Once a page: at its start where the engine can, else before a check.
POLICY_WATCH = """
    if (!window.watching) {
        window.policyViolations = [];
        window.watching = true;
        document.addEventListener('securitypolicyviolation',
            e => window.policyViolations.push(e.violatedDirective + ' ' + e.blockedURI));
    }"""


# The word in the page's policy that lets it compile its WebAssembly.
WASM_WORD = " 'wasm-unsafe-eval'"


def webassembly_refused(page, folder):
    """A copy of the page, in `folder`, whose policy lacks 'wasm-unsafe-eval':
    an engine refuses its WebAssembly as Safari and iOS 12 to 15 and Chrome
    70 to 96 do, which read the policy but not that word."""
    html = Path(page).read_text(encoding="utf-8")
    if html.count(WASM_WORD) != 1:
        raise ValueError(f"{page}: its policy does not allow its WebAssembly by{WASM_WORD} once")
    copy = Path(folder) / "kestrova.html"
    copy.write_text(html.replace(WASM_WORD, ""), encoding="utf-8")
    return copy


class EngineMissing(Exception):
    """The engine is not installed here, or cannot do what is asked of it;
    its tests are skipped with this reason."""


class EngineFailed(Exception):
    """The engine is installed but did not start; the message carries what
    it said. A busy or broken machine must not pass for one without it, so
    this fails the tests instead of skipping them."""


def started(kind, *args, **kwargs):
    """A browser of the engine `kind`; one that does not start is tried once
    more, and a second failure is raised."""
    try:
        return kind(*args, **kwargs)
    except EngineFailed as e:
        print(f"{kind.name} did not start; once more: {e}")
        return kind(*args, **kwargs)


def log_tail(path, lines=40):
    try:
        return "\n".join(Path(path).read_text(errors="replace").splitlines()[-lines:])
    except OSError:
        return "(no log)"


def load_what_users_see(path):
    """The tests' shared list of what a user sees and hears: the one place
    the Python tests read it."""
    return json.loads(Path(path).read_text(encoding="utf-8"))


# What every Chromium the tests start is given: no sandbox (the tests may run
# as root), nothing fetched or offered on the side.
CHROMIUM_FLAGS = ("--no-sandbox", "--no-first-run", "--disable-background-networking", "--disable-component-update",
                  "--disable-sync")


def picture_from_png(data):
    from PIL import Image
    return Image.open(io.BytesIO(data)).convert("RGB")


class Engine:
    name = ""
    # What the engine can emulate, and why not where it cannot.
    touch_screen = True
    no_touch_screen = ""
    policy_from_start = True
    no_policy_from_start = ""
    # Settings the engine takes only at its start: a different value needs a
    # new browser.
    fixed = ()

    def __init__(self, url, ratio=1, text=16):
        self.url = url
        self.ratio = ratio
        self.text = text
        self.width = self.height = 0

    def js(self, body, *args):
        raise NotImplementedError

    def open(self):
        """The page afresh on the screen last set; the program builds the
        controls once it has compiled."""
        self.load()
        self.js(WAIT_FOR_CONTROLS)

    def rect(self, name):
        """An option's row, or the control itself, scrolled into view."""
        return self.js("const e = document.getElementById(arguments[0]); const b = e.closest('label') || e;"
                       " b.scrollIntoView({block: 'nearest'}); return b.getBoundingClientRect().toJSON()", name)

    def centre(self, name):
        r = self.js("const e = document.getElementById(arguments[0]); e.scrollIntoView({block: 'nearest'});"
                    " return e.getBoundingClientRect().toJSON()", name)
        return r["x"] + r["width"] / 2, r["y"] + r["height"] / 2

    def click_control(self, name):
        self.click(*self.centre(name))

    def tap_control(self, name):
        r = self.rect(name)
        self.tap(r["x"] + r["width"] / 2, r["y"] + r["height"] / 2)

    def settle(self, ratio, text):
        """Settings the engine emulates without a new browser."""
        self.ratio = ratio

    def violations(self):
        return self.js("return window.policyViolations")

    def quit(self):
        pass


class SeleniumEngine(Engine):
    """What Chromium and WebKit share through selenium's WebDriver."""

    def js(self, body, *args):
        return self.driver.execute_script(body, *args)

    def load(self):
        self.driver.get(self.url)

    def picture(self):
        return picture_from_png(self.driver.get_screenshot_as_png())

    def pointer(self, *steps):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        from selenium.webdriver.common.actions.pointer_input import PointerInput
        from selenium.webdriver.common.actions import interaction
        kind = interaction.POINTER_TOUCH if "touch" in steps else interaction.POINTER_MOUSE
        actions = ActionBuilder(self.driver, mouse=PointerInput(kind, kind))
        for step in steps:
            if isinstance(step, tuple):
                actions.pointer_action.move_to_location(round(step[0]), round(step[1]))
            elif step == "down":
                actions.pointer_action.pointer_down()
            elif step == "up":
                actions.pointer_action.pointer_up()
        actions.perform()

    def click(self, x, y):
        self.pointer((x, y), "down", "up")

    def press(self, x, y):
        self.pointer((x, y), "down")

    def release(self, x, y):
        self.pointer((x, y), "up")

    def tap(self, x, y):
        self.pointer("touch", (x, y), "down", "up")

    def keys(self, *names):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        chain = ActionChains(self.driver)
        for name in names:
            *held, last = name.split("+")
            for h in held:
                chain.key_down(getattr(Keys, h.upper()))
            chain.send_keys(getattr(Keys, {"ArrowDown": "ARROW_DOWN", "ArrowUp": "ARROW_UP"}.get(last, last.upper()))
                            if len(last) > 1 else last)
            for h in reversed(held):
                chain.key_up(getattr(Keys, h.upper()))
        chain.perform()

    def type_text(self, text):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.driver).send_keys(text).perform()

    def quit(self):
        try:
            self.driver.quit()
        except Exception:  # the browser may have gone with its window
            pass


class Chromium(SeleniumEngine):
    name = "chromium"

    def __init__(self, url, ratio=1, text=16):
        super().__init__(url, ratio, text)
        for tool in ("/usr/bin/chromium", "/usr/bin/chromedriver"):
            if not os.access(tool, os.X_OK):
                raise EngineMissing(f"{tool} is not installed")
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        self.profile = tempfile.mkdtemp(prefix="kestrova-chromium-")
        for arg in CHROMIUM_FLAGS + ("--headless=new", "--disable-gpu", "--window-size=800,700",
                                     "--force-device-scale-factor=1", f"--user-data-dir={self.profile}"):
            options.add_argument(arg)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        except Exception as e:
            raise EngineFailed(f"Chromium did not start: {e}") from e
        self.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": POLICY_WATCH})
        self.text = 16
        self.settle(ratio, text)
        self.version = self.driver.capabilities.get("browserVersion", "")

    def settle(self, ratio, text):
        super().settle(ratio, text)
        if text != self.text:
            self.cdp("Page.setFontSizes", {"fontSizes": {"standard": text, "fixed": text if text != 16 else 13}})
            self.text = text

    def cdp(self, command, params=None):
        return self.driver.execute_cdp_cmd(command, params or {})

    def screen(self, width, height, ratio=None, mobile=False, touch=False):
        self.width, self.height = width, height
        self.cdp("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                         "deviceScaleFactor": ratio or self.ratio, "mobile": mobile})
        self.cdp("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})

    def load(self):
        self.driver.get_log("browser")  # what came before this page is not its own
        self.driver.get(self.url)

    def picture(self):
        return picture_from_png(base64.b64decode(self.cdp("Page.captureScreenshot", {"format": "png",
                                                                                "optimizeForSpeed": True})["data"]))

    def tap(self, x, y):
        point = [{"x": x, "y": y, "radiusX": 4, "radiusY": 4, "force": 1}]
        self.cdp("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point})
        self.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def console(self):
        return [f"{e['level']} {e['message']}" for e in self.driver.get_log("browser")
                if e["level"] in ("SEVERE", "WARNING")]

    def tree(self):
        """The accessibility tree's exposed nodes."""
        return [n for n in self.cdp("Accessibility.getFullAXTree")["nodes"] if not n.get("ignored")]

    def accessible(self, role, name=None):
        ids = []
        for n in self.tree():
            if n.get("role", {}).get("value") == role and (name is None or n.get("name", {}).get("value") == name):
                node = self.cdp("DOM.resolveNode", {"backendNodeId": n["backendDOMNodeId"]})["object"]
                ids.append(self.cdp("Runtime.callFunctionOn", {"objectId": node["objectId"], "returnByValue": True,
                                    "functionDeclaration": "function () { return this.id || this.tagName; }"})
                           ["result"]["value"])
        return ids

    def exposes(self, name):
        node = self.cdp("DOM.describeNode", {"objectId": self.cdp("Runtime.evaluate", {
            "expression": f"document.getElementById({json.dumps(name)})"})["result"]["objectId"]})["node"]
        tree = self.cdp("Accessibility.getPartialAXTree", {"backendNodeId": node["backendNodeId"],
                                                          "fetchRelatives": False})["nodes"]
        return not all(n.get("ignored") for n in tree)

    def quit(self):
        super().quit()
        shutil.rmtree(self.profile, ignore_errors=True)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Server:
    """A plain static web server on 127.0.0.1, as a school's is, quiet in the
    tests' log. It can be taken away and brought back at the same address,
    serving another folder if need be; `handler` may answer more than GET,
    and finds this object as its server's `served`."""

    def __init__(self, root, handler=SimpleHTTPRequestHandler):
        self.root, self.handler = root, handler
        self.port = free_port()
        self.url = f"http://127.0.0.1:{self.port}/"
        self.start()

    def start(self, root=None):
        self.root = root or self.root
        quiet = type("Quiet", (self.handler,), {"log_message": lambda *a: None})
        self.httpd = ThreadingHTTPServer(("127.0.0.1", self.port), partial(quiet, directory=str(self.root)))
        self.httpd.served = self
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()

    def status(self, url):
        try:
            with urllib.request.urlopen(url) as answer:
                return answer.status, answer.read()
        except urllib.error.HTTPError as e:
            return e.code, b""


class Xvfb:
    """A virtual screen of its own for the browsers and the screen reader."""

    def __init__(self, size="1920x1200x24"):
        if not shutil.which("Xvfb"):
            raise EngineMissing("Xvfb is not installed")
        read, write = os.pipe()
        self.log = tempfile.NamedTemporaryFile(prefix="kestrova-xvfb-", suffix=".log")
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", size,
                                         "-nolisten", "tcp"], pass_fds=[write], stderr=self.log)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            self.process.wait()
            raise EngineFailed(f"Xvfb did not start:\n{log_tail(self.log.name)}")
        self.display = ":" + number

    def stop(self):
        self.process.terminate()
        self.process.wait()


class WebKit(SeleniumEngine):
    """WebKitGTK, in webkit_browser.py's bare window: its size is the
    viewport's. The device pixel ratio is GTK's whole-number scale, fixed at
    the start."""
    name = "webkit"
    touch_screen = False
    no_touch_screen = ("WebKitGTK has no touch screen emulation: WebKitWebDriver delivers touch actions as mouse "
                       "pointer events, so taps are checked as such")
    policy_from_start = False
    no_policy_from_start = ("WebDriver runs no script before the page's own, so the policy is watched from the "
                            "page's console instead, where WebKit reports every violation")
    fixed = ("ratio", "text")

    def __init__(self, url, ratio=1, text=16):
        super().__init__(url, ratio, text)
        if not os.access("/usr/bin/WebKitWebDriver", os.X_OK):
            raise EngineMissing("WebKitWebDriver (webkit2gtk-driver) is not installed")
        check = subprocess.run(["/usr/bin/python3", "-c", "import gi; gi.require_version('WebKit2', '4.1')"],
                               capture_output=True)
        if check.returncode:
            raise EngineMissing("WebKitGTK's introspection data (gir1.2-webkit2-4.1, python3-gi) is missing")
        if ratio != int(ratio):
            raise EngineMissing(f"WebKitGTK scales by whole numbers only, not {ratio}")
        self.screen_ = Xvfb()
        self.log = tempfile.NamedTemporaryFile(prefix="kestrova-webkit-", suffix=".log")
        port = free_port()
        env = dict(os.environ, DISPLAY=self.screen_.display, GDK_SCALE=str(int(ratio)),
                   KESTROVA_TEXT_SIZE=str(text), GDK_BACKEND="x11")
        env.pop("WAYLAND_DISPLAY", None)
        self.service = subprocess.Popen(["/usr/bin/WebKitWebDriver", f"--port={port}"], env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        from selenium import webdriver
        options = webdriver.WebKitGTKOptions()
        options.binary_location = str(HERE / "webkit_browser.py")
        options.add_argument("--automation")
        options.set_capability("browserName", "kestrova-tests")
        started = time.monotonic()
        while True:
            try:
                self.driver = webdriver.Remote(f"http://127.0.0.1:{port}", options=options)
                break
            except Exception as e:
                if time.monotonic() - started > 60 or self.service.poll() is not None:
                    self.stop()
                    raise EngineFailed(f"WebKit did not start: {e}\nWebKitWebDriver's log:\n"
                                       f"{log_tail(self.log.name)}") from e
                time.sleep(0.3)
        self.version = self.driver.capabilities.get("browserVersion", "")
        self.seen = 0

    def screen(self, width, height, ratio=None, mobile=False, touch=False):
        if ratio and ratio != self.ratio:
            raise ValueError(f"this WebKit runs at {self.ratio} x, not {ratio} x")
        self.width, self.height = width, height
        self.driver.set_window_rect(0, 0, width, height)
        # The window manager-less screen settles the size in a moment.
        for _ in range(50):
            if self.js("return [innerWidth, innerHeight]") == [width, height]:
                return
            time.sleep(0.05)
        raise RuntimeError(f"WebKit's viewport is {self.js('return [innerWidth, innerHeight]')}, not {width} x {height}")

    def picture(self):
        # WebKit's picture is of what it last painted: first let it paint
        # what a key or a script has just changed.
        self.js("return new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))")
        return super().picture()

    def load(self):
        self.seen = self.log.seek(0, io.SEEK_END)
        self.driver.get(self.url)

    def console(self):
        with open(self.log.name, "rb") as f:
            f.seek(self.seen)
            lines = f.read().decode("utf-8", "replace").splitlines()
        return [line for line in lines
                if line.startswith("CONSOLE ") and {"ERROR", "WARN", "WARNING"} & set(line.split(" ", 3)[1:3])]

    def violations(self):
        return None

    def accessible(self, role, name=None):
        from selenium.common.exceptions import WebDriverException
        ids = []
        for element in self.driver.find_elements("css selector", "#kestrova, #kestrova *"):
            try:
                if element.aria_role == role and (name is None or element.accessible_name == name):
                    ids.append(element.get_attribute("id") or element.tag_name)
            except WebDriverException:
                pass  # WebKit has no accessibility object for it: not exposed
        return ids

    def exposes(self, name):
        from selenium.common.exceptions import WebDriverException
        try:
            return self.driver.find_element("id", name).aria_role not in ("", "none", "presentation")
        except WebDriverException:
            return False  # WebKit has no accessibility object for it

    def stop(self):
        self.service.terminate()
        self.service.wait()
        self.screen_.stop()

    def quit(self):
        super().quit()
        self.stop()


class Firefox(Engine):
    """Firefox ESR through firefox_bridge.mjs. The reader's text size is a
    preference, read at the start."""
    name = "firefox"
    # Taps arrive as touches, but over WebDriver BiDi Firefox does not
    # present itself as a touch screen (no touch points, a fine pointer);
    # the page's layout depends on the screen's size alone.
    fixed = ("text",)

    def __init__(self, url, ratio=1, text=16):
        super().__init__(url, ratio, text)
        if not os.access("/usr/bin/firefox-esr", os.X_OK):
            raise EngineMissing("/usr/bin/firefox-esr is not installed")
        if not (HERE / "node_modules" / "puppeteer-core").is_dir():
            raise EngineMissing("puppeteer-core is not installed: run npm ci in tests/web")
        if not shutil.which("node"):
            raise EngineMissing("node is not installed")
        prefs = {}
        if text != 16:
            for group in ("x-cyrillic", "x-western"):
                prefs[f"font.size.variable.{group}"] = text
                prefs[f"font.size.monospace.{group}"] = text
        bridge = ["node", str(HERE / "firefox_bridge.mjs"), json.dumps({"prefs": prefs, "watch": POLICY_WATCH})]
        self.process = subprocess.Popen(bridge,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, encoding="utf-8")
        ready = json.loads(self.process.stdout.readline() or '{"error": "the bridge ended"}')
        if "ready" not in ready:
            self.process.wait()
            raise EngineFailed(ready["error"])
        self.version = ready["ready"]
        self.asked = 0

    def call(self, cmd, **params):
        self.asked += 1
        self.process.stdin.write(json.dumps({"id": self.asked, "cmd": cmd, **params}) + "\n")
        self.process.stdin.flush()
        answer = json.loads(self.process.stdout.readline())
        if "error" in answer:
            raise RuntimeError(f"Firefox, {cmd}: {answer['error']}")
        return answer["value"]

    def js(self, body, *args):
        return self.call("evaluate", body=body, args=list(args))

    def screen(self, width, height, ratio=None, mobile=False, touch=False):
        self.width, self.height = width, height
        self.call("viewport", width=width, height=height, ratio=ratio or self.ratio, mobile=mobile, touch=touch)

    def load(self):
        self.call("goto", url=self.url)

    def picture(self):
        return picture_from_png(base64.b64decode(self.call("screenshot")))

    def click(self, x, y):
        self.call("mouse", kind="click", x=x, y=y)

    def press(self, x, y):
        self.call("mouse", kind="down", x=x, y=y)

    def release(self, x, y):
        self.call("mouse", kind="up", x=x, y=y)

    def tap(self, x, y):
        self.call("tap", x=x, y=y)

    def keys(self, *names):
        self.call("keys", keys=list(names))

    def type_text(self, text):
        self.call("type", text=text)

    def console(self):
        return [f"{m['type']} {m['text']}" for m in self.call("console") if m["type"] in ("error", "warn", "warning")]

    def accessible(self, role, name=None):
        return self.call("accessible", role=role, name=name)

    def exposes(self, name):
        # What a text box or a list could be exposed as.
        return any(name in self.accessible(role) for role in ("textbox", "listbox", "combobox", "option"))

    def quit(self):
        try:
            self.process.stdin.write(json.dumps({"cmd": "close"}) + "\n")
            self.process.stdin.close()
            self.process.wait(timeout=30)
        except Exception:
            self.process.kill()
            self.process.wait()


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
