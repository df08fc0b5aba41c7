#!/usr/bin/python3
"""Turns the teachers' guide into one self-contained web page.

   guide_html.py GUIDE.md OUT.html

Reads the part of Markdown the guide uses: headings (#, ##, ###),
paragraphs, bulleted and numbered lists, tables, **bold**, `code` and
[links](address). Anything else is an error, so that the page never shows
stray marks. The page is in Bulgarian, loads nothing from anywhere (its
content security policy allows only its own style, by hash), and reads on a
320 px phone as on a whiteboard.
"""
import base64
import hashlib
import html
import re
import sys
from pathlib import Path

STYLE = """\
:root { color-scheme: light dark; }
body { margin: 0; background: Canvas; color: CanvasText;
  font: 112.5%/1.55 "Segoe UI", "Noto Sans", "DejaVu Sans", Arial, sans-serif; }
main { max-width: 46em; margin: 0 auto; padding: 1em 1em 3em; }
h1 { font-size: 1.6em; line-height: 1.25; }
h2 { font-size: 1.3em; margin-top: 1.8em; }
h3 { font-size: 1.1em; }
code { font: 0.95em/1.4 "Cascadia Mono", Consolas, "DejaVu Sans Mono", monospace; overflow-wrap: anywhere; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid; padding: 0.35em 0.5em; text-align: left; vertical-align: top; }
li + li { margin-top: 0.3em; }
a { overflow-wrap: anywhere; }
/* A phone: long words in a table break rather than push it past the screen. */
@media (max-width: 30em) { main { padding: 0.5em 0.75em 2em; } td { overflow-wrap: anywhere; } }
/* A whiteboard or a large display, read from across the room. */
@media (min-width: 100em) { body { font-size: 175%; } }
"""

INLINE = re.compile(r"`([^`]+)`|\*\*(.+?)\*\*|\[([^\]]+)\]\(([^)\s]+)\)")


def inline(text, where):
    """One line of text, its marks made into elements and the rest escaped."""
    out, at = [], 0
    for mark in INLINE.finditer(text):
        out.append(plain(text[at:mark.start()], where))
        code, bold, label, address = mark.groups()
        if code is not None:
            out.append(f"<code>{html.escape(code)}</code>")
        elif bold is not None:
            out.append(f"<strong>{inline(bold, where)}</strong>")
        else:
            out.append(f'<a href="{html.escape(address)}">{inline(label, where)}</a>')
        at = mark.end()
    out.append(plain(text[at:], where))
    return "".join(out)


def plain(text, where):
    for mark in ("`", "**", "]("):
        if mark in text:
            raise SystemExit(f"{where}: an unmatched {mark} in: {text}")
    return html.escape(text, quote=False)


def cells(line):
    return [cell.strip() for cell in line.strip().strip("|").split("|")]


def blocks(lines, name):
    """The guide's blocks as HTML, one string each."""
    out, i = [], 0
    title = None
    while i < len(lines):
        line, where = lines[i], f"{name}:{i + 1}"
        if not line.strip():
            i += 1
        elif heading := re.fullmatch(r"(#{1,3}) (.+)", line):
            level = len(heading.group(1))
            title = title or heading.group(2)
            out.append(f"<h{level}>{inline(heading.group(2), where)}</h{level}>")
            i += 1
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(cells(lines[i]))
                i += 1
            if len(rows) < 2 or not all(re.fullmatch(r":?-+:?", c) for c in rows[1]):
                raise SystemExit(f"{where}: a table needs a heading row and a |---| row")
            if any(len(row) != len(rows[0]) for row in rows):
                raise SystemExit(f"{where}: the table's rows differ in length")
            head = "".join(f'<th scope="col">{inline(c, where)}</th>' for c in rows[0])
            body = "".join("<tr>" + "".join(f"<td>{inline(c, where)}</td>" for c in row) + "</tr>\n"
                           for row in rows[2:])
            out.append(f"<table>\n<thead><tr>{head}</tr></thead>\n<tbody>\n{body}</tbody>\n</table>")
        elif re.match(r"(- |\d+\. )", line):
            tag = "ul" if line.startswith("- ") else "ol"
            items = []
            while i < len(lines) and lines[i].strip():
                item = re.match(r"(- |\d+\. )(.*)", lines[i])
                if item:
                    items.append(item.group(2))
                elif lines[i].startswith("  ") and items:
                    items[-1] += " " + lines[i].strip()
                else:
                    raise SystemExit(f"{name}:{i + 1}: a list's line neither starts an item nor is indented")
                i += 1
            body = "".join(f"<li>{inline(item, where)}</li>\n" for item in items)
            out.append(f"<{tag}>\n{body}</{tag}>")
        else:
            paragraph = []
            while i < len(lines) and lines[i].strip() and not re.match(r"(#|\||- |\d+\. )", lines[i]):
                paragraph.append(lines[i].strip())
                i += 1
            out.append(f"<p>{inline(' '.join(paragraph), where)}</p>")
    if title is None:
        raise SystemExit(f"{name}: the guide has no heading to be the page's title")
    return title, out


def page(markdown, name):
    title, body = blocks(markdown.splitlines(), name)
    # The hash is of the style element's whole text, its line breaks included.
    style = f"\n{STYLE}"
    style_hash = base64.b64encode(hashlib.sha256(style.encode()).digest()).decode()
    # Nothing but the style above may load or run; the page is read, not used.
    policy = f"default-src 'none'; style-src 'sha256-{style_hash}'; base-uri 'none'; form-action 'none'"
    return (f'<!DOCTYPE html>\n<html lang="bg">\n<head>\n<meta charset="utf-8">\n'
            f'<meta http-equiv="Content-Security-Policy" content="{policy}">\n'
            f'<meta name="viewport" content="width=device-width, initial-scale=1">\n'
            f"<title>{html.escape(re.sub(r'[`*]', '', title))}</title>\n<style>{style}</style>\n</head>\n"
            f"<body>\n<main>\n" + "\n".join(body) + "\n</main>\n</body>\n</html>\n")


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    source = Path(sys.argv[1])
    Path(sys.argv[2]).write_text(page(source.read_text(encoding="utf-8"), source.name), encoding="utf-8")


if __name__ == "__main__":
    main()
