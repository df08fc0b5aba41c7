#!/usr/bin/env bash
# Runs scripts/package's packing step on the builds already made, as a
# release does, and checks what it hands out: the downloads under their
# names with the version as the program shows it, the Windows program in
# the zip and in the MSI the 32-bit one, which every Windows runs (the
# downloads promise that), SHA256SUMS over everything, and the winget
# manifests against the MSI itself as msiinfo reads it.
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
source "$(dirname "$0")/../support/checks.sh"
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
expected="SHA256SUMS kestrova-$version-scorm12.zip kestrova-$version-windows.msi kestrova-$version-windows.zip kestrova.html kestrova_${version}_$arch.deb site winget"
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

check "SHA256SUMS holds for every file the release made" \
  '(cd "$work/dist" && sha256sum --strict --quiet -c SHA256SUMS) &&
   [ "$(wc -l <"$work/dist/SHA256SUMS")" -eq "$(find "$work/dist" -type f ! -path "$work/dist/SHA256SUMS" | wc -l)" ]'

# What winget is told against what the MSI holds.
property() { msiinfo export "$msi" Property | tr -d '\r' | awk -F '\t' -v key="$1" '$1 == key { print $2 }'; }
manifest() { sed -n "s/^ *-\{0,1\} *$1: '\(.*\)'\$/\1/p" "$work/dist/winget/"*."$2".yaml | sort -u; }
for key in ProductCode UpgradeCode; do
  check "winget's $key is the MSI's, $(property $key): $(manifest $key installer | paste -sd' ')" \
    '[ "$(manifest $key installer)" = "$(property $key)" ]'
done
check "winget's version is the MSI's, $(property ProductVersion)" \
  '[ "$(manifest PackageVersion installer)" = "$(property ProductVersion)" ] &&
   [ "$(manifest DisplayVersion installer)" = "$(property ProductVersion)" ]'
check "winget's publisher is the MSI's, $(property Manufacturer)" \
  '[ "$(manifest Publisher locale.bg-BG)" = "$(property Manufacturer)" ]'
sha=$(sha256sum "$msi" | cut -d' ' -f1)
check "winget's InstallerSha256 is the MSI's" '[ "$(manifest InstallerSha256 installer)" = "${sha^^}" ]'
download_url=$(/usr/bin/python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["download_url"])' \
               "$source_dir/build/windows-i686/bundle.json")
check "winget's installer address is the download folder's: $(manifest InstallerUrl installer)" \
  '[ "$(manifest InstallerUrl installer)" = "${download_url}kestrova-$version-windows.msi" ]'

summary
