#!/usr/bin/env bash
# check-executable.sh Lamino.exe: the Windows program is a stripped 32-bit GUI
# program under 1 MB that needs no DLL beyond the system's, and carries its
# resources: the dialogs, menu, string, the pictures at every scale, the icon
# in several sizes, the version record and the manifest asking for the common
# controls 6.0 and per-monitor DPI awareness.
set -uo pipefail
exe="$1"
failures=0
fail() {
    echo "check-executable: $*" >&2
    failures=$((failures + 1))
}
expect() {  # expect DESCRIPTION TEXT PATTERN
    grep -qF -- "$3" <<<"$2" || fail "$1: no '$3'"
}

size=$(stat -c %s "$exe") || exit 1
[ "$size" -lt 1000000 ] || fail "$size bytes, not under 1 MB"
headers=$(i686-w64-mingw32-objdump -p "$exe") || exit 1
expect "format" "$headers" "file format pei-i386"
expect "subsystem" "$headers" "(Windows GUI)"
expect "symbols" "$headers" "symbols stripped"
debug=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 ~ /^\.debug/ { print $2 }' | tr '\n' ' ')
[ -z "$debug" ] || fail "debug sections $debug"
while read -r dll; do
    case "${dll^^}" in
    KERNEL32.DLL | USER32.DLL | GDI32.DLL | COMCTL32.DLL | MSVCRT.DLL | OLE32.DLL | OLEACC.DLL | OLEAUT32.DLL) ;;
    *) fail "needs $dll, which Windows does not bring" ;;
    esac
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")

resources=$(i686-w64-mingw32-windres -i "$exe" -O rc) || exit 1
for dialog in "100 DIALOG " "102 DIALOGEX " "130 DIALOG " "131 DIALOGEX " "132 DIALOGEX " "133 DIALOG "; do
    expect "dialog" "$resources" "$dialog"
done
expect "menu" "$resources" '129 MENU'
expect "help item" "$resources" 'MENUITEM L"\x5e2e\x52a9", 32771'
expect "about string" "$resources" '101, L"\x5173\x4e8e Lamino(&A)..."'
for percent in 100 125 150 175 200 250 300; do
    for picture in 139 140 142; do expect "picture" "$resources" "$picture \"PNG$percent\""; done
done
expect "icon" "$resources" "128 14 /* RT_GROUP_ICON */"
expect "icon sizes" "$resources" "Has 7 elements"
expect "version" "$resources" "FILEVERSION 1, 0, 0, 1"
expect "version" "$resources" 'BLOCK "080404B0"'
expect "version" "$resources" 'VALUE "InternalName", "Lamino"'
expect "version" "$resources" 'VALUE "ProductName", "Lamino"'
expect "version" "$resources" 'VALUE "OriginalFilename", "Lamino.EXE"'
expect "version" "$resources" 'VALUE "Translation", 0x804, 1200'
expect "manifest" "$resources" "1 24 /* RT_MANIFEST */"
expect "manifest" "$resources" 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""'
expect "manifest" "$resources" 'processorArchitecture=""x86"" publicKeyToken'
expect "DPI awareness" "$resources" '>true/pm</dpiAware>'
expect "DPI awareness" "$resources" '>PerMonitorV2, PerMonitor</dpiAwareness>'
[ $failures -eq 0 ] && echo "check-executable: $exe is $size bytes"
exit $((failures > 0))
