#!/usr/bin/python3
"""A blind student's round with the quiz, heard through Orca, the screen
reader of a Linux classroom: on a private X display, with its own session
and accessibility buses, Speech Dispatcher speaking with eSpeak NG, and Orca
writing what it says to its debug log. The student presses only keys: Tab
and Shift+Tab, the arrows, Space and Enter.

   heard_test.py FRONT_END TARGET WHAT_USERS_SEE_JSON QUIZ_TABLES_JSON LOG_DIR

FRONT_END is `qt` (TARGET: the kestrova program), `chromium` or `firefox`
(TARGET: kestrova.html). Checks from Orca's "SPEECH OUTPUT" lines that each
verdict and prompt is heard, a repeated one as often as it is asked for, and
that the focus stays on the button pressed. Prints one line per check, the
lines Orca spoke for the round, and exits 1 on a failed check, 77 where a
screen reader, a synthesiser or the browser is not installed. Where one is
installed but does not start, the whole session is started once more; a
second failure fails the test with that program's own log, so that a busy
or broken machine cannot pass for one without Orca.
"""
import html
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty
from pathlib import Path

# The browsers' and the screen's drivers, which the page's own tests use,
# and the checks the tests share.
sys.path[:0] = [str(Path(__file__).resolve().parents[1] / folder) for folder in ("web", "support")]
import engines  # noqa: E402
from checks import check, summary  # noqa: E402

SKIP = 77
# Generous: the machine may be busy, and a browser with accessibility on
# can take a minute to show its first window there.
START_TIMEOUT = 240
HEAR_TIMEOUT = 60


def skip(why):
    print("SKIPPED:", why)
    if work:
        keep_log()
        stop_all()
        shutil.rmtree(work, ignore_errors=True)
    sys.exit(SKIP)


class DidNotStart(Exception):
    """An installed program of the session did not start: `logs` names the
    files in the session's folder where it said why."""

    def __init__(self, what, *logs):
        super().__init__(what)
        self.logs = logs


def keep_log():
    log_dir.mkdir(parents=True, exist_ok=True)
    kept = log_dir / f"orca-{front_end}.log"
    if orca_log.exists():
        shutil.copyfile(orca_log, kept)
    print(f"Orca's whole log: {kept}")


def load_json(program):
    return json.loads(subprocess.run([program], capture_output=True, text=True, check=True).stdout)


front_end, target = sys.argv[1], Path(sys.argv[2])
seen, tables = engines.load_what_users_see(sys.argv[3]), load_json(sys.argv[4])
log_dir = Path(sys.argv[5])
FIRMS, COUNTRIES, DESCRIPTIONS = tables["firms"], tables["countries"], tables["descriptions"]
COUNTRY_ROWS = tables["countryRows"]
SHOW, CLEAR = seen["commandCaptions"]

work = None  # the session's own folder, once there is one
BROWSERS = {"chromium": "chromium", "firefox": "firefox-esr"}
tools = ["Xvfb", "dbus-daemon", "dbus-send", "xdotool", "orca", "speech-dispatcher"]
if front_end in BROWSERS:
    tools.append(BROWSERS[front_end])
missing = [t for t in tools if not shutil.which(t)]
for path in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/speech-dispatcher-modules/sd_espeak-ng"):
    if not os.access(path, os.X_OK):
        missing.append(path)
if missing:
    skip("not installed: " + ", ".join(missing))
if not target.exists():
    skip(f"{target} is not built")

work = Path(tempfile.mkdtemp(prefix="kestrova-heard-"))
children = []
screen = None  # the private display, once there is one


def start(args, **kwargs):
    """Starts a program in a process group of its own, which stop_all ends;
    what it prints goes to a file in the session's folder, not to the test's."""
    with open(work / f"{Path(args[0]).name}.out", "ab") as out:
        kwargs.setdefault("stdout", out)
        kwargs.setdefault("stderr", out)
        child = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, start_new_session=True, **kwargs)
    children.append(child)
    return child


def stop_all():
    for child in reversed(children):
        if child.poll() is None:
            try:
                os.killpg(child.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
    for child in reversed(children):
        try:
            child.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGKILL)
            child.wait()
    if screen:
        screen.stop()


def wait_until(condition, timeout, step=0.1):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(step)


