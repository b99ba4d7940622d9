#!/usr/bin/env bash
# module-features.sh MODULE.wasm: the module asks for no WebAssembly feature
# beyond sign extension and mutable globals, which every browser Lamino
# supports has; its code validates with those alone.
set -euo pipefail
module="$1"
expected=$'--enable-mutable-globals\n--enable-sign-ext'
features=$(wasm-opt "$module" --detect-features --print-features 2>/dev/null | sort)
if [ "$features" != "$expected" ]; then
    echo "the module asks for these features:"
    echo "$features"
    echo "but the oldest browsers have only:"
    echo "$expected"
    exit 1
fi
if ! problems=$(wasm-opt "$module" --mvp-features --enable-sign-ext --enable-mutable-globals -o /dev/null 2>&1); then
    echo "the module's code needs features beyond sign-ext and mutable-globals:"
    echo "$problems" | head -20
    exit 1
fi
echo "module features: sign-ext, mutable-globals"
