#!/usr/bin/env bash
# Runs scripts/package's packing step on the builds already made, as a
# release does, and checks what it hands out: the four downloads under their
# names with the version as the program shows it, and the Windows program in
# the zip and in the MSI the 32-bit one, which every Windows runs (the
# downloads promise that).
#   package_script_test.sh SOURCE_DIR VERSION_TEXT
# 77: the Windows (windows-i686) or web build it packs is not there.
set -euo pipefail
source_dir=$1 version=$2
for built in build/ci/CPackConfig.cmake build/windows-i686/bundle.json build/web/kestrova.html; do
  if [ ! -f "$source_dir/$built" ]; then
    echo "SKIPPED: $source_dir/$built is not there: configure and build that preset first"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() { if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi; }
# The machine a PE file is made for: 0x14c for 32-bit x86, 0x8664 for 64-bit.
pe_machine() {
  /usr/bin/python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
print("%#x" % struct.unpack_from("<H", data, pe + 4)[0] if data[pe:pe + 4] == b"PE\0\0" else "not a PE file")' "$1"
}

"$source_dir/scripts/package" --from-builds "$work/dist"
ls -l "$work/dist"
arch=$(dpkg --print-architecture)
expected="kestrova-$version-windows.msi kestrova-$version-windows.zip kestrova.html kestrova_${version}_$arch.deb"
check "the downloads, named with version $version: $expected" '[ "$(ls "$work/dist" | sort | tr "\n" " ")" = "$expected " ]'

zip=$work/dist/kestrova-$version-windows.zip
folders=$(/usr/bin/python3 -c 'import sys, zipfile
print(" ".join(sorted({n.split("/")[0] for n in zipfile.ZipFile(sys.argv[1]).namelist()})))' "$zip" 2>/dev/null || true)
check "the zip unpacks into one folder, kestrova-$version-windows: $folders" '[ "$folders" = "kestrova-$version-windows" ]'
/usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$work/zip"
zip_exe=$work/zip/kestrova-$version-windows/kestrova.exe
check "the zip's program is 32-bit (PE machine 0x14c): $(pe_machine "$zip_exe")" '[ "$(pe_machine "$zip_exe")" = 0x14c ]'

msi=$work/dist/kestrova-$version-windows.msi
msiextract -C "$work/msi" "$msi" >/dev/null
msi_exe=$(find "$work/msi" -name kestrova.exe)
check "the MSI's program is 32-bit (PE machine 0x14c): $(pe_machine "$msi_exe")" '[ "$(pe_machine "$msi_exe")" = 0x14c ]'
check "the MSI is a 32-bit package (Template Intel)" \
  '[ "$(msiinfo suminfo "$msi" | tr -d "\r" | sed -n "s/^Template: //p")" = "Intel;1033" ]'
check "the zip and the MSI hold the same program" 'cmp -s "$zip_exe" "$msi_exe"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
