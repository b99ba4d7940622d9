#!/usr/bin/env bash
# tools/xvfb.sh start   -> starts an X server on a free display, prints ":N"
# tools/xvfb.sh stop :N -> stops it
set -euo pipefail

case "${1:-}" in
start)
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        # -noreset: without it the server resets when its last client leaves.
        Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n"; exit 0; }
            sleep 0.1
        done
        kill $! 2>/dev/null || true
    done
    echo "xvfb: FAILED to start Xvfb" >&2
    exit 1
    ;;
stop)
    n="${2#:}"
    [ -f "/tmp/.X$n-lock" ] && kill "$(tr -d ' ' < "/tmp/.X$n-lock")" 2>/dev/null || true
    ;;
*)
    echo "usage: $0 start | stop :N" >&2
    exit 2
    ;;
esac
