#!/usr/bin/env bash
# check-executable.sh Lamino.exe: the Windows program is a 32-bit GUI program
# that needs no DLL beyond the system's, and carries its resources: the
# dialogs, menu, string, pictures, the icon in several sizes, the version
# record and the manifest asking for the common controls 6.0.
set -uo pipefail
exe="$1"
failures=0
expect() {  # expect DESCRIPTION TEXT PATTERN
    if ! grep -qF -- "$3" <<<"$2"; then
        echo "check-executable: $1: no '$3'" >&2
        failures=$((failures + 1))
    fi
}

headers=$(i686-w64-mingw32-objdump -p "$exe") || exit 1
expect "format" "$headers" "file format pei-i386"
expect "subsystem" "$headers" "(Windows GUI)"
while read -r dll; do
    case "${dll^^}" in
    KERNEL32.DLL | USER32.DLL | GDI32.DLL | COMCTL32.DLL | MSVCRT.DLL | OLEACC.DLL | OLE32.DLL | OLEAUT32.DLL) ;;
    *) echo "check-executable: needs $dll, which Windows does not bring" >&2; failures=$((failures + 1)) ;;
    esac
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")

resources=$(i686-w64-mingw32-windres -i "$exe" -O rc) || exit 1
for dialog in "100 DIALOG " "102 DIALOGEX " "130 DIALOG " "131 DIALOGEX " "132 DIALOGEX " "133 DIALOG "; do
    expect "dialog" "$resources" "$dialog"
done
expect "menu" "$resources" '129 MENU'
expect "help item" "$resources" 'MENUITEM L"\x5e2e\x52a9", 32771'
expect "about string" "$resources" '101, L"\x5173\x4e8e Lamino(&A)..."'
for picture in 139 140 142; do expect "picture" "$resources" "$picture 2 /* RT_BITMAP */"; done
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
exit $((failures > 0))