def read_line_from(args, timeout):
    """Starts a program that writes one line (a display, a bus address) to
    the descriptor it is given, and returns that line, or None."""
    r, w = os.pipe()
    start([a.replace("FD", str(w)) for a in args], pass_fds=(w,))
    os.close(w)
    text = b""
    deadline = time.monotonic() + timeout
    while b"\n" not in text and time.monotonic() < deadline:
        ready, _, _ = select.select([r], [], [], 0.5)
        if ready:
            chunk = os.read(r, 4096)
            if not chunk:
                break
            text += chunk
    os.close(r)
    return text.decode().strip() or None


# A private home, so that Orca, the synthesiser and the browser read only
# the settings written here and leave nothing behind.
home = work / "home"
env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "DBUS_", "AT_SPI", "XDG_", "SPEECHD"))}
env.update(HOME=str(home), XDG_RUNTIME_DIR=str(work / "run"), XDG_CONFIG_HOME=str(home / ".config"),
           XDG_DATA_HOME=str(home / ".local/share"), XDG_CACHE_HOME=str(home / ".cache"),
           GSETTINGS_BACKEND="memory", LANG="C.UTF-8", NO_AT_BRIDGE="0")
env.pop("LC_ALL", None)
for d in (home, work / "run", home / ".config", home / ".local/share", home / ".cache"):
    d.mkdir(parents=True, exist_ok=True)
(work / "run").chmod(0o700)
# No sound card here: the synthesiser's sound goes to ALSA's null device.
(home / ".asoundrc").write_text("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")

orca_log = work / "orca.log"


class Heard:
    """What Orca has said so far, line by line, from its debug log."""
    SPOKEN = re.compile(r"^[\d:.]+ - SPEECH OUTPUT: '(.*)'(?: voice=\w+)? ?(?:\{.*\}|None)?$")
    SENT = re.compile(r"^[\d:.]+ - SPEECH DISPATCHER: Speaking '(.*)' $")

    def __init__(self, path):
        self.path, self.offset, self.lines, self.partial = path, 0, [], b""

    def read(self):
        try:
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                data = f.read()
        except FileNotFoundError:
            return self.lines
        self.offset += len(data)
        data = self.partial + data
        *whole, self.partial = data.split(b"\n")
        self.lines += [line.decode("utf-8", "replace") for line in whole]
        return self.lines

    def mark(self):
        return len(self.read())

    def spoken(self, since=0):
        """(line number, text) for each utterance from line `since` on."""
        return [(i, m.group(1)) for i, line in enumerate(self.read()[since:], since)
                if (m := self.SPOKEN.match(line))]

    def sent(self, since):
        """The first text handed to the synthesiser from line `since` on,
        without its marks: what the student's ears get."""
        for line in self.read()[since:]:
            if m := self.SENT.match(line):
                return html.unescape(re.sub(r"<[^>]*>", "", m.group(1)))
        return None

    def wait(self, since, wanted, timeout=HEAR_TIMEOUT):
        """The first utterance from line `since` on for which `wanted` holds,
        as (line number, text); None if none comes in time."""
        def found():
            return next(((i, t) for i, t in self.spoken(since) if wanted(t)), None)
        return wait_until(found, timeout)

    def focus_moves(self, since, until=None):
        """Each change of Orca's locus of focus in lines since..until."""
        return [line for line in self.read()[since:until] if "ORCA: Changing locusOfFocus" in line]


heard = Heard(orca_log)


def finish():
    print(f"Orca's speech, {front_end}:")
    for _, text in heard.spoken(0):
        print(f"  SPEECH OUTPUT: '{text}'")
    keep_log()
    status = summary()
    stop_all()
    shutil.rmtree(work, ignore_errors=True)
    sys.exit(status)


def copy_log(master):
    with open(orca_log, "ab") as log:
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                return
            if not data:
                return
            log.write(data)
            log.flush()


