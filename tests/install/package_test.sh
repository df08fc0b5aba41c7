#!/usr/bin/env bash
# Installs the build into a scratch prefix and makes the Debian package from
# it, then checks what a desktop, apt and a distribution's reviewer would
# see: the desktop entry and the metainfo valid by their own tools without a
# warning, and naming files the package really holds; the package's files,
# dependencies, copyright, changelog and manual page; lintian's verdict and
# the program's hardening (release builds, which the package is made from).
# Checks whose tool is missing are skipped and named; then, if nothing
# failed, the test exits 77 (skipped) rather than pass on part of itself.
# The publisher's id and addresses are the build's, as CMake was given them.
#   package_test.sh BUILD_DIR CONFIG HARDENING_PROBE LICENSE APP_ID FORM_POSITIONS
#                   HOMEPAGE UPDATE_URL CONTACT RELEASES_XML WHAT_USERS_SEE
# with KESTROVA_VERSION_TEXT, the version as packages show it (1.00), in the
# environment.
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
version=${KESTROVA_VERSION_TEXT:?the project\'s version}
build=$1 config=$2 probe=$3 license=$4 id=$5 form_positions=$6 homepage=$7 update_url=$8 contact=$9
releases=${10} what_users_see=${11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
skipped=()
# needs WHAT TOOL...: true when every tool is here; else WHAT is skipped.
needs() {
  local what=$1 tool lacking=()
  shift
  for tool in "$@"; do command -v "$tool" >/dev/null || lacking+=("$tool"); done
  [ ${#lacking[@]} -eq 0 ] && return 0
  echo "skipped: $what (no ${lacking[*]})"
  skipped+=("$what")
  return 1
}
finish() {
  echo "$passed passed, $failed failed, ${#skipped[@]} skipped"
  [ "$failed" -eq 0 ] || exit 1
  if [ ${#skipped[@]} -gt 0 ]; then
    printf 'SKIPPED, for want of their tools:'; printf ' %s;' "${skipped[@]}"; echo
    exit 77
  fi
  exit 0
}
field() { sed -n "s/^$1=//p" "$2"; }  # a desktop entry's key, exactly

cmake --install "$build" --prefix "$work/usr" >/dev/null
root=$work/usr
desktop=$root/share/applications/$id.desktop metainfo=$root/share/metainfo/$id.metainfo.xml
check "the program is installed" '[ -x "$root/bin/kestrova" ]'

check "a plain install has the manual page" '[ -f "$root/share/man/man1/kestrova.1.gz" ]'
check "and the teachers' guide, in the documents' folder" '[ -f "$root/share/doc/kestrova/za-uchitelya.html" ]'
check "a plain install leaves the Debian changelog and copyright to the package" \
  '[ ! -e "$root/share/doc/kestrova/copyright" ] && [ ! -e "$root/share/doc/kestrova/changelog.gz" ]'

if needs "the desktop entry's validation" desktop-file-validate; then
  desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
  check "the desktop entry is valid, without a warning or hint" '[ ! -s "$work/desktop.log" ] || { cat "$work/desktop.log"; false; }'
fi
check "the desktop entry is an Education program named Kestrova" \
  '[ "$(field Categories "$desktop")" = "Education;" ] && [ "$(field Name "$desktop")" = Kestrova ]'
check "the desktop entry speaks Bulgarian as well as English" \
  '[ "$(field "Name\[bg\]" "$desktop")" = Кестрова ] && [[ $(field "Comment\[bg\]" "$desktop") == Викторина* ]] &&
   [[ $(field Comment "$desktop") == Quiz* ]]'
check "English and Bulgarian keywords are apart" \
  '[[ $(field Keywords "$desktop") =~ ^[a-z\;]+$ ]] && [[ $(field "Keywords\[bg\]" "$desktop") == *викторина\;* ]]'
# A window of its own: no terminal opens beside the quiz.
check "the desktop entry opens no terminal: Terminal=false, once" '[ "$(field Terminal "$desktop")" = false ]'

if needs "the metainfo's validation" appstreamcli; then
  appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream.log" 2>&1 || true
  grep -E '^[EWIP]: ' "$work/appstream.log" >"$work/appstream.remarks" || true
  check "the metainfo is valid, pedantically, without a single remark" \
    'grep -q "Validation was successful" "$work/appstream.log" && [ ! -s "$work/appstream.remarks" ] || { cat "$work/appstream.log"; false; }'
fi
check "the metainfo gives version $version with release notes" \
  'grep -A2 "<release version=\"$version\"" "$metainfo" | grep -q "<description>"'
# What a software centre shows before anyone installs it.
metainfo_says() {  # metainfo_says XPATH: the texts it finds, one a line
  /usr/bin/python3 -c 'import sys, xml.etree.ElementTree as ET
for e in ET.parse(sys.argv[1]).getroot().iterfind(sys.argv[2]): print(" ".join("".join(e.itertext()).split()))' "$metainfo" "$1"
}
check "the metainfo says the program is only in Bulgarian" \
  'metainfo_says "description/p" | grep -x "The program is only available in Bulgarian." >/dev/null'
check "the metainfo declares pointing, keyboard and touch" \
  '[ "$(metainfo_says "supports/control" | sort | tr "\n" " ")" = "keyboard pointing touch " ]'
check "the metainfo's branding has a light and a dark colour" \
  '[ "$(metainfo_says "branding/color[@type=\"primary\"][@scheme_preference=\"light\"]" | grep -cE "^#[0-9a-f]{6}$")" = 1 ] &&
   [ "$(metainfo_says "branding/color[@type=\"primary\"][@scheme_preference=\"dark\"]" | grep -cE "^#[0-9a-f]{6}$")" = 1 ]'
# The software centre's banner in the window's own colour, as users know it.
window_colour=$(printf '#%02x%02x%02x' "$(seen colours window 0)" "$(seen colours window 1)" "$(seen colours window 2)")
check "the metainfo's light banner is the window's colour, $window_colour" \
  '[ "$(metainfo_says "branding/color[@type=\"primary\"][@scheme_preference=\"light\"]")" = "$window_colour" ]'
check "the metainfo's homepage is the build's: $homepage" '[ "$(metainfo_says "url[@type=\"homepage\"]")" = "$homepage" ]'
check "the metainfo names its developer" '[ "$(metainfo_says developer_name)" = "The Kestrova developers" ]'
check "the metainfo has Bulgarian and English names, summaries and keywords" \
  'for tag in name summary keyword; do grep -q "<$tag xml:lang=\"bg\">" "$metainfo" && grep -q "<$tag>" "$metainfo" || exit 1; done'
check "the metainfo's licences are MIT, as LICENSE" \
  'grep -q "<project_license>MIT</project_license>" "$metainfo" && grep -q "^MIT License" "$license"'
if needs "the icons' checks" identify convert compare; then
  for size in 16 24 32 48 64 128 256; do
    check "the icon is a $size x $size PNG in hicolor" \
      '[ "$(identify -format "%m %wx%h" "$root/share/icons/hicolor/${size}x${size}/apps/$id.png")" = "PNG ${size}x${size}" ]'
  done
  # Crisp: at 256 px each pixel of the 32 px art is an 8 x 8 block of one colour.
  check "the 256 px icon is the 32 px one, each pixel eight times over" \
    '[ "$(convert "$root/share/icons/hicolor/256x256/apps/$id.png" -sample 32x32 -sample 256x256 png:- |
         compare -metric AE - "$root/share/icons/hicolor/256x256/apps/$id.png" null: 2>&1)" = 0 ]'
fi
check "the window matches its desktop entry" '[ "$(field StartupWMClass "$desktop")" = kestrova ]'

# The package's libraries come from dpkg-shlibdeps.
needs "the Debian package's checks" dpkg-shlibdeps dpkg-deb dpkg-parsechangelog file readelf || finish
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/kestrova_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2 libc6; do
  check "the package depends on $needed" '[[ ", $depends" == *", $needed"* ]]'
done
# The X11 plugin is in libqt6gui6; qt6-qpa-plugins holds only VNC and touch.
check "the package does not depend on qt6-qpa-plugins" '[[ $depends != *qt6-qpa-plugins* ]]'
check "the package recommends qt6-wayland" '[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ]'
check "the package is version $version" '[ "$(dpkg-deb -f "$deb" Version)" = "$version" ]'
check "the package is filed under education, where apt and the software centres list it" \
  '[ "$(dpkg-deb -f "$deb" Section)" = education ]'
check "the package's maintainer is the build's contact: $contact" '[ "$(dpkg-deb -f "$deb" Maintainer)" = "$contact" ]'
check "the package's homepage is the build's" '[ "$(dpkg-deb -f "$deb" Homepage)" = "$homepage" ]'
check "the package's description has a summary and more than one line besides" \
  '[ "$(dpkg-deb -f "$deb" Description | tail -n +2 | wc -l)" -ge 2 ]'
dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$' | sort >"$work/files"
{
  printf '%s\n' ./usr/bin/kestrova "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
    ./usr/share/doc/kestrova/copyright ./usr/share/doc/kestrova/changelog.gz ./usr/share/man/man1/kestrova.1.gz \
    ./usr/share/doc/kestrova/za-uchitelya.html
  for size in 16 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
} | sort >"$work/expected"
check "the package holds exactly the program, its desktop files and its documents" 'diff "$work/expected" "$work/files"'
pkg=$work/unpacked
dpkg-deb -x "$deb" "$pkg"
check "every file the packaged guide says the package holds is in it" \
  'dpkg-deb -c "$deb" | awk "{ print \$6 }" | /usr/bin/python3 "$(dirname "$0")/../support/guide_files.py" \
     "$pkg/usr/share/doc/kestrova/za-uchitelya.html" "$(basename "$deb")"'
program=$pkg/usr/bin/kestrova
check "the packaged program is stripped, without the compiler's .comment" \
  '! file "$program" | grep -q "not stripped" && ! readelf -S "$program" | grep -q "\.comment"'

# What the desktop is told to start and show is in the package.
pdesktop=$pkg/usr/share/applications/$id.desktop pmetainfo=$pkg/usr/share/metainfo/$id.metainfo.xml
exec_command=$(field Exec "$pdesktop" | awk '{ print $1 }')
check "the desktop entry's Exec is the packaged program" \
  '[ -x "$pkg${exec_command}" ] && [[ $exec_command == /* ]] || [ -x "$pkg/usr/bin/$exec_command" ]'
icon=$(field Icon "$pdesktop")
check "the desktop entry's Icon is a packaged icon" 'compgen -G "$pkg/usr/share/icons/hicolor/*/apps/$icon.png" >/dev/null'
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$pmetainfo")
check "the metainfo's launchable is the packaged desktop entry" '[ -n "$launchable" ] && [ -f "$pkg/usr/share/applications/$launchable" ]'
binary=$(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$pmetainfo")
check "the metainfo's provided binary is the packaged program" '[ -n "$binary" ] && [ -x "$pkg/usr/bin/$binary" ]'

copyright=$pkg/usr/share/doc/kestrova/copyright
check "the copyright is machine-readable, the Expat (MIT) licence for every file" \
  'head -1 "$copyright" | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" &&
   grep -A2 -x "Files: \*" "$copyright" | grep -qx "License: Expat"'
check "the copyright holds the text of LICENSE" \
  'diff <(awk '"'"'on { sub(/^ /, ""); sub(/^\.$/, ""); print } prev == "" && $0 == "License: Expat" { on = 1 } { prev = $0 }'"'"' "$copyright") "$license"'
# Parsers may take a line of blanks for the end of a paragraph, so a blank
# line inside the licence is written " ." and the file is three paragraphs.
check "the copyright is three paragraphs, header, files and licence, none cut by a line of blanks" \
  '[ "$(awk '"'"'/^[ \t]*$/ { gap = 1; next } gap || NR == 1 { printf "%s|", $1; gap = 0 }'"'"' "$copyright")" = "Format:|Files:|License:|" ]'
changelog=$pkg/usr/share/doc/kestrova/changelog.gz
# gzip's header: flags (byte 3) without a name, time (4-7) zero, 2 (byte 8) for -9.
check "the changelog is gzipped with -9n" '[ "$(od -An -tx1 -j3 -N6 "$changelog" | tr -d " ")" = 000000000002 ]'
check "the changelog's latest entry is the package's version" \
  '[ "$(zcat "$changelog" | dpkg-parsechangelog -l - -S Version)" = "$(dpkg-deb -f "$deb" Version)" ]'
# The release notes have one source, releases.xml: the changelog and the
# metainfo tell the same releases, on the same days, in the same words.
releases_agree() {
  zcat "$changelog" | dpkg-parsechangelog -l - --all --format rfc822 >"$work/changelog.rfc822"
  /usr/bin/python3 - "$work/changelog.rfc822" "$pmetainfo" "$releases" "$contact" <<'PY'
import sys, xml.etree.ElementTree as ET
from email.utils import parsedate_to_datetime
changelog, metainfo, source, contact = sys.argv[1:5]
LANG = "{http://www.w3.org/XML/1998/namespace}lang"
def told(releases):
    return [(r.get("version"), r.get("date"),
             [" ".join(p.text.split()) for p in r.iterfind("description/p") if p.get(LANG) is None])
            for r in releases]
entries = []
for stanza in open(changelog, encoding="utf-8").read().strip().split("\n\n"):
    fields, last = {}, None
    for line in stanza.splitlines():
        if line.startswith(" "):
            fields[last] += "\n" + line[1:]
        else:
            last, _, value = line.partition(":")
            fields[last] = value.strip()
    items = [" ".join(i.split()) for i in " ".join(fields["Changes"].split("\n")[3:]).split("* ")[1:]]
    entries.append((fields["Version"], parsedate_to_datetime(fields["Date"]).date().isoformat(), items))
    if fields["Maintainer"] != contact:
        sys.exit(f"the changelog's {fields['Version']} is signed by {fields['Maintainer']}")
in_metainfo = told(ET.parse(metainfo).getroot().find("releases"))
in_source = told(ET.parse(source).getroot())
if not entries or not in_metainfo == in_source == entries:
    sys.exit(f"releases.xml: {in_source}\nmetainfo: {in_metainfo}\nchangelog: {entries}")
PY
}
check "the changelog and the metainfo tell releases.xml's releases, signed by the build's contact" releases_agree
if needs "the manual page's checks" man col; then
  check "the manual page reads without a warning" \
    '[ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$pkg/usr/share/man/man1/kestrova.1.gz" 2>&1 >/dev/null)" ]'
  LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$pkg/usr/share/man/man1/kestrova.1.gz" 2>/dev/null | col -b >"$work/man.txt"
  check "the manual page is headed KESTROVA(1) and signed with the package's version" \
    '[[ $(head -n1 "$work/man.txt") == KESTROVA\(1\)* ]] && tail -n2 "$work/man.txt" | grep -q "Kestrova $(dpkg-deb -f "$deb" Version)"'
  # The two buttons as the program captions them: the manual says the first
  # evaluates the answer and the second clears it, not the other way round.
  caption() { "$form_positions" --captions | awk -F'\t' -v c="$1" '$1 == c { print $2 }'; }
  evaluate=$(caption "Command1(0)") clear=$(caption "Command1(1)")
  # Each paragraph on one line, so no line break or hyphen falls in a phrase.
  LC_ALL=C.UTF-8 MANWIDTH=2000 man -E UTF-8 -l "$pkg/usr/share/man/man1/kestrova.1.gz" 2>/dev/null | col -bx |
    tr -s ' ' >"$work/man.flat"
  check "the manual page: pressing «$evaluate» says whether the country is the firm's" \
    '[ -n "$evaluate" ] && grep -qF "presses $evaluate; the program says whether that country is the firm" "$work/man.flat"'
  check "the manual page: «$clear» clears both choices" \
    '[ -n "$clear" ] && grep -qF " $clear clears both choices." "$work/man.flat"'
  check "the manual page names the build's homepage, update page and contact, each for what it is" \
    'grep -qF "page for Kestrova, $homepage, and new versions at $update_url." "$work/man.flat" &&
     grep -qF "Write to $contact." "$work/man.flat"'
fi

if [ "$config" != Release ]; then
  echo "lintian and hardening-check left out: a $config build, and the package is made from Release builds"
elif needs "lintian and the hardening checks" lintian hardening-check objdump gcc; then
  lintian -EvIL +pedantic --profile debian "$deb" >"$work/lintian.log" 2>/dev/null || true
  echo "lintian -EvIL +pedantic --profile debian: $(wc -l <"$work/lintian.log") lines"
  cat "$work/lintian.log"
  check "lintian finds no error and no warning" '! grep -qE "^[EW]: " "$work/lintian.log"'

  hardening-check -v "$program" "$probe" | tee "$work/hardening.log" || true
  verdict() {  # file, property: hardening-check's answer
    awk -v f="$1:" -v p=" $2:" '$0 == f { on = 1; next } /^[^ \t]/ { on = 0 }
      on && index($0, p) == 1 { sub(/^[^:]*: /, ""); print }' "$work/hardening.log"
  }
  for property in "Position Independent Executable" "Stack protected" "Read-only relocations" "Immediate binding"; do
    check "the packaged program: $property" '[ "$(verdict "$program" "$property")" = yes ]'
  done
  # hardening-check sees these two only where the code does what they guard:
  # copies into buffers of known size, stack allocations of unknown size.
  # The quiz does neither (its copies are the C++ library's own), so the
  # probe, built with the same flags, shows that the flags are on.
  for property in "Fortify Source functions" "Stack clash protection"; do
    check "the release flags give: $property" '[[ $(verdict "$probe" "$property") == yes* ]]'
  done
  # The linker marks a program for control-flow protection only when every
  # object it links is marked, the C library's start files too; Debian 12's
  # are not. The program's own functions still begin with endbr64, where
  # without -fcf-protection only a couple of the compiler's own do.
  check "the packaged program's functions are built for control-flow protection" \
    '[ "$(objdump -d "$program" | grep -c endbr64)" -gt 50 ]'
  start_files=$(gcc -print-file-name=Scrt1.o)
  if readelf -n "$start_files" | grep -q "x86 feature: IBT, SHSTK"; then
    check "the packaged program: Control flow integrity" '[ "$(verdict "$program" "Control flow integrity")" = yes ]'
  else
    echo "note: $start_files is not marked for control-flow protection, so no program linked here is"
  fi
fi

finish
