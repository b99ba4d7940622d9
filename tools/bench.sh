#!/usr/bin/env bash
# Lamino's performance in one run, on this machine: start-up and peak memory
# against a plain Qt window with as many widgets, keystroke latency on each
# page, and the cost of reading and printing a number. Not a pass/fail test.
# What it prints goes into docs/performance.md too, with the date and the
# machine it ran on.
# Usage: tools/bench.sh [STARTUP_RUNS] [KEYSTROKES]   (defaults 11 and 10000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-11}"
keystrokes="${2:-10000}"

measure() {
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
    trap 'bash tools/xvfb.sh stop "$DISPLAY"' RETURN
    QT_QPA_PLATFORM=xcb build/dev/lamino-latency "$keystrokes" build/bench/latency.png 2>/dev/null
    echo "(distributions drawn in build/bench/latency.png)"

    echo
    echo "== reading and printing a number"
    build/dev/lamino-number-bench --benchmark_min_time=0.2 2>/dev/null | grep -E "^(Benchmark|-|Parse|Format)"

    echo
    echo "== the browser build in today's Chromium and Chromium 83, at full speed and CPU slowed 6x:"
    echo "   size, first painted frame, keystroke latency"
    bash tools/setup.sh web
    cmake --preset web >/dev/null && cmake --build --preset web >/dev/null
    (cd tools/drive/web && npm ci --cache "${LAMINO_CACHE:-/var/cache/lamino}/npm" --prefer-offline --no-audit --no-fund \
        --loglevel=error >/dev/null)
    node tools/bench/web.mjs build/web/lamino.html "$runs" 500 build/web/site
}

# The machine, for the report.
machine() {
    echo "- date: $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "- processor: $(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(nproc) cores"
    echo "- memory: $(free -g | awk '/^Mem:/ { print $2 }') GiB"
    echo "- system: $(. /etc/os-release && echo "$PRETTY_NAME"); load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "- Qt $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null), $(chromium --version 2>/dev/null)"
}

report=$(mktemp)
trap 'rm -f "$report"' EXIT
measure 2>&1 | tee "$report"
{
    cat <<TEXT
# Performance

Written by \`bash tools/bench.sh\` (not part of the tests), which measures in one
run, so that each ratio compares figures taken side by side:

- start-up to the first painted frame of the main window with all four pages
  created, and peak memory, next to a plain Qt window with as many widgets
  (the floor), each the median of $runs runs under Xvfb after a warm-up;
- keystroke latency, from the key event to every changed field repainted,
  over $keystrokes keystrokes per page (chart in \`build/bench/latency.png\`);
- the cost of reading and printing a number (Google Benchmark);
- the browser build in today's Chromium and in Chromium 83, at full speed and
  with the CPU slowed six times (\`Emulation.setCPUThrottlingRate\`), next to a
  page of plain HTML with as many fields and no script: the first painted
  frame, and the time from a key event to the page's handling done and to the
  end of the next frame. A browser shows a change at its next frame, so the
  frame, not Lamino, sets the second figure;
- the site in today's Chromium: its first start, served on loopback with
  nothing of it kept, and its start from the worker's cache with the server
  stopped, next to the one-file page opened from disk (first painted frame).

Ratios move by a few hundredths from run to run, and the tails grow while
other work loads the machine.

## The latest run

TEXT
    machine
    echo
    echo '```'
    cat "$report"
    echo '```'
} >docs/performance.md
echo "bench: wrote docs/performance.md"