def start_session():
    global screen
    try:
        screen = engines.Xvfb("1024x768x24")
    except engines.EngineMissing as e:
        skip(str(e))
    except engines.EngineFailed as e:
        raise DidNotStart(str(e))
    env["DISPLAY"] = screen.display
    address = read_line_from(["dbus-daemon", "--session", "--nofork", "--print-address=FD"], 30)
    if not address:
        raise DidNotStart("no session bus: dbus-daemon does not start", "dbus-daemon.out")
    env["DBUS_SESSION_BUS_ADDRESS"] = address
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])

    def bus_answers():
        return subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                               "org.a11y.Bus.GetAddress"], env=env, capture_output=True, timeout=30).returncode == 0
    if not wait_until(bus_answers, 60, 0.3):
        raise DidNotStart("the accessibility bus does not start", "at-spi-bus-launcher.out")

    # Speech Dispatcher on a socket of its own, with eSpeak NG alone.
    speechd = work / "speechd"
    (speechd / "modules").mkdir(parents=True, exist_ok=True)
    (work / "speechd-log").mkdir(exist_ok=True)
    shutil.copyfile("/etc/speech-dispatcher/modules/espeak-ng.conf", speechd / "modules/espeak-ng.conf")
    (speechd / "speechd.conf").write_text('AudioOutputMethod "alsa"\n'
                                          'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                                          'DefaultModule espeak-ng\nDefaultLanguage "bg"\n')
    socket = work / "speechd.sock"
    socket.unlink(missing_ok=True)
    start(["speech-dispatcher", "--run-single", "--timeout", "0", "--communication-method", "unix_socket",
           "--socket-path", str(socket), "--config-dir", str(speechd), "--log-dir", str(work / "speechd-log")])
    if not wait_until(socket.is_socket, 60):
        raise DidNotStart("speech-dispatcher does not start", "speech-dispatcher.out", "speechd-log/speech-dispatcher.log")
    env["SPEECHD_ADDRESS"] = f"unix_socket:{socket}"

    # Orca with speech on, through Speech Dispatcher, in a Bulgarian voice
    # as README's "A Bulgarian voice for Orca" sets up.
    prefs = work / "orca"
    prefs.mkdir(exist_ok=True)
    general = {"enableSpeech": True, "speechServerFactory": "speechdispatcherfactory",
               "voices": {"default": {"established": True, "family": {"lang": "bg", "dialect": ""}}}}
    (prefs / "user-settings.conf").write_text(json.dumps({
        "general": general, "pronunciations": {}, "keybindings": {},
        "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}}}))
    # Orca's log file keeps what it writes in a buffer until the buffer is
    # full, but a terminal gets it line by line: it writes to a
    # pseudo-terminal, and what comes out is copied to orca.log at once.
    master, terminal = os.openpty()
    tty.setraw(terminal)
    threading.Thread(target=copy_log, args=(master,), daemon=True).start()
    orca = start(["orca", "--debug-file", os.ttyname(terminal), "--user-prefs", str(prefs)])

    def orca_started():
        return any("ORCA: Starting ATSPI registry" in line for line in heard.read())
    # An Orca that has ended is not waited for.
    wait_until(lambda: orca_started() or orca.poll() is not None, START_TIMEOUT)
    if not orca_started():
        raise DidNotStart("Orca does not start" + (f": it ended with {orca.returncode}" if orca.poll() is not None
                                                   else f" in {START_TIMEOUT} s"), "orca.out", orca_log.name)
    if not wait_until(lambda: heard.sent(0) is not None, 60):
        raise DidNotStart("Orca does not speak through speech-dispatcher", orca_log.name,
                          "speechd-log/speech-dispatcher.log", "speechd-log/espeak-ng.log")


def open_front_end():
    program = str(target) if front_end == "qt" else BROWSERS[front_end]
    if front_end == "qt":
        start([str(target)])
    elif front_end == "chromium":
        # The page is in Bulgarian and the browser in English: no offer to
        # translate it, which Orca would read out.
        (work / "chromium/Default").mkdir(parents=True, exist_ok=True)
        (work / "chromium/Default/Preferences").write_text(json.dumps({"translate": {"enabled": False}}))
        start(["chromium", *engines.CHROMIUM_FLAGS, "--force-renderer-accessibility",
               f"--user-data-dir={work / 'chromium'}", "--no-default-browser-check",
               "--window-position=0,0", "--window-size=1024,768", target.resolve().as_uri()])
    else:
        profile = work / "firefox"
        profile.mkdir(exist_ok=True)
        prefs = {"browser.shell.checkDefaultBrowser": False, "browser.startup.homepage_override.mstone": "ignore",
                 "browser.aboutwelcome.enabled": False, "datareporting.policy.dataSubmissionEnabled": False,
                 "toolkit.telemetry.reportingpolicy.firstRun": False, "browser.translations.enable": False,
                 "app.update.enabled": False, "accessibility.force_disabled": -1,
                 "browser.newtab.preload": False}
        (profile / "user.js").write_text("".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n"
                                                  for k, v in prefs.items()))
        env.update(GNOME_ACCESSIBILITY="1", MOZ_ACCESSIBILITY="1")
        start(["firefox-esr", "--no-remote", "--new-instance", "--profile", str(profile), "--width", "1024",
               "--height", "768", target.resolve().as_uri()])
    # The window's title ends in "Kestrova"; the page's is the same.
    try:
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Kestrova"], env=env,
                               capture_output=True, text=True, timeout=START_TIMEOUT).stdout.split()
    except subprocess.TimeoutExpired:
        found = []
    if not found:
        raise DidNotStart(f"the {front_end} window does not show", f"{Path(program).name}.out")
    subprocess.run(["xdotool", "windowactivate", "--sync", found[-1]], env=env, capture_output=True, timeout=30)
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], env=env, capture_output=True, timeout=30)
    # The quiz opens with its result box focused. Orca is with the student
    # once its focus is on the box, or, where the box took the focus before
    # Orca turned to the window, on the window itself.
    box = f"| {seen['resultBoxName']}]"

    def with_the_student():
        lines = heard.read()
        moves = [line for line in lines if "ORCA: Changing locusOfFocus" in line]
        return any(box in m.split(" to ", 1)[-1] for m in moves) or (
            any("state-changed:focused for [" in line and box in line for line in lines)
            and any("Kestrova" in m.split(" to ", 1)[-1] for m in moves))
    if not wait_until(with_the_student, START_TIMEOUT, 0.3):
        if not heard.focus_moves(0):
            raise DidNotStart(f"Orca does not follow the focus into the {front_end} window", orca_log.name,
                              f"{Path(program).name}.out")
        check(False, f"the quiz opens with its result box focused, and Orca there: {heard.focus_moves(0)}")
        finish()
    # Orca finishes what it does as the page loads (in Firefox it reads the
    # page's summary and sets its own place at the page's top) before the
    # student presses a key: its log stands still for a while.
    settle()


