#!/usr/bin/env bash
# Wine for the Windows build's tests.
#   tools/wine.sh can-run-32bit      exit 0 when this machine runs 32-bit x86 programs
#   tools/wine.sh prefix DIR win32|win64
#                                    makes DIR a Wine prefix set up for Lamino
#   tools/wine.sh dpi DIR N          programs started in prefix DIR from now on
#                                    draw at N DPI (Wine reads it at their start)
set -euo pipefail

# The loader that runs programs in prefix DIR.
loader() {
    if grep -qs '^#arch=win32' "$1/system.reg"; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

case "${1:-}" in
can-run-32bit)
    # Some kernels (and sandboxes) run no 32-bit program: try the smallest one.
    command -v as >/dev/null && command -v ld >/dev/null || exit 1
    probe=$(mktemp -d)
    trap 'rm -rf "$probe"' EXIT
    printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' > "$probe/exit.s"
    as --32 -o "$probe/exit.o" "$probe/exit.s" 2>/dev/null && ld -m elf_i386 -o "$probe/exit" "$probe/exit.o" 2>/dev/null &&
        "$probe/exit" 2>/dev/null
    ;;
prefix)
    dir="$2"
    arch="$3"
    wine=/usr/lib/wine/wine
    [ "$arch" = win64 ] && wine=/usr/lib/wine/wine64
    # The marker holds the version of the settings below, raised when they change.
    settings=2
    [ "$(cat "$dir/.lamino-ready" 2>/dev/null)" = "$settings" ] && exit 0
    export WINEPREFIX="$dir" WINEARCH="$arch" WINEDEBUG=-all
    mkdir -p "$dir"
    "$wine" wineboot --init >/dev/null 2>&1 || true
    reg() { "$wine" reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }
    # The dialogs ask for SimSun: give them the Song face the Linux build uses.
    for face in 宋体 SimSun NSimSun 新宋体; do
        reg 'HKCU\Software\Wine\Fonts\Replacements' "$face" "AR PL UMing CN"
    done
    # No window manager under Xvfb: Wine draws the caption and frame itself,
    # and closes a window without waiting for one to withdraw it (two
    # seconds for every window otherwise).
    reg 'HKCU\Software\Wine\X11 Driver' Decorated N
    reg 'HKCU\Software\Wine\X11 Driver' Managed N
    /usr/lib/wine/wineserver -w
    echo "$settings" >"$dir/.lamino-ready"
    ;;
dpi)
    dir="$2"
    WINEPREFIX="$dir" WINEDEBUG=-all "$(loader "$dir")" reg add 'HKCU\Control Panel\Desktop' \
        /v LogPixels /t REG_DWORD /d "$3" /f >/dev/null 2>&1 || {
        echo "wine: FAILED to set $3 DPI in $dir" >&2
        exit 1
    }
    ;;
*)
    echo "usage: $0 can-run-32bit | prefix DIR win32|win64 | dpi DIR N" >&2
    exit 2
    ;;
esac
