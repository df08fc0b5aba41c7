#!/usr/bin/env bash
# Makes the portable Windows bundle twice, at different times, and checks
# what a teacher unpacks: the program, a Bulgarian read-me that Notepad
# shows and that says where the guide and the licence are, the teachers'
# guide, whose every file for the zip is in it, and the licence, nothing
# else; and that the two are the same bytes.
#   portable_zip_test.sh BUNDLE_PY BUILD_DIR KESTROVA_EXE LICENSE
# with KESTROVA_VERSION_TEXT, the version as texts show it (1.00), in the
# environment.
set -euo pipefail
bundle_py=$1 build=$2 exe=$3 license=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SOURCE_DATE_EPOCH=1700000000 "$bundle_py" zip "$build" "$work/first" >/dev/null
sleep 2  # a zip's times go in steps of two seconds
SOURCE_DATE_EPOCH=1700000000 "$bundle_py" zip "$build" "$work/second" >/dev/null
/usr/bin/python3 - "$work"/first/kestrova-*.zip "$work"/second/kestrova-*.zip "$exe" "$license" "$build" \
  "$(dirname "$0")/../support" <<'PY'
import json, os, sys, zipfile
sys.path.insert(0, sys.argv[6])
import guide_files
bundle = zipfile.ZipFile(sys.argv[1])
guide = json.load(open(os.path.join(sys.argv[5], "bundle.json")))["guide"]
names = sorted(n.split("/", 1)[1] for n in bundle.namelist() if not n.endswith("/"))
licence = open(sys.argv[4], encoding="utf-8").read()
checks = {
    "holds the program, the read-me, the guide and the licence":
        names == ["LICENSE.txt", "README-BG.txt", "kestrova.exe", "za-uchitelya.html"],
    "the guide is the built one": False,
    "the read-me is Bulgarian, with Windows line ends": False,
    "the read-me is UTF-8 with a byte-order mark, as Notepad recognises it": False,
    "the read-me says the licence is MIT, in LICENSE.txt": False,
    "the read-me names the guide beside it": False,
    "the licence is LICENSE, with Windows line ends": False,
    "the program is the built one": False,
    "every entry dated 2023-11-14 22:13:20 UTC, the given SOURCE_DATE_EPOCH":
        {i.date_time for i in bundle.infolist()} == {(2023, 11, 14, 22, 13, 20)},
    "entries in a fixed order": [i.filename for i in bundle.infolist()] == sorted(bundle.namelist()),
    "made again later, the same bytes": open(sys.argv[1], "rb").read() == open(sys.argv[2], "rb").read(),
}
for n in bundle.namelist():
    data = bundle.read(n)
    if n.endswith("README-BG.txt"):
        checks["the read-me is UTF-8 with a byte-order mark, as Notepad recognises it"] = data.startswith(b"\xef\xbb\xbf")
        text = data.decode("utf-8-sig")
        checks["the read-me is Bulgarian, with Windows line ends"] = (
            text.startswith(f"Kestrova {os.environ['KESTROVA_VERSION_TEXT']}\r\n") and "\n" not in text.replace("\r\n", "")
            and sum("а" <= c <= "я" for c in text.lower()) > len(text) / 3)
        checks["the read-me says the licence is MIT, in LICENSE.txt"] = (
            "лиценза MIT" in text and "във файла\r\nLICENSE.txt в същата папка" in text)
        checks["the read-me names the guide beside it"] = "във файла za-uchitelya.html в същата папка" in text
    if n.endswith("LICENSE.txt"):
        checks["the licence is LICENSE, with Windows line ends"] = data == licence.replace("\n", "\r\n").encode()
    if n.endswith("/za-uchitelya.html"):
        checks["the guide is the built one"] = data == open(guide, "rb").read()
        missing = guide_files.unlisted(data.decode(), os.path.basename(sys.argv[1]), bundle.namelist())
        checks[f"every file the guide says the zip holds is in it; missing: {missing}"] = not missing
    if n.endswith("kestrova.exe"):
        checks["the program is the built one"] = data == open(sys.argv[3], "rb").read()
failed = [what for what, ok in checks.items() if not ok]
for what in failed:
    print("FAILED:", what)
print(f"{len(checks) - len(failed)} passed, {len(failed)} failed")
sys.exit(1 if failed else 0)
PY
