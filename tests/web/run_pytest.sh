#!/usr/bin/env bash
# Runs the page's pytest tests offline, or skips them (77) where the page is
# not built or pytest is not installed.
#   run_pytest.sh PAGE PYTHON PYTEST_ARGS...
set -euo pipefail
page=$1 python=$2
shift 2
"$python" -c 'import pytest' 2>/dev/null || { echo "SKIPPED: not installed here: pytest (python3-pytest)"; exit 77; }
here=$(dirname "$0")
exec bash "$here/needs_page.sh" "$page" bash "$here/run_offline.sh" "$python" -B -m pytest -p no:cacheprovider "$@"
