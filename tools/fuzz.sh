#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 20), starting from the seed corpus in tests/fuzz/corpus. A crash leaves its
# input in build/fuzz/ and fails the run.
# Usage: tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"

cmake --preset fuzz >/dev/null || { echo "fuzz: FAILED to configure the fuzz build" >&2; exit 1; }
cmake --build --preset fuzz >/dev/null || { echo "fuzz: FAILED to build; run 'cmake --build --preset fuzz'" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
for target in parse_number format_value page_events; do
    work="build/fuzz/corpus/$target"
    mkdir -p "$work"
    log="build/fuzz/$target.log"
    if ! (cd build/fuzz && "./tests/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
            -print_final_stats=1 "corpus/$target" "../../tests/fuzz/corpus/$target" >"$target.log" 2>&1); then
        tail -n 40 "$log"
        echo "fuzz: FAILED: $target (its log: $log)" >&2
        exit 1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    echo "fuzz: $target: $runs inputs in ${seconds}s, no failure"
done
