#!/usr/bin/env bash
# Builds the Windows program and tests it under Wine: the 32-bit Lamino.exe
# with its resources checked, and every scenario file that the Linux build
# plays, played by the Windows lamino-drive.exe on the real Win32 window in
# Xvfb. Saves a picture of each tab into screenshots/windows/.
# Where this machine cannot run 32-bit programs, the scenarios run on the
# 64-bit build of the same sources under 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh windows

fail() {
    echo "test-windows: FAILED: $*" >&2
    exit 1
}

echo "test-windows: building the diagram rasteriser (Linux build)"
cmake --preset dev >/dev/null && cmake --build --preset dev --target lamino-rasterize >/dev/null ||
    fail "building lamino-rasterize"

presets=(windows)
if bash tools/wine.sh can-run-32bit; then
    under_test=windows arch=win32 loader=/usr/lib/wine/wine
else
    echo "test-windows: this machine runs no 32-bit program; the scenarios run on the 64-bit build"
    presets+=(windows-x64)
    under_test=windows-x64 arch=win64 loader=/usr/lib/wine/wine64
fi
for preset in "${presets[@]}"; do
    echo "test-windows: building the $preset build"
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null ||
        fail "building the $preset build; run 'cmake --build --preset $preset' to see why"
done

echo "test-windows: checking Lamino.exe"
bash tests/windows/check-executable.sh build/windows/Lamino.exe || fail "Lamino.exe"

echo "test-windows: preparing Wine ($arch)"
export WINEPREFIX="$PWD/build/wine-$arch" WINEDEBUG=-all
bash tools/wine.sh prefix "$WINEPREFIX" "$arch"
export DISPLAY
DISPLAY=$(bash tools/xvfb.sh start)
/usr/lib/wine/wineserver -p  # one server for all the runs below
trap '/usr/lib/wine/wineserver -k || true; bash tools/xvfb.sh stop "$DISPLAY"' EXIT

drive=("$loader" "build/$under_test/lamino-drive.exe")
status=0
"$loader" "build/$under_test/lamino-chrome-test.exe" | sed 's/^/  /' || status=1
bash tests/windows/colour-schemes.sh "$loader" "build/$under_test" "${LAMINO_SHOTS_DIR:-$PWD/screenshots}/windows" || status=1
for scenario in tests/scenarios/*.drive tests/windows/*.drive; do
    if bash tests/run-scenario.sh "${drive[@]}" "$scenario" >"build/$under_test/scenario.log" 2>&1; then
        echo "  passed  $scenario"
    else
        echo "  FAILED  $scenario"
        cat "build/$under_test/scenario.log"
        status=1
    fi
done

shots="${LAMINO_SHOTS_DIR:-$PWD/screenshots}/windows"
mkdir -p "$shots"
names=(unit-converter v-cut gold-finger countersink)
for tab in 0 1 2 3; do
    printf 'tab %d\nshot Z:%s/tab%d-%s.png\n' "$tab" "$shots" $((tab + 1)) "${names[$tab]}"
done | "${drive[@]}" --screenshots || status=1
echo "test-windows: pictures of the four tabs in $shots"

[ $status -eq 0 ] && echo "test-windows: all Windows tests passed"
exit $status
