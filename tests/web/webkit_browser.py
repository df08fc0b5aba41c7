#!/usr/bin/python3
"""A bare WebKitGTK browser for WebKitWebDriver to drive: the page's view
fills a window with no toolbar, so the window's size is the viewport's.
KESTROVA_TEXT_SIZE sets the reader's default text size in px."""
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import Gtk, WebKit2  # noqa: E402

# Scroll bars that take their room, as on a desktop without overlay
# scrolling, so that a box's scroll bar shows.
Gtk.Settings.get_default().set_property("gtk-overlay-scrolling", False)
context = WebKit2.WebContext.get_default()
context.set_automation_allowed(True)


def new_view(session):
    view = WebKit2.WebView(web_context=context, is_controlled_by_automation=True)
    settings = view.get_settings()
    settings.set_default_font_size(int(os.environ.get("KESTROVA_TEXT_SIZE", "16")))
    # The page's console, on standard output, where the test reads it.
    settings.set_enable_write_console_messages_to_stdout(True)
    window = Gtk.Window()
    window.add(view)
    window.connect("destroy", lambda *_: Gtk.main_quit())
    window.show_all()
    # The window has the keyboard, as a user's has: only then does the
    # page draw its focus rings.
    window.present()
    view.grab_focus()
    return view


def started(_, session):
    info = WebKit2.ApplicationInfo()
    info.set_name("kestrova-tests")
    info.set_version(WebKit2.get_major_version(), WebKit2.get_minor_version(), WebKit2.get_micro_version())
    session.set_application_info(info)
    session.connect("create-web-view", new_view)


context.connect("automation-started", started)
if "--automation" not in sys.argv:
    sys.exit("this browser runs only under WebKitWebDriver (--automation)")
Gtk.main()
