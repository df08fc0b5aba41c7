#!/usr/bin/env bash
# Makes the portable Windows bundle and checks what a teacher unpacks: the
# program and a Bulgarian read-me, nothing else.
#   portable_zip_test.sh BUILD_DIR KESTROVA_EXE
set -euo pipefail
build=$1 exe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G ZIP -B "$work" >/dev/null)
python3 - "$work"/kestrova-*.zip "$exe" <<'PY'
import sys, zipfile
bundle = zipfile.ZipFile(sys.argv[1])
names = sorted(n.split("/", 1)[1] for n in bundle.namelist() if not n.endswith("/"))
checks = {
    "holds the program and the read-me": names == ["README-BG.txt", "kestrova.exe"],
    "the read-me is Bulgarian, with Windows line ends": False,
    "the program is the built one": False,
}
for n in bundle.namelist():
    data = bundle.read(n)
    if n.endswith("README-BG.txt"):
        text = data.decode("utf-8")
        checks["the read-me is Bulgarian, with Windows line ends"] = (
            text.startswith("Kestrova 1.00\r\n") and "Изведи" in text and "\n" not in text.replace("\r\n", ""))
    if n.endswith("kestrova.exe"):
        checks["the program is the built one"] = data == open(sys.argv[2], "rb").read()
failed = [what for what, ok in checks.items() if not ok]
for what in failed:
    print("FAILED:", what)
print(f"{len(checks) - len(failed)} passed, {len(failed)} failed")
sys.exit(1 if failed else 0)
PY
