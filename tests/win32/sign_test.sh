#!/usr/bin/env bash
# Signs the Windows downloads with scripts/sign and a throw-away certificate
# authority made here, then checks that every signature verifies against
# that authority and no other, that signing changed nothing but the
# signature, and that the signed program still opens its window under Wine.
#   sign_test.sh SIGN_SCRIPT BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
sign=$1 build=$2
source "$(dirname "$0")/checks.sh"
cd "$work"

authority() {  # authority NAME: a certificate authority NAME.pem with its key
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 2 -subj "/CN=$1" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign 2>/dev/null
}
authority "Kestrova test authority"
authority "Another authority"
# The signer's key is protected by a password, as a real one would be.
echo "a password" >password
openssl req -newkey rsa:2048 -keyout signer.key -passout file:password -out signer.csr \
  -subj "/CN=Kestrova test signer" 2>/dev/null
printf 'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
openssl x509 -req -in signer.csr -CA "Kestrova test authority.pem" -CAkey "Kestrova test authority.key" \
  -CAcreateserial -days 2 -extfile signer.ext -out signer.pem 2>/dev/null

check "scripts/sign signs" "$sign" --cert signer.pem --key signer.key --password-file password \
  --build "$build" --dist dist
/usr/bin/python3 -c 'import sys, zipfile; open("zipped.exe", "wb").write(zipfile.ZipFile(sys.argv[1]).read(
    next(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if n.endswith("kestrova.exe"))))' dist/*.zip
msi=$(echo dist/*.msi)
msiextract -C unpacked "$msi" >/dev/null
installed=$(find unpacked -name kestrova.exe)

verifies() {  # verifies FILE AUTHORITY
  osslsigncode verify -CAfile "$2.pem" -in "$1" >"$work/verify.txt" 2>&1 &&
    grep -q "Signature verification: ok" "$work/verify.txt"
}
for file in zipped.exe "$installed" "$msi"; do
  check "$(basename "$file") is signed by the test signer" verifies "$file" "Kestrova test authority"
  check "which another authority does not vouch for" not verifies "$file" "Another authority"
done
homepage=$(/usr/bin/python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["homepage"])' "$build/bundle.json")
check "the signature names the publisher's page as the build was given it, $homepage" \
  'osslsigncode verify -CAfile "Kestrova test authority.pem" -in zipped.exe >"$work/url.txt" 2>&1;
   grep -qF "URL description: $homepage" "$work/url.txt"'
osslsigncode remove-signature -in zipped.exe -out unsigned.exe >/dev/null 2>&1 || true
check "signing changed nothing but the signature" cmp unsigned.exe "$build/kestrova.exe"
check "the MSI installs the same signed program" cmp "$installed" zipped.exe

if [ "$(windows_machine zipped.exe)" = 014c ] && ! wine_runs_32_bit; then
  # The signatures are checked; the window cannot be, so the test as a whole
  # is not passed.
  summary
  echo "SKIPPED: the signed program's window: Wine cannot run 32-bit programs here (this kernel runs none)"
  exit 77
fi
start_xvfb "$work"
new_wine_prefix "$work/prefix"
wine zipped.exe >/dev/null 2>&1 &
check "the signed program opens its window" timeout 30 xdotool search --sync --onlyvisible --name ' Kestrova$'

summary
