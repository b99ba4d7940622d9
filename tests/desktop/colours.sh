#!/usr/bin/env bash
# colours.sh TEST DESKTOP: runs the colour tests (ReadableColoursTest.cpp,
# built as TEST) on an X server of their own, as a desktop hands a program its
# colours: once on a desktop without a theme, keeping its pictures as the
# default look, then on DESKTOP, one of
#   none                         no platform theme
#   gtk-dark-theme               GNOME with a dark GTK theme (GTK_THEME=Adwaita:dark),
#                                through Qt's GTK 3 platform theme
#   gtk-prefer-dark              XFCE with gtk-application-prefer-dark-theme in GTK's settings.ini
#   qt6ct-dark                   qt6ct with its "darker" colour scheme
#   portal-dark                  GNOME's dark colour scheme, which Qt 6.5 and later
#                                read from the desktop portal (xdg-desktop-portal with
#                                its GTK back end, on a D-Bus session of the test's own)
#   portal-darkens-while-running the same scheme switched on while the window is open
# No Qt variable is set but those a desktop itself sets.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
test="$1" desktop="$2"

work=$(mktemp -d)
display=$(bash "$here/../../tools/xvfb.sh" start)
source "$here/../../tools/scratch-dir.sh"
trap 'bash "$here/../../tools/xvfb.sh" stop "$display"; remove_scratch_dir "$work"' EXIT

unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_QUICK_CONTROLS_STYLE XDG_CURRENT_DESKTOP GTK_THEME \
    LAMINO_DESKTOP_GOES_DARK LAMINO_DESKTOP_IS_DARK LAMINO_SAVE_LOOK LAMINO_DEFAULT_LOOK
export DISPLAY="$display" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

LAMINO_SAVE_LOOK="$work/default" "$test" --gtest_brief=1 --gtest_filter='SameLook.*' ||
    { echo "colours: the run without a theme failed" >&2; exit 1; }

# GNOME's colour scheme, as the portal's GTK back end reads it; GSettings
# keeps it in a file of the test's own.
color_scheme() {
    GSETTINGS_BACKEND=keyfile gsettings set org.gnome.desktop.interface color-scheme "$1"
}
run=()
export LAMINO_DESKTOP_IS_DARK=1
case "$desktop" in
none) unset LAMINO_DESKTOP_IS_DARK ;;
gtk-dark-theme) export XDG_CURRENT_DESKTOP=GNOME GTK_THEME=Adwaita:dark ;;
gtk-prefer-dark)
    export XDG_CURRENT_DESKTOP=XFCE
    mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
    printf '[Settings]\ngtk-application-prefer-dark-theme=1\n' >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
    ;;
qt6ct-dark)
    export QT_QPA_PLATFORMTHEME=qt6ct
    mkdir -p "$XDG_CONFIG_HOME/qt6ct"
    printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\n' \
        >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
    ;;
portal-dark | portal-darkens-while-running)
    # Qt takes the scheme, not a palette, from the portal: the portal itself
    # must be heard saying "dark" (1), on the test's own session bus.
    export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile
    unset LAMINO_DESKTOP_IS_DARK
    run=(dbus-run-session -- bash "$here/portal-says.sh")
    if [ "$desktop" = portal-dark ]; then
        color_scheme prefer-dark
        export LAMINO_PORTAL_SCHEME=1
    else
        color_scheme default
        export LAMINO_PORTAL_SCHEME=0
        printf '#!/usr/bin/env bash\n%s\ncolor_scheme prefer-dark\n' "$(declare -f color_scheme)" >"$work/go-dark"
        export LAMINO_DESKTOP_GOES_DARK="bash $work/go-dark"
    fi
    ;;
*)
    echo "colours: no desktop called $desktop" >&2
    exit 2
    ;;
esac
if [ -n "${LAMINO_DESKTOP_GOES_DARK:-}" ]; then
    # Each test sees the desktop turn dark once, from a light one of its own.
    for name in $("$test" --gtest_list_tests | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }'); do
        color_scheme default
        LAMINO_DEFAULT_LOOK="$work/default" "${run[@]}" "$test" --gtest_brief=1 --gtest_filter="$name"
    done
else
    LAMINO_DEFAULT_LOOK="$work/default" "${run[@]}" "$test" --gtest_brief=1
fi
