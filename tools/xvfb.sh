#!/usr/bin/env bash
# tools/xvfb.sh start   -> starts an X server on a free display, prints ":N"
# tools/xvfb.sh stop :N -> stops it
set -euo pipefail
# Started with -displayfd, Xvfb writes no /tmp/.XN-lock to find it by: the
# process number is kept here instead.
pid_file() { echo "${TMPDIR:-/tmp}/lamino-xvfb-$1.pid"; }

case "${1:-}" in
start)
    # Xvfb picks a free display itself and names it on fd 3 once it is ready,
    # so that two tests starting at once never share one server.
    # -noreset: without it the server resets when its last client leaves.
    named=$(mktemp)
    trap 'rm -f "$named"' EXIT
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$named" >/dev/null 2>&1 &
    for _ in $(seq 100); do
        n=$(tr -d '[:space:]' <"$named")
        if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
            echo $! >"$(pid_file "$n")"
            echo ":$n"
            exit 0
        fi
        kill -0 $! 2>/dev/null || break
        sleep 0.1
    done
    kill $! 2>/dev/null || true
    echo "xvfb: FAILED to start Xvfb" >&2
    exit 1
    ;;
stop)
    n="${2#:}"
    file=$(pid_file "$n")
    [ -f "$file" ] && kill "$(cat "$file")" 2>/dev/null || true
    rm -f "$file"
    ;;
*)
    echo "usage: $0 start | stop :N" >&2
    exit 2
    ;;
esac
