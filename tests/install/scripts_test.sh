#!/usr/bin/env bash
# scripts/setup and scripts/distro-check with the system's tools stood in for
# on PATH: setup installs through sudo for a normal user only, and npm's
# packages as locked, hashed, without install scripts; distro-check fails
# when a test fails.
#   scripts_test.sh SOURCE_DIR
set -uo pipefail
source "$(dirname "$0")/../support/checks.sh"
src=$1 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$work/bin log=$work/log
mkdir -p "$bin" "$work/tree/scripts" "$work/tree/tests/web" "$work/chroot/usr/bin" "$work/chroot/proc"
stub() { printf '#!/bin/bash\n%s\n' "$2" >"$bin/$1"; chmod +x "$bin/$1"; }

locks_exact() {
  /usr/bin/python3 - "$src"/tests/web/package-lock.json "$src"/bench/package-lock.json <<'PY'
import json, re, sys
for name in sys.argv[1:]:
    packages = json.load(open(name, encoding="utf-8"))["packages"]
    loose = [f"{p} {v}" for p, v in packages[""].get("devDependencies", {}).items() if not re.fullmatch(r"[\d.]+", v)]
    loose += [p for p, e in packages.items() if p and not (re.fullmatch(r"\d+\.\d+\.\d+(-[\w.]+)?", e.get(
        "version", "")) and e.get("integrity", "").startswith("sha512-"))]
    if loose:
        sys.exit(f"{name}: not exact or not hashed: {', '.join(loose)}")
PY
}
check "every npm package is locked at an exact version with its hash" locks_exact

# A system with none of the set-up's packages.
cp "$src/scripts/setup" "$work/tree/scripts/"
cp "$src/tests/web/package-lock.json" "$work/tree/tests/web/"
stub id '[ "$1" = -u ] && echo "$AS_UID" || exec /usr/bin/id "$@"'
stub sudo 'echo sudo >>"$LOG"; AS_UID=0 exec "$@"'
stub apt-get '[ "$(id -u)" = 0 ] || { echo "apt-get: permission denied" | tee -a "$LOG"; exit 100; }; echo "apt-get $*" >>"$LOG"'
stub apt-cache 'for p in "${@:2}"; do printf "%s:\n  Candidate: 1\n" "$p"; done'
stub dpkg-query 'exit 1'
stub dpkg 'echo i386'
stub node ':'
stub npm 'echo "npm $*" >>"$LOG"'
setup_as() { : >"$log"; AS_UID=$1 LOG=$log PATH="$bin:$PATH" bash "$work/tree/scripts/setup" test >/dev/null 2>&1; }
setup_as 1000
check "a normal user's set-up installs through sudo" \
  'grep -q "^apt-get .*install" "$log" && grep -qx sudo "$log" && ! grep -q "permission denied" "$log"'
check "npm installs the locked packages without their install scripts" 'grep -q "^npm ci .*--ignore-scripts" "$log"'
setup_as 0
check "root's set-up installs without sudo" 'grep -q "^apt-get .*install" "$log" && ! grep -qx sudo "$log"'

# The sandbox runs the build script with its paths inside the chroot's
# folder; ctest says $SAYS and ends with $ENDS.
install -m 755 /dev/null "$work/chroot/usr/bin/apt-get"
stub chroot '[ "$2" = dpkg-query ] && printf "ii "; exit 0'
stub unshare 'sed "s#/build/#$CHROOT/build/#g" "$CHROOT/build/build.sh" | bash'
stub dpkg-buildflags 'echo "export CXXFLAGS=-O2 CPPFLAGS="'
for tool in chown cmake make; do stub $tool ':'; done
stub ctest 'echo "$SAYS"; exit "$ENDS"'
distro_check() {
  AS_UID=0 CHROOT=$work/chroot SAYS=$1 ENDS=$2 PATH="$bin:$PATH" bash "$src/scripts/distro-check" "$work/chroot" >/dev/null 2>&1
}
# distro-check copies the tree git knows: a packager's unpacked source (as
# in its own chroot) is no checkout, and it is not run from there.
if command -v git >/dev/null && git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
  check "distro-check succeeds when every test passes" distro_check "100% tests passed, 0 tests failed out of 3" 0
  check "distro-check fails when a test fails" not distro_check "67% tests passed, 1 tests failed out of 3" 8
else
  echo "not checked: distro-check, which copies a git checkout; $src is none"
fi
summary
