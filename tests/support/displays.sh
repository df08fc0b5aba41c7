# Shell helpers the tests share; source it, then call:
#   require TOOL:PACKAGE ...  unless every tool is here, names the missing
#                           ones and their Debian packages and exits 77, the
#                           tests' "skipped"
#   start_xvfb WORKDIR [WxHxD]  a private Xvfb display (800x600x24 unless
#                           told), exported as DISPLAY; its pid goes on the
#                           array `pids` for the caller to end. Xvfb that is
#                           installed but does not start is tried once
#                           more, then the test fails with its log
#   new_wine_prefix DIR     a fresh Wine prefix, exported as WINEPREFIX, that
#                           maps Times New Roman to its metric twin
require() {
  local tool missing=()
  for tool in "$@"; do
    command -v "${tool%%:*}" >/dev/null || missing+=("${tool%%:*} (${tool#*:})")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "SKIPPED: not installed here: ${missing[*]}"
  exit 77
}

#   wine_runs_32_bit        succeeds when Wine can run a 32-bit Windows
#                           program here
#   wine64_stands_in DIR    `wine` runs Wine's 64-bit loader from now on,
#                           through a script in DIR put first on PATH
start_xvfb() {
  local work=$1 screen=${2:-800x600x24}
  require Xvfb:xvfb xdpyinfo:x11-utils
  # -noreset: by default the server resets when its last client leaves and
  # drops any client that connected meanwhile ("Can't open display"), as
  # when a test ends one program and at once starts the next.
  local try
  for try in 1 2; do
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] && break
    echo "Xvfb did not start (try $try of 2); its log:"
    cat "$work/xvfb.log"
  done
  # Installed, but it does not run: a fault of this machine, not a skip.
  [ -s "$work/display" ] || { echo "FAILED: Xvfb is installed but did not start, twice"; exit 1; }
  export DISPLAY=":$(cat "$work/display")"
  # A private display has no session bus. Rather than let libdbus start one
  # on a program's behalf, which would outlive the test, give an address
  # where none answers.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.05; done
  echo "Xvfb on $DISPLAY does not answer" >&2
  return 1
}

# Wine's 32-bit loader needs a kernel that runs 32-bit Linux programs; some
# virtual machines' kernels run none.
wine_runs_32_bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# `wine` starts the 32-bit loader whenever it is installed, which then
# cannot start at all on such a kernel; 64-bit programs go straight to the
# 64-bit loader instead.
wine64_stands_in() {
  local name
  mkdir -p "$1"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$1/$name"
    chmod +x "$1/$name"
  done
  export PATH="$1:$PATH"
}

# The machine a Windows program is built for, from its PE header: 014c for
# 32-bit x86, 8664 for x86-64.
windows_machine() { od -An -tx2 -j $(($(od -An -tu4 -j60 -N4 "$1") + 4)) -N2 "$1" | tr -d ' '; }

new_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if ! wine_runs_32_bit && [ -x /usr/lib/wine/wine64 ]; then
    rm -rf "$1.loader"
    wine64_stands_in "$1.loader"
  fi
  rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  # Times New Roman is not on Linux; Liberation Serif has its metrics.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1
}
