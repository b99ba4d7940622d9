#!/usr/bin/env bash
# Measures the time from process start to the main window's first painted
# frame under Xvfb, and the peak memory, for Lamino and for a plain Qt window
# with as many widgets (the floor), alternating the two in one run.
# Usage: tools/bench-startup.sh [RUNS]   (default 11, the first run of each is a warm-up)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-11}"

bash tools/setup.sh test
cmake --preset dev >/dev/null
cmake --build --preset dev --target lamino-startup floor-startup >/dev/null

export DISPLAY
DISPLAY=$(bash tools/xvfb.sh start)
trap 'bash tools/xvfb.sh stop "$DISPLAY"' EXIT
export QT_QPA_PLATFORM=xcb

results=$(mktemp)
for i in $(seq 0 "$runs"); do
    for program in lamino-startup floor-startup; do
        line=$(LAMINO_BENCH_T0_NS=$(date +%s%N) "build/dev/$program" 2>/dev/null)
        [ "$i" -gt 0 ] && echo "$line" >> "$results"
    done
done

python3 - "$results" <<'PY'
import re, statistics, sys
data = {}
for line in open(sys.argv[1]):
    name, ms, kb = re.match(r"(\S+) startup_ms=(\S+) peak_kb=(\S+)", line).groups()
    data.setdefault(name, []).append((float(ms), int(kb)))
med = {n: (statistics.median(m for m, _ in v), statistics.median(k for _, k in v)) for n, v in data.items()}
runs = len(data["lamino"])
print(f"{'':8} {'first frame (ms)':>17} {'peak memory (MB)':>17}   median of {runs} runs")
for name in ("lamino", "floor"):
    ms, kb = med[name]
    print(f"{name:8} {ms:17.1f} {kb / 1024:17.1f}")
print(f"{'ratio':8} {med['lamino'][0] / med['floor'][0]:17.2f} {med['lamino'][1] / med['floor'][1]:17.2f}")
PY
