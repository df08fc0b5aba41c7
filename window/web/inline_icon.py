#!/usr/bin/python3
"""Writes the page's shell with the icon inlined, so that the page loads
nothing else.

   inline_icon.py SHELL.html ICON.png OUTPUT.html
"""
import base64
import sys

shell, icon, output = sys.argv[1:4]
uri = "data:image/png;base64," + base64.b64encode(open(icon, "rb").read()).decode("ascii")
open(output, "w", encoding="utf-8").write(open(shell, encoding="utf-8").read().replace("@ICON@", uri))
