#!/usr/bin/env bash
# Builds Lamino and runs every test: once in the development build, once
# under AddressSanitizer and UndefinedBehaviorSanitizer (with leak checking),
# then a short run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh test

status=0
# The Node packages of a folder, as its package-lock.json pins them; npm
# keeps what it downloaded in the cache.
npm_install() {
    (cd "$1" && npm ci --cache "${LAMINO_CACHE:-/var/cache/lamino}/npm" --prefer-offline \
        --no-audit --no-fund --loglevel=error >/dev/null)
}
# The browser build, which the dev build's tests play in the browsers (its
# site's icons drawn by the dev build's lamino-rasterize), and the Node
# packages of the scenario driver and of the page's static checks.
echo "test: building the browser build (preset web)"
if ! cmake --preset dev >/dev/null || ! cmake --build --preset dev --target lamino-rasterize ||
    ! cmake --preset web >/dev/null || ! cmake --build --preset web ||
    ! npm_install tools/drive/web || ! npm_install tools/web; then
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
