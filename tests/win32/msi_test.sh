#!/usr/bin/env bash
# Installs the MSI as a school network would, silently and per machine, in a
# fresh Wine prefix that writes nothing into the host's menus, and checks the
# program, the licence and the teachers' guide beside it (every file the
# guide says the MSI holds is in its File table), its Start-menu shortcut and its
# Add/Remove Programs entry with the publisher's addresses; then a newer
# version replaces it, the older one is refused, and uninstalling leaves
# nothing. Keeps the installer's logs in BUILD_DIR/msi-logs.
#   msi_test.sh BUNDLE_PY BUILD_DIR KESTROVA_EXE LICENSE HOMEPAGE UPDATE_URL CONTACT
# (the last three as the build was given them)
# with KESTROVA_VERSION, the project's version (1.0.0.0), in the environment.
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
bundle_py=$1 build=$2 exe=$3 license=$4 homepage=$5 update_url=$6 contact=$7
source "$(dirname "$0")/checks.sh"
logs=$build/msi-logs
rm -rf "$logs"
mkdir -p "$logs"

"$bundle_py" msi "$build" "$work/old" >/dev/null
# An MSI's version has three parts; a newer one is the next minor version.
IFS=. read -r major minor patch _ <<<"${KESTROVA_VERSION:?the project\'s version}"
version=$major.$minor.$patch newer=$major.$((minor + 1)).0
"$bundle_py" msi "$build" "$work/new" --version "$newer" >/dev/null
old=$(echo "$work"/old/*.msi) new=$(echo "$work"/new/*.msi)
sleep 1
"$bundle_py" msi "$build" "$work/again" >/dev/null
check "made again later, the same bytes" cmp "$old" "$work"/again/*.msi
product_code() { msiinfo export "$1" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }'; }
old_code=$(product_code "$old") new_code=$(product_code "$new")
check "a newer version is another product" test "$old_code" != "$new_code"

echo "== the package, read back =="
property_of() { msiinfo export "$old" Property | tr -d '\r' | awk -F'\t' -v p="$1" '$1 == p { print $2 }'; }
upgrade_code=$(property_of UpgradeCode)
echo "ProductCode $old_code, UpgradeCode $upgrade_code"
# Windows writes codes in upper case and some tools compare them as text.
check "the UpgradeCode is an upper-case GUID: $upgrade_code" grep -Eqx '\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}' <<<"$upgrade_code"
check "so is the ProductCode: $old_code" grep -Eqx '\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}' <<<"$old_code"
check "Add/Remove Programs links to the homepage" test "$(property_of ARPURLINFOABOUT)" = "$homepage"
check "and to it for help" test "$(property_of ARPHELPLINK)" = "$homepage"
check "and to where new versions are" test "$(property_of ARPURLUPDATEINFO)" = "$update_url"
check "and names the contact" test "$(property_of ARPCONTACT)" = "$contact"
msiinfo extract "$old" Icon.kestrova.ico >"$work/icon.ico"
icotool -l "$work/icon.ico" | tee "$work/icon.list" | sed 's/^/  icon: /'
icon_sizes=$(sed -n 's/.*--width=\([0-9]*\) --height=\1 .*/\1/p' "$work/icon.list" | sort -n | tr '\n' ' ')
check "the product's icon holds 16, 32, 48 and 256 px: $icon_sizes" test "$icon_sizes" = "16 32 48 256 "
check "the Start-menu shortcut has that icon" \
  test "$(msiinfo export "$old" Shortcut | tr -d '\r' | awk -F'\t' '$1 == "StartMenu" { print $9 }')" = kestrova.ico
check "Add/Remove Programs has that icon" test "$(property_of ARPPRODUCTICON)" = kestrova.ico
guide=$(/usr/bin/python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["guide"])' "$build/bundle.json")
# What the MSI installs: the File table's files (a name may be short|long)
# whose component a feature installs; each table has three heading lines.
msiinfo export "$old" FeatureComponents | tr -d '\r' | awk -F'\t' 'NR > 3 { print $2 }' >"$work/installed"
msiinfo export "$old" File | tr -d '\r' |
  awk -F'\t' 'NR == FNR { on[$1] = 1; next } FNR > 3 && on[$2] { sub(/.*\|/, "", $3); print $3 }' "$work/installed" - \
  >"$work/files"
check "every file the guide says the MSI holds is in it: $(tr '\n' ' ' <"$work/files")" \
  /usr/bin/python3 "$(dirname "$0")/../support/guide_files.py" "$guide" "$(basename "$old")" <"$work/files"

# The package is read without Wine; installing it needs Wine to run it.
if [ "$(windows_machine "$exe")" = 014c ] && ! wine_runs_32_bit; then
  summary || exit 1
  echo "SKIPPED: installing: Wine cannot run 32-bit Windows programs here: this kernel runs no 32-bit Linux programs"
  exit 77
fi
start_xvfb "$work"
# winemenubuilder would put the shortcut into the host's menus; the data
# folder it would write to is the test's own, and must stay empty.
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot --init >/dev/null 2>&1

arch=$(/usr/bin/python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["msi_arch"])' "$build/bundle.json")
# A 32-bit package's entry is in the registry's 32-bit view.
if [ "$arch" = x86 ]; then program_files='Program Files (x86)' view=/reg:32; else program_files='Program Files' view=/reg:64; fi
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed="$WINEPREFIX/drive_c/$program_files/Kestrova/kestrova.exe"
msiexec() { wine msiexec "$@" </dev/null >/dev/null 2>&1; }
entry() { wine reg query "$uninstall\\$1" "$view" 2>/dev/null | tr -d '\r'; }
has_entry() { wine reg query "$uninstall\\$1" "$view" >/dev/null 2>&1; }
has_value() { entry "$1" | grep -Eq "^ +$2 +REG_[A-Z_]+ +$3\$"; }
# A property's value as the log gives it. Wine's msiexec may end before its
# log is all written, so give the line a moment.
property() {  # property LOG NAME
  local value
  for _ in $(seq 50); do
    value=$(tr -d '\r' <"$logs/$1" | sed -n "s/^Property(S): $2 = //p")
    [ -z "$value" ] || { echo "$value"; return 0; }
    sleep 0.1
  done
}
# The icon a product registers for Add/Remove Programs, under its code with
# each part's hexadecimal digits reversed.
product_icon() {
  local packed
  packed=$(/usr/bin/python3 -c 'import sys; g = sys.argv[1].strip("{}").replace("-", "")
print(g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i + 1] + g[i] for i in range(16, 32, 2)))' "$1")
  wine reg query "HKLM\\Software\\Classes\\Installer\\Products\\$packed" /v ProductIcon 2>/dev/null |
    tr -d '\r' | awk '$1 == "ProductIcon" { $1 = $2 = ""; print substr($0, 3) }'
}

