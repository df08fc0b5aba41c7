#!/usr/bin/python3
"""Writes tests/what_users_see.json as a C++ header for the tests in C++:
kestrova::testing::seen, one constant per key, each under its note.

   what_users_see_h.py WHAT_USERS_SEE_JSON OUTPUT_HEADER

The header is rewritten only when its text changes, so that editing the JSON
rebuilds only what it changes.
"""
import json
import sys
from pathlib import Path


def cpp_string(text, prefix=""):
    out = []
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ch == "\r":
            out.append("\\r")
        elif ch == "\n":
            out.append("\\n")
        elif ord(ch) < 0x20:
            out.append(f"\\x{ord(ch):02x}")
        else:
            out.append(ch)
    return f'{prefix}"{"".join(out)}"'


def u16(text):
    return cpp_string(text, "u")


def note(about, key):
    words, lines, line = about[key].split(), [], "//"
    for word in words:
        if len(line) + 1 + len(word) > 100:
            lines.append(line)
            line = "//"
        line += " " + word
    return "\n".join(lines + [line])


def number(value):
    return repr(float(value)) if isinstance(value, float) else str(value)


def header(seen):
    about = seen["_about"]
    t = seen["texts"]
    rows = seen["optionRows"]
    parts = [
        "// Made by the build from tests/what_users_see.json, by tests/support/what_users_see_h.py:",
        "// edit the JSON, not this.",
        "#pragma once",
        "",
        "#include <string_view>",
        "",
        note(about, "_"),
        "namespace kestrova::testing::seen {",
        "",
        note(about, "texts"),
        f"inline constexpr std::u16string_view kRightVerdict = {u16(t['right'])};",
        f"inline constexpr std::u16string_view kWrongVerdict = {u16(t['wrong'])};",
        f"inline constexpr std::u16string_view kPrompt = {u16(t['prompt'])};",
        f"inline constexpr std::u16string_view kLineBreak = {u16(t['lineBreak'])};",
        "",
        note(about, "caption"),
        f"inline constexpr std::u16string_view kCaption = {u16(seen['caption'])};",
        note(about, "heading"),
        f"inline constexpr std::u16string_view kHeading = {u16(seen['heading'])};",
        note(about, "frameCaptions"),
        "inline constexpr std::u16string_view kFrameCaptions[] = {"
        + ", ".join(u16(c) for c in seen["frameCaptions"]) + "};",
        note(about, "commandCaptions"),
        "inline constexpr std::u16string_view kCommandCaptions[] = {"
        + ", ".join(u16(c) for c in seen["commandCaptions"]) + "};",
        "",
        note(about, "resultBoxName"),
        f"inline constexpr std::u16string_view kResultBoxName = {u16(seen['resultBoxName'])};",
        note(about, "politeness"),
        f"inline constexpr std::string_view kPoliteness = {cpp_string(seen['politeness'])};",
        "",
        note(about, "clientTwips"),
        f"inline constexpr int kClientWidthTwips = {seen['clientTwips']['width']};",
        f"inline constexpr int kClientHeightTwips = {seen['clientTwips']['height']};",
        "",
        note(about, "font"),
        "struct Font {",
        "    std::u16string_view face;",
        "    int points, weight, charset;",
        "};",
        f"inline constexpr Font kFont{{{u16(seen['font']['face'])}, {seen['font']['points']}, "
        f"{seen['font']['weight']}, {seen['font']['charset']}}};",
        "",
        note(about, "densities"),
        "struct AtDensity {",
        "    int dpi;",
        "    int clientWidth, clientHeight;",
        "    int ringWidth;",
        "};",
        "inline constexpr AtDensity kDensities[] = {",
        *[f"    {{{d['dpi']}, {d['clientWidth']}, {d['clientHeight']}, {d['ringWidth']}}},"
          for d in seen["densities"]],
        "};",
        "",
        note(about, "places"),
        "struct Place {",
        "    std::string_view control;  // \"Option1(6)\", \"List1\"",
        "    std::string_view in;       // its container; empty: the client area",
        "    int left, top, width, height;",
        "};",
        "inline constexpr Place kPlaces[] = {",
        *[f"    {{{cpp_string(name)}, {cpp_string(p['in'])}, {', '.join(str(v) for v in p['twips'])}}},"
          for name, p in seen["places"].items()],
        "};",
        note(about, "optionRows"),
        "struct OptionRows {",
        "    int left, firstTop, rowStep, width, height;",
        "};",
        f"inline constexpr OptionRows kOptionRows{{{rows['left']}, {rows['firstTop']}, {rows['rowStep']}, "
        f"{rows['width']}, {rows['height']}}};",
        "",
        note(about, "colours"),
        "struct Colour {",
        "    std::string_view control;  // a control, an array of them (\"Option1\") or \"window\"",
        "    int r, g, b;",
        "};",
        "inline constexpr Colour kColours[] = {",
        *[f"    {{{cpp_string(name)}, {r}, {g}, {b}}}," for name, (r, g, b) in seen["colours"].items()],
        "};",
        note(about, "commandColours"),
        "struct CommandColour {",
        "    int index;",
        "    int r, g, b;",
        "};",
        "inline constexpr CommandColour kCommandColours[] = {",
        *[f"    {{{i}, {r}, {g}, {b}}}," for i, (r, g, b) in enumerate(seen["commandColours"])],
        "};",
        f"inline constexpr double kLeastPressedChange = {number(seen['leastPressedChange'])};",
        note(about, "leastCaptionContrast"),
        f"inline constexpr double kLeastCaptionContrast = {number(seen['leastCaptionContrast'])};",
        note(about, "pressedCaptionShift"),
        f"inline constexpr int kPressedCaptionShift = {seen['pressedCaptionShift']};",
        "",
        note(about, "leastRingContrast"),
        f"inline constexpr double kLeastRingContrast = {number(seen['leastRingContrast'])};",
        note(about, "optionRowColours"),
        "struct OptionRowColour {",
        "    std::string_view rows;",
        "    int r, g, b;",
        "};",
        "inline constexpr OptionRowColour kOptionRowColours[] = {"
        + ", ".join(f"{{{cpp_string(rows)}, {r}, {g}, {b}}}" for rows, (r, g, b) in seen["optionRowColours"].items())
        + "};",
        note(about, "leastCircleContrast"),
        f"inline constexpr double kLeastCircleContrast = {number(seen['leastCircleContrast'])};",
        note(about, "heldCircleShade"),
        f"inline constexpr int kHeldCircleShade = {seen['heldCircleShade']};",
        note(about, "headingCentreSlack"),
        f"inline constexpr int kHeadingCentreSlack = {seen['headingCentreSlack']};",
        note(about, "headingAtTop"),
        f"inline constexpr bool kHeadingAtTop = {'true' if seen['headingAtTop'] else 'false'};",
        note(about, "hiddenControls"),
        "inline constexpr std::string_view kHiddenControls[] = {"
        + ", ".join(cpp_string(c) for c in seen["hiddenControls"]) + "};",
        note(about, "rowOverlapTwips"),
        f"inline constexpr int kRowOverlapTwips = {seen['rowOverlapTwips']};",
        note(about, "minimiseOrMaximise"),
        f"inline constexpr bool kMinimiseOrMaximise = {'true' if seen['minimiseOrMaximise'] else 'false'};",
        "",
        note(about, "notFor"),
        "struct NotFor {",
        "    std::string_view property, frontEnd, why;",
        "};",
        "inline constexpr NotFor kNotFor[] = {",
        *[f"    {{{cpp_string(n['property'])}, {cpp_string(n['frontEnd'])}, {cpp_string(n['why'])}}},"
          for n in seen["notFor"]],
        "};",
        "",
        "}  // namespace kestrova::testing::seen",
        "",
    ]
    return "\n".join(parts)


def main():
    source, target = Path(sys.argv[1]), Path(sys.argv[2])
    text = header(json.loads(source.read_text(encoding="utf-8")))
    if not target.exists() or target.read_text(encoding="utf-8") != text:
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
