#!/usr/bin/env bash
# compare-numbers.sh NATIVE_ORACLE WASM_ORACLE: the texts the number rules
# read and print, from the Linux build and from the WebAssembly build under
# Node's WASI, must be the same line for line.
set -euo pipefail
native="$1"
wasm="$2"
[ -f "$wasm" ] || { echo "no $wasm: build the preset web first (tools/test.sh does)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$native" >"$work/linux"
node --no-warnings --experimental-wasi-unstable-preview1 "$(dirname "$0")/run-wasi.mjs" "$wasm" >"$work/wasm"
lines=$(wc -l <"$work/linux")
if ! cmp -s "$work/linux" "$work/wasm"; then
    echo "the browser build reads or prints numbers differently ($(diff "$work/linux" "$work/wasm" | grep -c '^<') of $lines lines):"
    diff "$work/linux" "$work/wasm" | head -n 20
    exit 1
fi
echo "$lines texts read, printed and computed alike by the Linux and the browser build"
