#!/usr/bin/env bash
# run.sh window LAMINO [--explore]: Lamino's window walked by keyboard with
# Orca, the screen reader (window_walk.py);
# run.sh web LAMINO.HTML [--explore]: the browser page in Chromium (web_walk.py).
# Each on an X server of its own in a private D-Bus session, with a home of
# its own for Orca's, speech-dispatcher's and the browser's settings.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
case "${1:-}" in
window | web) walk="$here/$1_walk.py" ;;
*)
    echo "usage: $0 window LAMINO | web LAMINO.HTML [--explore]" >&2
    exit 2
    ;;
esac
display=$(bash "$here/../../tools/xvfb.sh" start)
work=$(mktemp -d)
source "$here/../../tools/scratch-dir.sh"
trap 'bash "$here/../../tools/xvfb.sh" stop "$display"; remove_scratch_dir "$work"' EXIT
mkdir -p "$work/config" "$work/data" "$work/run"
chmod 700 "$work/run"
# Debian's Python, where Orca and pyatspi live. What the session's services
# and the program print (Qt repeats "Could not find accessible" for every
# object Orca asks after once it is gone) is shown only when the walk fails.
status=0
DISPLAY="$display" HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    dbus-run-session -- /usr/bin/python3 "$walk" "$2" "$work" "${@:3}" 2>"$work/session.err" ||
    status=$?
if [ $status -ne 0 ]; then
    grep -v 'Could not find accessible' "$work/session.err" | tail -n 40 >&2
fi
exit $status
