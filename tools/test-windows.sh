#!/usr/bin/env bash
# Builds the Windows program and tests the 32-bit build that ships, under
# 32-bit Wine (tools/setup.sh windows makes 32-bit programs run, through
# QEMU's user-mode emulation where the kernel runs none): Lamino.exe checked
# as a file, then the window chrome, the layout checks and every scenario
# file that the Linux build plays, by test programs built like Lamino.exe on
# the real Win32 window in Xvfb, at 96 DPI and again at 120, 144 and 192 DPI.
# Saves a picture of each tab at each DPI into screenshots/windows/.
# The 64-bit build is compiled, not run: nobody gets it, and compiling it
# with -Werror catches the faults that depend on the size of a pointer.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

bash tools/setup.sh windows

fail() {
    echo "test-windows: FAILED: $*" >&2
    exit 1
}

echo "test-windows: building the diagram rasteriser (Linux build)"
cmake --preset dev >/dev/null && cmake --build --preset dev --target lamino-rasterize >/dev/null ||
    fail "building lamino-rasterize"

for preset in windows windows-x64; do
    echo "test-windows: building the $preset build"
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null ||
        fail "building the $preset build; run 'cmake --build --preset $preset' to see why"
done
build=build/windows

echo "test-windows: checking Lamino.exe"
bash tests/windows/check-executable.sh "$build/Lamino.exe" || fail "Lamino.exe"

bash tools/wine.sh can-run-32bit ||
    fail "this machine runs no 32-bit program, so the build that ships cannot be tested (tools/setup.sh windows sets that up)"
echo "test-windows: preparing 32-bit Wine"
export WINEPREFIX="$PWD/build/wine-win32" WINEDEBUG=-all
/usr/lib/wine/wineserver -k 2>/dev/null || true  # one left by a run cut short
bash tools/wine.sh prefix "$WINEPREFIX" win32
export DISPLAY
DISPLAY=$(bash tools/xvfb.sh start)
trap 'bash tools/wine.sh dpi "$WINEPREFIX" 96 || true; /usr/lib/wine/wineserver -k || true; bash tools/xvfb.sh stop "$DISPLAY"' EXIT
wine=/usr/lib/wine/wine
/usr/lib/wine/wineserver -p  # one server for all the runs below

status=0
run() {  # run PROGRAM ARGS...: a test program, its report indented
    "$wine" "$@" | sed 's/^/  /'
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
}
check() {  # check SCENARIO COMMAND...: whether the command passed, its output if not
    local log
    if log=$("${@:2}" 2>&1); then
        echo "  passed  $1"
    else
        echo "  FAILED  $1"
        printf '%s\n' "$log"
        status=1
    fi
}
compare() {  # compare SCENARIO OUTPUT: what a scenario printed, against what it should
    diff -u --label expected --label actual "${1%.drive}.expected" <(printf '%s\n' "$(cat "$2")")
}
shots="${LAMINO_SHOTS_DIR:-$PWD/screenshots}/windows"
scenarios=(tests/scenarios/*.drive tests/windows/*.drive)

# One process takes the pictures, on the first window it opens as a user's
# start would, then plays all the files, each on a main window of its own:
# under emulation every process start costs seconds.
for dpi in 96 120 144 192; do
    pass_started=$SECONDS
    bash tools/wine.sh dpi "$WINEPREFIX" "$dpi"
    echo "test-windows: the 32-bit build ($build) at $dpi DPI"
    if [ "$dpi" = 96 ]; then
        run "$build/lamino-chrome-test.exe"  # its sizes are the template's at 96 DPI
        bash tests/windows/colour-schemes.sh "$wine" "$build" "$shots" || status=1
    fi
    run "$build/lamino-dpi-test.exe"
    played="$build/played/$dpi-dpi" pictures="$shots"
    [ "$dpi" = 96 ] || pictures="$shots/$dpi-dpi"
    rm -rf "$played" && mkdir -p "$played" "$pictures"
    names=(unit-converter v-cut gold-finger countersink)
    for tab in 0 1 2 3; do
        printf 'tab %d\nshot Z:%s/tab%d-%s.png\n' "$tab" "$pictures" $((tab + 1)) "${names[$tab]}"
    done >"$played/pictures.drive"
    "$wine" "$build/lamino-drive.exe" --screenshots --each "$played" "$played/pictures.drive" "${scenarios[@]}" ||
        status=1
    for scenario in "${scenarios[@]}"; do
        check "$scenario" compare "$scenario" "$played/$(basename "$scenario" .drive).out"
    done
    echo "test-windows: $dpi DPI took $((SECONDS - pass_started)) s"
done
echo "test-windows: pictures of the four tabs in $shots, at the other DPIs in its 120-dpi/, 144-dpi/, 192-dpi/"

echo "test-windows: Lamino.exe is $(stat -c %s "$build/Lamino.exe") bytes; tests took $((SECONDS - started)) s"
[ $status -eq 0 ] && echo "test-windows: all Windows tests passed on the 32-bit build that ships"
exit $status
