#!/usr/bin/env bash
# A school publishes its own copy: configures the project afresh with its own
# app id, homepage, contact and update page, and finds them in every place
# that names the publisher, with none of the placeholders left: the window's
# caption, the desktop entry and metainfo (named by the id), the manual page,
# the teachers' guide, the Debian changelog and copyright, and the package's maintainer and
# homepage.
#   publisher_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../support/checks.sh"

id=bg.school.kestrova homepage=https://uchilishte.example.net/kestrova/ contact="IT office <it@uchilishte.example.net>"
update_url=https://uchilishte.example.net/kestrova/download/
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVA_BUILD_QT=OFF \
  -DKESTROVA_APP_ID=$id -DKESTROVA_HOMEPAGE=$homepage -DKESTROVA_CONTACT="$contact" \
  -DKESTROVA_UPDATE_URL=$update_url >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" --target form_positions kestrova_docs kestrova_guide >"$work/build.log" 2>&1 ||
  { tail -n 30 "$work/build.log"; exit 1; }
made=$work/build/resources

caption=$("$work/build/tests/window/form_positions" --captions | awk -F'\t' '$1 == "Kestrova" { print $2 }')
check "the window's caption is the school's address, then Kestrova: $caption" \
  '[ "$caption" = "uchilishte.example.net Kestrova" ]'
check "the desktop entry and metainfo are named by the school's id" \
  '[ -f "$made/$id.desktop" ] && [ -f "$made/$id.metainfo.xml" ]'
check "the desktop entry's icon is the school's id" 'grep -qx "Icon=$id" "$made/$id.desktop"'
check "the metainfo's id and launchable are the school's" \
  'grep -qF "<id>$id</id>" "$made/$id.metainfo.xml" && grep -qF ">$id.desktop</launchable>" "$made/$id.metainfo.xml"'
check "the metainfo's homepage is the school's" 'grep -qF "<url type=\"homepage\">$homepage</url>" "$made/$id.metainfo.xml"'
# The page's source, its escaped hyphens read as hyphens: a build machine
# need not have man or col.
sed 's/\\-/-/g' "$made/kestrova.1" >"$work/man.txt"
check "the manual page names the school's homepage, update page and contact" \
  'grep -qF "$homepage" "$work/man.txt" && grep -qF "$update_url" "$work/man.txt" && grep -qxF "Write to $contact." "$work/man.txt"'
# The page escapes the contact's <>.
contact_in_html=$(sed 's/</\&lt;/; s/>/\&gt;/' <<<"$contact")
check "the teachers' guide names the school's homepage, update page and contact" \
  'grep -qF "href=\"$homepage\"" "$made/za-uchitelya.html" && grep -qF "href=\"$update_url\"" "$made/za-uchitelya.html" &&
   grep -qF "За контакти: $contact_in_html" "$made/za-uchitelya.html"'
check "the changelog is signed by the school" \
  '[ "$(dpkg-parsechangelog -l "$made/changelog" -S Maintainer)" = "$contact" ]'
check "the copyright file's upstream contact and source are the school's" \
  'grep -qxF "Upstream-Contact: $contact" "$made/copyright" && grep -qxF "Source: $homepage" "$made/copyright"'
check "the Debian package's maintainer and homepage are the school's" \
  'grep -qF "set(CPACK_PACKAGE_CONTACT \"$contact\")" "$work/build/CPackConfig.cmake" &&
   grep -qF "set(CPACK_PACKAGE_HOMEPAGE_URL \"$homepage\")" "$work/build/CPackConfig.cmake"'
left=$(grep -lE "kestrova\.example|org\.example\.kestrova" "$made"/*.desktop "$made"/*.xml "$made/kestrova.1" \
  "$made/changelog" "$made/za-uchitelya.html" "$made/copyright" || true)
check "no placeholder is left in what the desktop and the package show: ${left:-none}" '[ -z "$left" ]'

# A value the places cannot hold is refused when configuring.
for bad in KESTROVA_APP_ID=Bg.School.Kestrova KESTROVA_HOMEPAGE=uchilishte.example.net \
           KESTROVA_CONTACT=it@uchilishte.example.net; do
  rm -rf "$work/refused"
  check "configuring with $bad is refused" '! cmake -S "$source_dir" -B "$work/refused" -G Ninja -DKESTROVA_BUILD_QT=OFF \
    -DKESTROVA_BUILD_TESTS=OFF "-D$bad" >"$work/refused.log" 2>&1 && grep -qF "${bad%%=*} \"${bad#*=}\"" "$work/refused.log"'
done

summary