echo "== install =="
check "msiexec /i installs" msiexec /i "$old" /qn /l*v "$logs/install.log"
check "for all users" test "$(property install.log ALLUSERS)" = 1
check "the program in $program_files\\Kestrova" cmp "$installed" "$exe"
licence_beside=$(dirname "$installed")/LICENSE.txt
check "the licence beside it, LICENSE with Windows line ends" \
  cmp "$licence_beside" <(sed 's/$/\r/' "$license")
check "the teachers' guide beside it" cmp "$(dirname "$installed")/za-uchitelya.html" "$guide"
# Windows resolves the Start menu of a per-machine install to All Users';
# Wine gives the installing user's. Either way the log names it.
menu=$(property install.log ProgramMenuFolder)
shortcut="$(winepath -u "$menu" 2>/dev/null)/Kestrova.lnk"
check "a Start-menu shortcut \"Kestrova\"" test -f "$shortcut"
check "an Add/Remove Programs entry named Kestrova" has_value "$old_code" DisplayName Kestrova
check "its version, $version" has_value "$old_code" DisplayVersion "$version"
check "its publisher" has_value "$old_code" Publisher "The Kestrova developers"
check "its icon, the installer's" cmp "$(winepath -u "$(product_icon "$old_code")" 2>/dev/null)" "$work/icon.ico"
check "its homepage" has_value "$old_code" URLInfoAbout "$homepage"
wine "C:\\$program_files\\Kestrova\\kestrova.exe" >/dev/null 2>&1 &
check "the installed program opens its window" timeout 30 xdotool search --sync --onlyvisible --name ' Kestrova$'
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

echo "== upgrade and downgrade =="
check "a newer version installs over it" msiexec /i "$new" /qn /l*v "$logs/upgrade.log"
check "and takes the older one's place" not has_entry "$old_code"
check "its entry has the newer version" has_value "$new_code" DisplayVersion "$newer"
check "the program is still there" cmp "$installed" "$exe"
set +e
msiexec /i "$old" /qn /l*v "$logs/downgrade.log"
status=$?
set -e
# 1603, "fatal error during installation", of which Wine passes the low byte.
check "the older version is refused: $status" test "$status" -eq $((1603 % 256))
check "because a newer one is there" test "$(property downgrade.log WIX_DOWNGRADE_DETECTED)" = "$new_code"
check "which stays" has_value "$new_code" DisplayVersion "$newer"

echo "== uninstall =="
check "msiexec /x uninstalls" msiexec /x "$new" /qn /l*v "$logs/uninstall.log"
check "the program, the licence, the guide and their folder are gone" test ! -e "$(dirname "$installed")"
check "the shortcut is gone" test ! -e "$shortcut"
check "the Add/Remove Programs entry is gone" not has_entry "$new_code"
check "and its icon" test -z "$(product_icon "$new_code")"
check "nothing in the host's menus" test -z "$(find "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" -type f 2>/dev/null)"

echo "logs: $logs"
summary
