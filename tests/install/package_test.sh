#!/usr/bin/env bash
# Installs the build into a scratch prefix and makes the Debian package from
# it, then checks what a desktop and apt would see: the desktop entry and the
# metainfo valid by their own tools, the icon, the package's files and
# dependencies.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=example.kestrova.Kestrova
passed=0 failed=0
check() { if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi; }

cmake --install "$build" --prefix "$work/usr" >/dev/null
root=$work/usr
check "the program is installed" '[ -x "$root/bin/kestrova" ]'
check "the desktop entry is valid" 'desktop-file-validate "$root/share/applications/$id.desktop"'
check "the desktop entry is an Education program named Kestrova" \
  'grep -qx "Categories=Education;" "$root/share/applications/$id.desktop" && grep -qx "Name=Kestrova" "$root/share/applications/$id.desktop"'
check "the desktop entry has a Bulgarian comment" 'grep -q "^Comment\[bg\]=Викторина" "$root/share/applications/$id.desktop"'
check "the metainfo is valid" 'appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >"$work/appstream.log"'
check "the metainfo gives version 1.00" 'grep -q "<release version=\"1.00\"" "$root/share/metainfo/$id.metainfo.xml"'
check "the metainfo has Bulgarian and English summaries" \
  'grep -q "<summary xml:lang=\"bg\">" "$root/share/metainfo/$id.metainfo.xml" && grep -q "<summary>" "$root/share/metainfo/$id.metainfo.xml"'
for size in 16 24 32 48 64 128 256; do
  check "the icon is a $size x $size PNG in hicolor" \
    '[ "$(identify -format "%m %wx%h" "$root/share/icons/hicolor/${size}x${size}/apps/$id.png")" = "PNG ${size}x${size}" ]'
done
# Crisp: at 256 px each pixel of the 32 px art is an 8 x 8 block of one colour.
check "the 256 px icon is the 32 px one, each pixel eight times over" \
  '[ "$(convert "$root/share/icons/hicolor/256x256/apps/$id.png" -sample 32x32 -sample 256x256 png:- |
       compare -metric AE - "$root/share/icons/hicolor/256x256/apps/$id.png" null: 2>&1)" = 0 ]'
check "the window matches its desktop entry" 'grep -qx "StartupWMClass=kestrova" "$root/share/applications/$id.desktop"'

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/kestrova_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2 libc6; do
  check "the package depends on $needed" '[[ ", $depends" == *", $needed"* ]]'
done
check "the package is version 1.00" '[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ]'
dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$' | sort >"$work/files"
{
  printf '%s\n' ./usr/bin/kestrova "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml"
  for size in 16 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
} | sort >"$work/expected"
check "the package holds exactly the program and its desktop files" 'diff "$work/expected" "$work/files"'
dpkg-deb -x "$deb" "$work/unpacked"
check "the packaged program is stripped" '! file "$work/unpacked/usr/bin/kestrova" | grep -q "not stripped"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
