#!/usr/bin/env python3
"""Reads the version information, the icon and the imports back out of the
built kestrova.exe and checks them.

   check_resources.py KESTROVA_EXE ICON_XPM
"""
import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

ALWAYS_ON_WINDOWS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "comctl32.dll", "ole32.dll", "oleacc.dll"}

passed = failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAILED:", what)


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def version_info(exe):
    blob = run("wrestool", "-x", "--raw", "-t", "16", exe)
    at = blob.find(struct.pack("<I", 0xFEEF04BD))
    check(at >= 0, "a fixed version block")
    (_sig, _struc, file_ms, file_ls, prod_ms, prod_ls, _mask, _flags, file_os, file_type,
     _subtype, _date_ms, _date_ls) = struct.unpack_from("<13I", blob, at)
    check((file_ms, file_ls) == (0x00010000, 0), "file version 1.0.0.0")
    check((prod_ms, prod_ls) == (0x00010000, 0), "product version 1.0.0.0")
    check(file_os == 0x4, "made for Win32 (VOS__WINDOWS32)")
    check(file_type == 0x1, "an application (VFT_APP)")
    text = blob.decode("utf-16-le", errors="replace")
    check(re.search("StringFileInfo\0+.{0,6}040904B0\0", text, re.S) is not None, 'one string block "040904B0"')
    check(len(re.findall("[0-9A-Fa-f]{8}\0", text)) == 1, "only one string block")
    check(re.search("FileVersion\0+1\\.00\0", text) is not None, 'FileVersion "1.00"')
    check(re.search("ProductVersion\0+1\\.00\0", text) is not None, 'ProductVersion "1.00"')
    translation = blob.find("Translation\0".encode("utf-16-le"))
    check(translation >= 0, "a Translation entry")
    value = blob[translation + 24:translation + 24 + 8].lstrip(b"\0")[:4]
    check(value == struct.pack("<HH", 0x0409, 0x04B0), "Translation matches the string block")


def icon(exe, xpm):
    with tempfile.TemporaryDirectory() as tmp:
        ico = Path(tmp, "group1.ico")
        ico.write_bytes(run("wrestool", "-x", "-t", "14", "-n", "1", exe))
        listing = run("icotool", "-l", str(ico)).decode()
        check(listing.count("--icon") == 1, "icon group 1 holds one image")
        check("--width=32 --height=32 --bit-depth=8 --palette-size=256" in listing, "32 x 32, 256 colours")
        png = Path(tmp, "icon.png")
        run("convert", str(ico), str(png))
        differ = subprocess.run(["compare", "-metric", "AE", str(png), xpm, "null:"], capture_output=True)
        check(differ.stderr.strip() == b"0", "the icon is the XPM's hamburger, pixel for pixel")


def imports(exe):
    dump = run("x86_64-w64-mingw32-objdump", "-p", exe).decode()
    dlls = {m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)}
    check(bool(dlls) and dlls <= ALWAYS_ON_WINDOWS, "imports only DLLs every Windows has: " + ", ".join(sorted(dlls)))


def lean(exe):
    size = Path(exe).stat().st_size
    check(size <= 130 * 1024, f"one file of at most 130 KB: {size} bytes")
    data = Path(exe).read_bytes()
    # The runtime's usual handler, with its demangler and printf, is not in.
    check(b"terminate called" not in data and b"__cxa_demangle" not in data,
          "an error ends the program without the runtime's verbose handler")


if __name__ == "__main__":
    exe, xpm = sys.argv[1], sys.argv[2]
    version_info(exe)
    icon(exe, xpm)
    imports(exe)
    lean(exe)
    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
