#!/usr/bin/env bash
# wayland.sh LAMINO [PICTURES]: starts LAMINO on a Wayland session that runs
# no X server (Weston's headless backend, at output scale 1 and 2) with only
# WAYLAND_DISPLAY to find it by, and checks what it says to the compositor:
# its application id, a fixed size (minimum = maximum), and at scale 2 a
# buffer drawn at twice the size. Saves Weston's screenshot of each scale
# into PICTURES (a folder) when given.
set -euo pipefail
lamino=$(realpath "$1") pictures="${2:-}"
work=$(mktemp -d)
weston_pid=""
lamino_pid=""
stop() {
    [ -n "$lamino_pid" ] && kill "$lamino_pid" 2>/dev/null || true
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap 'stop; rm -rf "$work"' EXIT
fail() {
    echo "wayland: $*" >&2
    exit 1
}

# Waits up to 20 s for a line matching PATTERN in FILE.
wait_for() {
    local pattern="$1" file="$2" _
    for _ in $(seq 200); do
        grep -qE "$pattern" "$file" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

unset DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home"
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"
# No fading in, so that a picture shows the window as it is drawn.
printf '[shell]\nanimation=none\nstartup-animation=none\nclose-animation=none\nfocus-animation=none\n' >"$work/weston.ini"

for scale in 1 2; do
    socket="lamino-$scale"
    # --debug lets weston-screenshooter take its picture.
    weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --socket="$socket" \
        --width=800 --height=600 --scale="$scale" --idle-time=0 --debug >"$work/weston-$scale.log" 2>&1 &
    weston_pid=$!
    wait_for "launching '.*weston-desktop-shell'" "$work/weston-$scale.log" || fail "Weston did not start (scale $scale)"
    log="$work/lamino-$scale.log"
    (cd "$work" && exec env WAYLAND_DISPLAY="$socket" WAYLAND_DEBUG=client "$lamino") >"$log" 2>&1 &
    lamino_pid=$!
    # The first frame: a buffer attached to the window's surface and committed.
    wait_for 'xdg_toplevel[@#][0-9]+\.set_app_id' "$log" && wait_for 'wl_surface[@#][0-9]+\.attach\(wl_buffer' "$log" ||
        { tail -n 20 "$log" >&2; fail "Lamino showed no window (scale $scale)"; }
    kill -0 "$lamino_pid" 2>/dev/null || fail "Lamino ended at start (scale $scale)"
    grep -q 'set_app_id("io.github.lamino.Lamino")' "$log" || fail "the application id is not io.github.lamino.Lamino"
    min=$(grep -oE 'set_min_size\([0-9]+, [0-9]+\)' "$log" | head -n 1 | grep -oE '[0-9]+, [0-9]+')
    max=$(grep -oE 'set_max_size\([0-9]+, [0-9]+\)' "$log" | head -n 1 | grep -oE '[0-9]+, [0-9]+')
    [ -n "$min" ] && [ "$min" = "$max" ] || fail "the window's size is not fixed: minimum ($min), maximum ($max)"
    if [ "$scale" = 2 ]; then
        grep -q 'set_buffer_scale(2)' "$log" || fail "at output scale 2 the window is not drawn at scale 2"
    fi
    if grep -qiE 'warning|could not|failed' "$log"; then
        grep -iE 'warning|could not|failed' "$log" >&2
        fail "Lamino printed warnings at start (scale $scale)"
    fi
    if [ -n "$pictures" ]; then
        mkdir -p "$pictures"
        sleep 0.5  # the desktop shell's panel and the window's first frame on screen
        (cd "$work" && rm -f wayland-screenshot-*.png && WAYLAND_DISPLAY="$socket" timeout 20 weston-screenshooter) ||
            fail "weston-screenshooter failed"
        mv "$work"/wayland-screenshot-*.png "$pictures/scale-$scale.png"
    fi
    echo "wayland: scale $scale: io.github.lamino.Lamino, fixed size $min"
    stop
    lamino_pid="" weston_pid=""
done
