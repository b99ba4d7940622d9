#!/usr/bin/env bash
# Lamino's performance in one run, on this machine: start-up and peak memory
# against a plain Qt window with as many widgets, keystroke latency on each
# page, and the cost of reading and printing a number. Not a pass/fail test.
# Usage: tools/bench.sh [STARTUP_RUNS] [KEYSTROKES]   (defaults 11 and 10000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-11}"
keystrokes="${2:-10000}"

bash tools/setup.sh test
cmake --preset dev >/dev/null
cmake --build --preset dev --target lamino-startup floor-startup lamino-latency lamino-number-bench >/dev/null
mkdir -p build/bench

echo "== start-up and memory (first painted frame under Xvfb)"
bash tools/bench-startup.sh "$runs"

echo
echo "== keystroke latency (key event to repainted fields, under Xvfb)"
export DISPLAY
DISPLAY=$(bash tools/xvfb.sh start)
trap 'bash tools/xvfb.sh stop "$DISPLAY"' EXIT
QT_QPA_PLATFORM=xcb build/dev/lamino-latency "$keystrokes" build/bench/latency.png 2>/dev/null
echo "(distributions drawn in build/bench/latency.png)"

echo
echo "== reading and printing a number"
build/dev/lamino-number-bench --benchmark_min_time=0.2 2>/dev/null | grep -E "^(Benchmark|-|Parse|Format)"

echo
echo "== the browser build in headless Chromium: size, first painted frame, keystroke latency"
bash tools/setup.sh web
cmake --preset web >/dev/null && cmake --build --preset web >/dev/null
(cd tools/drive/web && npm ci --cache "${LAMINO_CACHE:-/var/cache/lamino}/npm" --prefer-offline --no-audit --no-fund \
    --loglevel=error >/dev/null)
node tools/bench/web.mjs build/web/lamino.html "$runs" 1000