def settle(quiet=3, timeout=HEAR_TIMEOUT):
    """Waits until Orca has written nothing for `quiet` seconds."""
    last = [heard.mark(), time.monotonic()]

    def still():
        now = heard.mark()
        if now != last[0]:
            last[:] = [now, time.monotonic()]
        return time.monotonic() - last[1] >= quiet
    wait_until(still, timeout, 0.2)


def press(key):
    """Presses a key as the student does; returns Orca's log line before it."""
    since = heard.mark()
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], env=env, check=True, timeout=30)
    return since


def caption(text, captions):
    """The caption Orca names in `text`, or None: "Nokia." names Nokia, and
    "Изведи push button." names «Изведи»."""
    name = text[:-1] if text.endswith(".") else text
    named = [c for c in captions if name == c or name.startswith(c + " ")]
    return max(named, key=len) if named else None


def to_caption(key, captions, what):
    """Presses `key` and returns the caption Orca names for the new focus."""
    since = press(key)
    said = heard.wait(since, lambda t: caption(t, captions) is not None)
    if not check(said is not None, f"{key}: Orca names {what}"):
        finish()
    return caption(said[1], captions)


def tab_into(captions, what):
    """Tabs from where the page left the focus into a group of captions:
    the result box first where the focus is before it. Returns the caption
    Orca names."""
    for _ in range(3):
        since = press("Tab")
        moved = wait_until(lambda: heard.focus_moves(since), HEAR_TIMEOUT)
        if moved and f"| {seen['resultBoxName']}]" in moved[-1].split(" to ", 1)[-1]:
            continue
        said = heard.wait(since, lambda t: caption(t, captions) is not None)
        if check(said is not None, f"Tab: Orca names {what}"):
            return caption(said[1], captions)
        break
    check(False, f"Tab reaches {what}")
    finish()


def spoken_as(text):
    """How Orca speaks an announcement: the web page's live region as its
    text, Qt's notification with its role's name before it."""
    return ("notification " if front_end == "qt" else "") + text


def hear_after_press(key, expected, what, button):
    """Presses the focused command button; the announcement must be heard,
    just as it is, and the focus must not move."""
    since = press(key)
    said = heard.wait(since, lambda t: t == spoken_as(expected))
    check(said is not None, f"{key} on «{button}»: Orca says {what}")
    if said:
        sent = wait_until(lambda: heard.sent(said[0]), HEAR_TIMEOUT)
        check(sent == spoken_as(expected), f"... and the synthesiser is given just that: «{sent}»")
    # Whatever follows from the press has come once the announcement has;
    # a moment more for a late focus event.
    time.sleep(1)
    moves = heard.focus_moves(since)
    check(not moves, f"... and the focus stays on «{button}»: {moves}")
    box = [t for _, t in heard.spoken(since) if seen["resultBoxName"] in t]
    check(not box, f"... and Orca does not go to the result box: {box}")
    # Besides, Orca only echoes the key ("space", "return").
    others = [t for _, t in heard.spoken(since) if t not in (spoken_as(expected), key.lower() + " ")]
    check(not others, f"... and Orca says nothing else: {others}")


