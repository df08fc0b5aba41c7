#!/usr/bin/python3
"""Writes the page's shell with the icon inlined, so that the page loads
nothing else, and with the licence, LICENSE's text, in the comment at its
top, so that every copy of the page carries it. The style's comments, for
whoever reads the source, are left out of the page, which every pupil's
browser loads.

   inline_icon.py SHELL.html ICON.png LICENSE OUTPUT.html
"""
import base64
import re
import sys

shell, icon, license_file, output = sys.argv[1:5]
uri = "data:image/png;base64," + base64.b64encode(open(icon, "rb").read()).decode("ascii")
licence = open(license_file, encoding="utf-8").read().strip()
# An HTML comment ends at the first "--" and must not start with ">".
if "--" in licence or licence.startswith(">") or licence.endswith("-"):
    sys.exit(f"{license_file}: its text cannot stand in an HTML comment")
text = open(shell, encoding="utf-8").read()
if text.count("@LICENSE@") != 1:
    sys.exit(f"{shell}: no one place for the licence")
text = re.sub(r"<style>.*?</style>", lambda style: re.sub(r"\n? *\n?/\*.*?\*/", "", style.group(0), flags=re.S),
              text, flags=re.S)
open(output, "w", encoding="utf-8").write(text.replace("@ICON@", uri).replace("@LICENSE@", licence))
