#!/usr/bin/env bash
# colour-schemes.sh WINE BUILD SHOTS: Lamino's colours under the colour
# schemes users pick, on Wine: the prefix's own scheme, and a dark scheme
# with Wine's visual style on and off. Runs BUILD/lamino-colours-test.exe
# under each (high contrast comes through the program's own seam, since Wine
# never reports it) and keeps its pictures in SHOTS/colours.
#
# The dark schemes live in throwaway prefixes beside $WINEPREFIX that share
# its drive_c and copy its registry with the scheme written in, so the
# prefix the other tests use is never touched and nothing needs undoing.
set -euo pipefail
wine="$1" build="$2" shots="$3"
base="${WINEPREFIX:?colour-schemes.sh runs in the Wine prefix of the tests}"
server="$(dirname "$wine")/wineserver"
mkdir -p "$shots/colours"
pictures="Z:$(realpath "$shots/colours")"

# A dark scheme as a user sets one: light text on dark faces.
dark_scheme() {
    cat <<'EOF'
[Control Panel\\Colors] 1700000000
"ActiveBorder"="45 45 45"
"ActiveTitle"="0 0 0"
"AppWorkSpace"="30 30 30"
"Background"="0 0 0"
"ButtonAlternateFace"="45 45 45"
"ButtonDkShadow"="10 10 10"
"ButtonFace"="45 45 45"
"ButtonHilight"="90 90 90"
"ButtonLight"="70 70 70"
"ButtonShadow"="20 20 20"
"ButtonText"="255 255 255"
"GradientActiveTitle"="0 0 0"
"GradientInactiveTitle"="30 30 30"
"GrayText"="150 150 150"
"Hilight"="0 120 215"
"HilightText"="255 255 255"
"HotTrackingColor"="100 180 255"
"InactiveBorder"="45 45 45"
"InactiveTitle"="30 30 30"
"InactiveTitleText"="190 190 190"
"InfoText"="255 255 255"
"InfoWindow"="45 45 45"
"Menu"="45 45 45"
"MenuBar"="45 45 45"
"MenuHilight"="0 120 215"
"MenuText"="255 255 255"
"Scrollbar"="45 45 45"
"TitleText"="255 255 255"
"Window"="30 30 30"
"WindowFrame"="100 100 100"
"WindowText"="255 255 255"

EOF
}

# prefix_with_dark_scheme DIR STYLE: a prefix at DIR like $WINEPREFIX, with
# the dark scheme and Wine's visual style on (1) or off (0).
prefix_with_dark_scheme() {
    local dir="$1" style="$2"
    rm -rf "$dir"
    mkdir -p "$dir/dosdevices"
    ln -s "$base/drive_c" "$dir/drive_c"
    ln -s ../drive_c "$dir/dosdevices/c:"
    ln -s / "$dir/dosdevices/z:"
    cp "$base/system.reg" "$base/userdef.reg" "$base/.update-timestamp" "$dir/"
    # The prefix's scheme goes; the dark one comes in at the end.
    awk '/^\[Control Panel\\\\Colors\]/ { skip = 1; next } skip && /^$/ { skip = 0; next } !skip' \
        "$base/user.reg" | sed "s/^\"ThemeActive\"=\".*\"/\"ThemeActive\"=\"$style\"/" >"$dir/user.reg"
    dark_scheme >>"$dir/user.reg"
}

status=0
run() {  # run NAME: the colours test in $WINEPREFIX
    if ! "$wine" "$build/lamino-colours-test.exe" "$1" "$pictures" | sed 's/^/  /'; then status=1; fi
}

run default
for style in 1 0; do
    name=$([ "$style" = 1 ] && echo dark-styled || echo dark-classic)
    export WINEPREFIX="$base-schemes/$name"
    prefix_with_dark_scheme "$WINEPREFIX" "$style"
    run "$name"
    "$server" -k 2>/dev/null || true
done
exit $status
