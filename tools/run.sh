#!/usr/bin/env bash
# Builds Lamino and starts it. Without a display it starts the window under
# Xvfb instead, saves a PNG of each tab and says where.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset dev >/dev/null || { echo "run: FAILED to configure the build" >&2; exit 1; }
cmake --build --preset dev --target lamino lamino-shots >/dev/null || {
    echo "run: FAILED to build; run 'cmake --build --preset dev' to see why" >&2
    exit 1
}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/dev/lamino
fi

shots="${LAMINO_SHOTS_DIR:-$PWD/screenshots}"
mkdir -p "$shots"
echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); starting Lamino under Xvfb"
export DISPLAY
DISPLAY=$(bash tools/xvfb.sh start)
# A session of its own: without a desktop's runtime folder Qt would make one
# and say so.
runtime=""
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    runtime=$(mktemp -d)
    export XDG_RUNTIME_DIR="$runtime"
fi
trap 'bash tools/xvfb.sh stop "$DISPLAY"; [ -z "$runtime" ] || rm -rf "$runtime"' EXIT
QT_QPA_PLATFORM=xcb build/dev/lamino-shots "$shots" || { echo "run: FAILED to take the screenshots" >&2; exit 1; }
echo "run: saved a picture of each tab in $shots:"
ls -1 "$shots"/*.png | sed 's/^/  /'
