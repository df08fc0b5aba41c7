#!/usr/bin/env bash
# Runs a test of the built page, or skips it (77) when there is no page yet:
# the page is the web preset's build, which a Linux build does not make.
#   needs_page.sh PAGE COMMAND...
page=$1
shift
if [ ! -f "$page" ]; then
  echo "SKIPPED: no page at $page; make it with: cmake --preset web && cmake --build --preset web"
  exit 77
fi
exec "$@"
