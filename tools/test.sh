#!/usr/bin/env bash
# Builds Lamino and runs every test: once in the development build, once
# under AddressSanitizer and UndefinedBehaviorSanitizer (with leak checking),
# then a short run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh test

status=0
# The browser build, which the dev build's tests play in Chromium; npm keeps
# playwright-core (pinned by tools/drive/web/package-lock.json) in the cache.
echo "test: building the browser build (preset web)"
if ! cmake --preset web >/dev/null || ! cmake --build --preset web ||
    ! (cd tools/drive/web && npm ci --cache "${LAMINO_CACHE:-/var/cache/lamino}/npm" --prefer-offline \
        --no-audit --no-fund --loglevel=error >/dev/null); then
    echo "test: FAILED to build the browser build" >&2
    exit 1
fi
# LAMINO_TEST_PRESETS chooses fewer (tools/test-debian13.sh runs "dev").
for preset in ${LAMINO_TEST_PRESETS:-dev asan}; do
    echo "test: building the $preset build"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        echo "test: FAILED to build the $preset build" >&2
        exit 1
    fi
    echo "test: running the tests of the $preset build"
    if ! ctest --preset "$preset" -j2; then
        echo "test: FAILED: tests of the $preset build" >&2
        status=1
    fi
done
echo "test: a short fuzzing run of each libFuzzer target"
bash tools/fuzz.sh "${LAMINO_FUZZ_SECONDS:-20}" || status=1
[ $status -eq 0 ] && echo "test: all tests passed"
exit $status
