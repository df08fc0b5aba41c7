"""Finds the quiz on the accessibility bus, answers "Nokia" / "Финландия" /
"Изведи" through AT-SPI actions alone, as assistive technology would, and
prints what it finds, one "name: value" a line, for wayland_window_test.sh:
the window's size, the result box's text, the actions it used.

   wayland_answer.py TIMEOUT_SECONDS WHAT_USERS_SEE_JSON
"""
import json
import sys
import time
from pathlib import Path

import pyatspi


def find_application(timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "kestrova" and app.childCount > 0:
                return app
        time.sleep(0.2)
    sys.exit("the quiz did not appear on the accessibility bus")


def find(root, role, name):
    found = pyatspi.findDescendant(root, lambda a: a.getRole() == role and a.name == name)
    if found is None:
        sys.exit(f"no {role} named {name!r}")
    return found


def do_action(accessible, wanted):
    """Runs the first of the wanted actions the control offers."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for want in wanted:
        if want in names:
            action.doAction(names.index(want))
            return want
    sys.exit(f"{accessible.name!r} offers only {names}")


def main():
    seen = json.loads(Path(sys.argv[2]).read_text(encoding="utf-8"))
    app = find_application(float(sys.argv[1]))
    window = app[0]
    extents = window.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    print(f"window: {window.name}")
    print(f"size: {extents.width}x{extents.height}")
    used = [do_action(find(window, pyatspi.ROLE_RADIO_BUTTON, "Nokia"), ("Toggle", "Press", "SetFocus")),
            do_action(find(window, pyatspi.ROLE_RADIO_BUTTON, "Финландия"), ("Toggle", "Press", "SetFocus")),
            do_action(find(window, pyatspi.ROLE_PUSH_BUTTON, seen["commandCaptions"][0]), ("Press",))]
    print(f"actions: {' '.join(used)}")
    box = find(window, pyatspi.ROLE_TEXT, seen["resultBoxName"]).queryText()
    deadline = time.monotonic() + 5
    text = ""
    while time.monotonic() < deadline:
        text = box.getText(0, -1)
        if text.startswith(seen["texts"]["right"]):
            break
        time.sleep(0.1)
    print("result: " + text.replace("\n", "\\n"))


if __name__ == "__main__":
    main()