def log_tail(path, lines=30):
    try:
        return "\n".join(path.read_text(errors="replace").splitlines()[-lines:]) or "(empty)"
    except OSError:
        return "(none written)"


def start_or_fail():
    """The session and the front end, started once more where something did
    not start; a second failure fails the test with that program's log."""
    global heard, orca_log
    for attempt in (1, 2):
        try:
            start_session()
            open_front_end()
            return
        except DidNotStart as e:
            print(f"{e} (try {attempt} of 2)")
            stop_all()
            children.clear()
            if attempt == 2:
                for name in e.logs:
                    print(f"== {name}, its last lines ==\n{log_tail(work / name)}")
                check(False, f"{e}: it is installed, but did not start, twice")
                finish()
            orca_log = work / "orca-again.log"
            heard = Heard(orca_log)


try:
    start_or_fail()

    # Into the firms; Space chooses the one the group starts at.
    firm = FIRMS.index(tab_into(FIRMS, "a firm"))
    press("space")
    # Into the countries, and on to one that is not the firm's.
    country = COUNTRIES.index(to_caption("Tab", COUNTRIES, "a country"))
    if country == firm:
        key = "Down" if COUNTRY_ROWS[country] < len(COUNTRIES) - 1 else "Up"
        country = COUNTRIES.index(to_caption(key, COUNTRIES, "the next country"))
    press("space")
    check(to_caption("Tab", [SHOW], f"«{SHOW}»") == SHOW, f"Tab goes on to «{SHOW}»")
    print(f"the student chose {FIRMS[firm]} and {COUNTRIES[country]}")

    # The same wrong pair asked about twice, by Space and then by Enter.
    hear_after_press("space", seen["texts"]["wrong"], f"«{seen['texts']['wrong']}»", SHOW)
    hear_after_press("Return", seen["texts"]["wrong"], f"«{seen['texts']['wrong']}» again", SHOW)

    # Back to the countries, and with the arrows to the firm's own.
    check(to_caption("shift+Tab", COUNTRIES, "the chosen country") == COUNTRIES[country],
          "Shift+Tab goes back to the chosen country")
    # The arrows go from row to row, one a press.
    while COUNTRY_ROWS[country] != COUNTRY_ROWS[firm]:
        key = "Down" if COUNTRY_ROWS[country] < COUNTRY_ROWS[firm] else "Up"
        was, country = country, COUNTRIES.index(to_caption(key, COUNTRIES, "a country"))
        if not check(COUNTRY_ROWS[country] == COUNTRY_ROWS[was] + (1 if key == "Down" else -1),
                     f"{key} goes from {COUNTRIES[was]} to the next row"):
            finish()
    press("space")
    check(country == firm, f"the arrows reach {COUNTRIES[firm]}")
    check(to_caption("Tab", [SHOW], f"«{SHOW}»") == SHOW, f"Tab goes on to «{SHOW}»")
    right = seen["texts"]["right"] + " " + DESCRIPTIONS[firm].rstrip(" ")
    hear_after_press("Return", right, f"«{seen['texts']['right']}» with {FIRMS[firm]}'s description", SHOW)

    # The focus stayed: Tab goes on from «Изведи» to «Чисти».
    check(to_caption("Tab", [CLEAR], f"«{CLEAR}»") == CLEAR, f"Tab goes on from «{SHOW}» to «{CLEAR}»")
    hear_after_press("space", seen["texts"]["prompt"], f"«{seen['texts']['prompt']}»", CLEAR)
    hear_after_press("Return", seen["texts"]["prompt"], f"«{seen['texts']['prompt']}» again", CLEAR)
    check(to_caption("shift+Tab", [SHOW], f"«{SHOW}»") == SHOW, f"Shift+Tab goes back from «{CLEAR}» to «{SHOW}»")
except subprocess.TimeoutExpired as e:
    check(False, f"{e.cmd[0]} answers in time")
finish()
