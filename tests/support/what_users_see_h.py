#!/usr/bin/python3
"""Writes tests/what_users_see.json as a C++ header for the tests in C++:
kestrova::testing::seen, one constant per key, each under its note.

   what_users_see_h.py WHAT_USERS_SEE_JSON OUTPUT_HEADER

Every key of the JSON reaches the header. The keys below in `SHAPED` have
shapes of their own that the tests were written against; any other key is
written by its structure alone (`generic`), so a key added to the JSON is
there for C++ at the next configure, as k + its name with a capital:

  a string                  std::u16string_view     "Изведи"
  a whole number, a number, true or false   int, double, bool
  a list                    an array of its entries' type
  an object with names for keys (font)      a struct of those fields
  an object keyed by controls ("Label1(0)")  an array of a struct whose
                            first field, `name`, is the key

A struct takes its key's name with a capital ("notFor": NotFor); the
entries of a list or a table the name made singular ("densities": Density).

The header is rewritten only when its text changes, so that editing the JSON
rebuilds only what it changes.
"""
import json
import keyword
import re
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


IDENTIFIER = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")
# C++'s own words a field may not be called.
RESERVED = {"auto", "bool", "break", "case", "char", "class", "const", "default", "delete", "do", "double",
            "else", "enum", "explicit", "false", "float", "for", "friend", "goto", "if", "int", "long",
            "namespace", "new", "operator", "private", "protected", "public", "return", "short", "signed",
            "sizeof", "static", "struct", "switch", "template", "this", "true", "try", "typedef", "union",
            "unsigned", "using", "virtual", "void", "volatile", "while"}


def capital(name):
    return name[:1].upper() + name[1:]


def singular(name):
    for plural, one in (("ies", "y"), ("ses", "s"), ("s", "")):
        if name.endswith(plural) and len(name) > len(plural):
            return name[: -len(plural)] + one
    return name + "Entry"


def field(name):
    if not IDENTIFIER.match(name):
        raise ValueError(f"{name!r} cannot name a field in C++: use letters, digits and _")
    return name + "_" if name in RESERVED or keyword.iskeyword(name) else name


def is_table(value):
    """An object keyed by what are not names of fields, such as controls."""
    return isinstance(value, dict) and any(not IDENTIFIER.match(k) for k in value)


def shape(value, name, where):
    """(struct declarations, C++ type, initialiser) for one value of the JSON;
    `name` is the type's name should it need a struct."""
    if isinstance(value, bool):
        return [], "bool", "true" if value else "false"
    if isinstance(value, int):
        return [], "int", str(value)
    if isinstance(value, float):
        return [], "double", repr(value)
    if isinstance(value, str):
        return [], "std::u16string_view", u16(value)
    if isinstance(value, list):
        decls, entry_type, inits = entries(value, singular(name), where)
        return decls, f"std::array<{entry_type}, {len(value)}>", "{" + ", ".join(inits) + "}"
    if is_table(value):
        return shape(table_rows(value), name, where)
    decls, fields, inits = [], [], []
    for key, v in value.items():
        d, t, i = shape(v, capital(name) + capital(key) if isinstance(v, (dict, list)) else key, f"{where}.{key}")
        decls += d
        fields.append(f"    {t} {field(key)};")
        inits.append(i)
    decls.append("\n".join([f"struct {capital(name)} {{", *fields, "};"]))
    return decls, capital(name), "{" + ", ".join(inits) + "}"


def table_rows(table):
    """A table's rows as objects, each with its key first as `name`."""
    return [{"name": key, **(v if isinstance(v, dict) else {"value": v})} for key, v in table.items()]


def entries(values, name, where):
    """(declarations, the entries' one type, each entry's initialiser)."""
    if not values:
        raise ValueError(f"{where} is an empty list: its entries' type cannot be told")
    if all(isinstance(v, (int, float)) and not isinstance(v, bool) for v in values) and \
            any(isinstance(v, float) for v in values):
        values = [float(v) for v in values]
    shapes = [shape(v, name, where) for v in values]
    if len({t for _, t, _ in shapes}) != 1:
        raise ValueError(f"{where}: its entries differ in type, so C++ cannot hold them in one list")
    return shapes[0][0], shapes[0][1], [i for _, _, i in shapes]


