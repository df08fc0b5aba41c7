#!/usr/bin/env python3
"""Reads the version information, the icon, the manifest, the file header
and the imports back out of the built kestrova.exe and checks them.

   check_resources.py KESTROVA_EXE ICON_XPM MACHINE SOURCE_DIR BUILD_DIR
MACHINE is i686 or x86_64; the two folders must not be named in the file.
KESTROVA_VERSION (1.0.0.0) and KESTROVA_VERSION_TEXT (1.00) in the
environment are the project's version.
"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "support"))
from checks import check, summary  # noqa: E402

ALWAYS_ON_WINDOWS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "comctl32.dll", "ole32.dll", "oleacc.dll"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def version_info(exe):
    blob = run("wrestool", "-x", "--raw", "-t", "16", exe)
    at = blob.find(struct.pack("<I", 0xFEEF04BD))
    check(at >= 0, "a fixed version block")
    (_sig, _struc, file_ms, file_ls, prod_ms, prod_ls, _mask, _flags, file_os, file_type,
     _subtype, _date_ms, _date_ls) = struct.unpack_from("<13I", blob, at)
    version = os.environ["KESTROVA_VERSION"]
    major, minor, patch, tweak = (int(part) for part in version.split("."))
    numbers = (major << 16 | minor, patch << 16 | tweak)
    check((file_ms, file_ls) == numbers, f"file version {version}")
    check((prod_ms, prod_ls) == numbers, f"product version {version}")
    check(file_os == 0x4, "made for Win32 (VOS__WINDOWS32)")
    check(file_type == 0x1, "an application (VFT_APP)")
    text = blob.decode("utf-16-le", errors="replace")
    check(re.search("StringFileInfo\0+.{0,6}040904B0\0", text, re.S) is not None, 'one string block "040904B0"')
    check(len(re.findall("[0-9A-Fa-f]{8}\0", text)) == 1, "only one string block")
    version_text = os.environ["KESTROVA_VERSION_TEXT"]
    for name in ("FileVersion", "ProductVersion"):
        check(re.search(name + "\0+" + re.escape(version_text) + "\0", text) is not None, f'{name} "{version_text}"')
    for name, value in (("CompanyName", "The Kestrova developers"),
                        ("LegalCopyright", "Copyright (c) 2026 The Kestrova developers"),
                        ("FileDescription", "Kestrova classroom quiz")):
        check(re.search(name + "\0+" + re.escape(value) + "\0", text) is not None, f'{name} "{value}"')
    # The name the program is shipped under, which the file's properties show
    # and application control rules (AppLocker) match, whatever it is renamed to.
    shipped = Path(exe).name
    check(re.search("OriginalFilename\0+" + re.escape(shipped) + "\0", text) is not None,
          f'OriginalFilename "{shipped}"')
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


# Windows Vista, 7, 8, 8.1, and 10 and 11.
SUPPORTED_OS = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def manifest(exe, machine):
    root = ET.fromstring(run("wrestool", "-x", "--raw", "-t", "24", "-n", "1", exe))
    ids = {e.get("Id") for e in root.iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS")}
    check(ids == SUPPORTED_OS, "the manifest names every Windows from Vista to 11: " + ", ".join(sorted(ids)))
    own = root.find("{urn:schemas-microsoft-com:asm.v1}assemblyIdentity")
    arch = own.get("processorArchitecture") if own is not None else "missing"
    check(arch in (None, {"i686": "x86", "x86_64": "amd64"}[machine]),
          f"the manifest's own architecture fits the program: {arch}")
    version = own.get("version") if own is not None else "missing"
    check(version == os.environ["KESTROVA_VERSION"], f"the manifest gives the program's version: {version}")
    # Runs as the user who starts it: no prompt for an administrator's
    # password, which pupils do not have, and no access to other programs'
    # windows.
    asm3 = "{urn:schemas-microsoft-com:asm.v3}"
    levels = [(e.get("level"), e.get("uiAccess")) for e in root.iter(asm3 + "requestedExecutionLevel")]
    check(levels == [("asInvoker", "false")], f"the manifest asks for the user's own rights, asInvoker: {levels}")
    # Sharp at every screen's density, and told when it moves to another
    # (WM_DPICHANGED): per-monitor v2 first, per-monitor for Windows 8.1 and
    # the first Windows 10s.
    ws2005, ws2016 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}", \
        "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
    aware = [e.text for e in root.iter(ws2005 + "dpiAware")]
    awareness = [[w.strip() for w in (e.text or "").split(",")] for e in root.iter(ws2016 + "dpiAwareness")]
    check(aware == ["true/pm"] and awareness == [["PerMonitorV2", "PerMonitor"]],
          f"the manifest declares per-monitor density awareness: {aware}, {awareness}")


def file_header(exe, machine):
    data = Path(exe).read_bytes()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    check(data[pe:pe + 4] == b"PE\0\0", "a PE file")
    kind, _sections, stamp = struct.unpack_from("<HHI", data, pe + 4)
    check(kind == {"i686": 0x14C, "x86_64": 0x8664}[machine], f"made for {machine}: machine {kind:#x}")
    check(stamp == 0, f"no link time stamp, so each build is the same file: {stamp}")
    dll_characteristics = struct.unpack_from("<H", data, pe + 24 + 70)[0]
    check(dll_characteristics & 0x8000, "terminal-server aware")
    check(dll_characteristics & 0x0140 == 0x0140, "address space layout randomisation and no-execute data")


def no_build_paths(exe, folders):
    data = Path(exe).read_bytes()
    for folder in folders:
        named = any(form in data for form in (folder.encode(), folder.encode("utf-16-le")))
        check(not named, f"names no build folder: {folder}")


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
    # Nor are the runtime's exception messages, which come with its whole
    # std::string.
    check(b"basic_string" not in data, "an error ends the program without making the runtime's exception")


if __name__ == "__main__":
    exe, xpm, machine = sys.argv[1:4]
    version_info(exe)
    icon(exe, xpm)
    manifest(exe, machine)
    file_header(exe, machine)
    no_build_paths(exe, sys.argv[4:6])
    imports(exe)
    lean(exe)
    sys.exit(summary())
