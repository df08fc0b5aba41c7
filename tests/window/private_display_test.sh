#!/usr/bin/env bash
# The private Xvfb display the window tests share (tests/support/displays.sh)
# must keep a client that connected while its last one was leaving, as when
# a test ends the quiz and at once starts it again at another density. By
# default Xvfb resets then and drops such a client ("Can't open display").
# Here one client holds the display, a second connects without yet saying
# hello, a third's round trip makes sure the server has taken the second
# in, the first leaves, and the second must still be answered.
# Exits 77 (skipped) when Xvfb is missing.
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
for tool in Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
start_xvfb "$work"

/usr/bin/python3 - "/tmp/.X11-unix/X${DISPLAY#:}" <<'PY'
import socket, struct, sys, time

path = sys.argv[1]

def connect():
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.connect(path)
    return s

def hello(s):
    """The connection set-up, little-endian, protocol 11.0, no authorisation: True if accepted."""
    try:
        s.sendall(struct.pack("<cxHHHHxx", b"l", 11, 0, 0, 0))
        return s.recv(1) == b"\x01"
    except OSError:
        return False

first = connect()
assert hello(first), "the display does not answer"
second = connect()
third = connect()
assert hello(third), "the display does not answer"
third.close()
first.close()
time.sleep(0.5)  # for the server to see the last client go
if not hello(second):
    sys.exit("FAILED: a client that connected as the last one left was dropped")
print("ok: a client that connected as the last one left is answered")
PY