def generic(about, key, value):
    """One key, written by its structure alone."""
    name = "k" + capital(key)
    lines = [note(about, key)] if key in about else []
    if is_table(value):
        value = table_rows(value)
    if isinstance(value, list):
        decls, entry_type, inits = entries(value, capital(singular(key)), key)
        # A table's key is a control's name, not a text the user sees.
        decls = [d.replace("std::u16string_view name;", "std::string_view name;") for d in decls]
        inits = [re.sub(r'^\{u"', '{"', i) for i in inits] if decls and "std::string_view name;" in decls[-1] \
            else inits
        return "\n".join(lines + decls + [f"inline constexpr {entry_type} {name}[] = {{", *[f"    {i}," for i in inits],
                                           "};"])
    decls, cpp_type, init = shape(value, capital(key), key)
    return "\n".join(lines + decls + [f"inline constexpr {cpp_type} {name}{init};" if init.startswith("{")
                                        else f"inline constexpr {cpp_type} {name} = {init};"])


def texts(about, t):
    return "\n".join([
        note(about, "texts"),
        f"inline constexpr std::u16string_view kRightVerdict = {u16(t['right'])};",
        f"inline constexpr std::u16string_view kWrongVerdict = {u16(t['wrong'])};",
        f"inline constexpr std::u16string_view kPrompt = {u16(t['prompt'])};",
        f"inline constexpr std::u16string_view kLineBreak = {u16(t['lineBreak'])};"])


def politeness(about, value):
    return "\n".join([note(about, "politeness"),
                      f"inline constexpr std::string_view kPoliteness = {cpp_string(value)};"])


def client_twips(about, value):
    return "\n".join([note(about, "clientTwips"),
                      f"inline constexpr int kClientWidthTwips = {value['width']};",
                      f"inline constexpr int kClientHeightTwips = {value['height']};"])


def table(about, key, struct, fields, rows):
    """An array of structs named after the key: the fields' declarations, then one initialiser per row."""
    return "\n".join([note(about, key), f"struct {struct} {{", *[f"    {f}" for f in fields], "};",
                      f"inline constexpr {struct} k{capital(key)}[] = {{", *[f"    {{{row}}}," for row in rows], "};"])


def densities(about, value):
    return table(about, "densities", "AtDensity", ["int dpi;", "int clientWidth, clientHeight;", "int ringWidth;"],
                 [f"{d['dpi']}, {d['clientWidth']}, {d['clientHeight']}, {d['ringWidth']}" for d in value])


def places(about, value):
    return table(about, "places", "Place",
                 ['std::string_view control;  // "Option1(6)", "List1"',
                  "std::string_view in;       // its container; empty: the client area",
                  "int left, top, width, height;"],
                 [f"{cpp_string(name)}, {cpp_string(p['in'])}, {', '.join(str(v) for v in p['twips'])}"
                  for name, p in value.items()])


def colour_table(about, key, struct, first, rows):
    """Colours by what wears them: `first` declares the field before r, g, b."""
    return table(about, key, struct, [first, "int r, g, b;"], [f"{who}, {r}, {g}, {b}" for who, (r, g, b) in rows])


def colours(about, value):
    return colour_table(about, "colours", "Colour",
                        'std::string_view control;  // a control, an array of them ("Option1") or "window"',
                        [(cpp_string(name), rgb) for name, rgb in value.items()])


def command_colours(about, value):
    return colour_table(about, "commandColours", "CommandColour", "int index;", enumerate(value))


def option_row_colours(about, value):
    return colour_table(about, "optionRowColours", "OptionRowColour", "std::string_view rows;",
                        [(cpp_string(rows), rgb) for rows, rgb in value.items()])


def hidden_controls(about, value):
    return "\n".join([note(about, "hiddenControls"),
                      "inline constexpr std::string_view kHiddenControls[] = {"
                      + ", ".join(cpp_string(c) for c in value) + "};"])


# Keys whose C++ the tests were written against: names that are not the
# key's, names of controls as std::string_view, colours as r, g, b.
SHAPED = {"texts": texts, "politeness": politeness, "clientTwips": client_twips, "densities": densities,
          "places": places, "colours": colours, "commandColours": command_colours,
          "optionRowColours": option_row_colours, "hiddenControls": hidden_controls}


def header(seen):
    about = seen["_about"]
    parts = [
        "// Made by the build from tests/what_users_see.json, by tests/support/what_users_see_h.py:",
        "// edit the JSON, not this.",
        "#pragma once",
        "",
        "#include <array>",
        "#include <string_view>",
        "",
        note(about, "_"),
        "namespace kestrova::testing::seen {",
        "",
    ]
    for key, value in seen.items():
        if key != "_about":
            parts += [SHAPED[key](about, value) if key in SHAPED else generic(about, key, value), ""]
    parts += ["}  // namespace kestrova::testing::seen", ""]
    return "\n".join(parts)


def main():
    source, target = Path(sys.argv[1]), Path(sys.argv[2])
    text = header(json.loads(source.read_text(encoding="utf-8")))
    if not target.exists() or target.read_text(encoding="utf-8") != text:
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
