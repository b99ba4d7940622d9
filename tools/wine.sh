#!/usr/bin/env bash
# Wine for the Windows build's tests.
#   tools/wine.sh can-run-32bit      exit 0 when this machine runs 32-bit x86 programs
#   tools/wine.sh prefix DIR win32|win64
#                                    makes DIR a Wine prefix set up for Lamino
set -euo pipefail

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
    loader=/usr/lib/wine/wine
    [ "$arch" = win64 ] && loader=/usr/lib/wine/wine64
    [ -f "$dir/.lamino-ready" ] && exit 0
    export WINEPREFIX="$dir" WINEARCH="$arch" WINEDEBUG=-all
    mkdir -p "$dir"
    "$loader" wineboot --init >/dev/null 2>&1 || true
    reg() { "$loader" reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }
    # The dialogs ask for SimSun: give them the Song face the Linux build uses.
    for face in 宋体 SimSun NSimSun 新宋体; do
        reg 'HKCU\Software\Wine\Fonts\Replacements' "$face" "AR PL UMing CN"
    done
    # No window manager under Xvfb: Wine draws the caption and frame itself.
    reg 'HKCU\Software\Wine\X11 Driver' Decorated N
    /usr/lib/wine/wineserver -w
    touch "$dir/.lamino-ready"
    ;;
*)
    echo "usage: $0 can-run-32bit | prefix DIR win32|win64" >&2
    exit 2
    ;;
esac
