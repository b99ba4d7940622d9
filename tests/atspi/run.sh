#!/usr/bin/env bash
# run.sh LAMINO: starts Lamino on an X server of its own, in a private D-Bus
# session with Qt's accessibility switched on, reads the V-cut page over
# AT-SPI as a screen reader does (vcut_fields.py) and compares what it read
# with vcut_fields.expected.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
display=$(bash "$here/../../tools/xvfb.sh" start)
actual=$(mktemp)
trap 'bash "$here/../../tools/xvfb.sh" stop "$display"; rm -f "$actual"' EXIT
# Debian's Python, where python3-pyatspi lives.
DISPLAY="$display" dbus-run-session -- /usr/bin/python3 "$here/vcut_fields.py" "$1" "$actual" >/dev/null 2>&1 ||
    { echo "atspi: reading the window failed; run it again without the redirections to see why" >&2; exit 1; }
diff -u --label expected --label actual "$here/vcut_fields.expected" "$actual"
