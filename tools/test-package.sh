#!/usr/bin/env bash
# Tries the release files that tools/package.sh wrote into dist/ as their
# users meet them:
#   - the checksums, lintian, desktop-file-validate and appstreamcli;
#   - the .deb installed with apt-get into clean Debian 12 and 13 roots made
#     for the test, pulling in run-time packages only, started there on X11
#     (Xvfb) with no locale set, silent and looking as the development build
#     does, and on Wayland (Weston, tests/desktop/wayland.sh), then purged
#     again, leaving none of its files behind;
#   - the zip unpacked into a fresh Wine prefix and Lamino.exe started from
#     there, leaving no file and no registry key naming Lamino behind;
#   - the HTML file opened from disk in Chromium with the network closed, every
#     scenario played on it, nothing stored;
#   - the site's zip: its files, index.html the HTML file plus the site's
#     additions, the worker's list of files the zip's, and a scenario played
#     on it in Chromium with its server stopped after the first visit.
# Pictures of both windows go to screenshots/package/ (or $LAMINO_SHOTS_DIR/package).
#
# Kept between runs in $LAMINO_CACHE (default /var/cache/lamino), each as it
# was made, before any Lamino file came near it: the bare Debian roots that
# debootstrap made (tools/debian-root.sh), the Wine prefix that wineboot
# made, and apt's downloaded archives and package lists.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh package-test
bash tools/setup.sh windows

fail() {
    echo "test-package: FAILED: $*" >&2
    exit 1
}
started=$SECONDS
step() {
    echo "test-package: [$((SECONDS - started))s] $*"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt 2>/dev/null || true)
deb="lamino_${version}_$(dpkg --print-architecture).deb"
zip="Lamino-$version-win32.zip"
[ -n "$version" ] && [ -f "dist/$deb" ] && [ -f "dist/$zip" ] || fail "no release files in dist/: run tools/package.sh first"

work="$PWD/build/package-test"
cache="${LAMINO_CACHE:-/var/cache/lamino}"
shots="${LAMINO_SHOTS_DIR:-$PWD/screenshots}/package"
mkdir -p "$work" "$cache" "$shots"
exec 9>"$cache/lock"
flock 9  # one run at a time uses the cache

step "checksums"
(cd dist && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not match the release files"

step "the release build plays every scenario"
for scenario in tests/scenarios/*.drive; do
    bash tests/run-scenario.sh build/release/lamino-drive "$scenario" >"$work/scenario.log" 2>&1 ||
        { cat "$work/scenario.log"; fail "the release build on $scenario"; }
done

# ---------------------------------------------------- the browser's file
html="dist/lamino-$version.html"
[ -f "$html" ] || fail "no $html: run tools/package.sh first"
step "$html: $(stat -c %s "$html") bytes, opened from disk in Chromium with the network closed"
[ "$(stat -c %s "$html")" -lt 614400 ] || fail "$html is 600 KiB or more"
bash tools/setup.sh web
(cd tools/drive/web && npm ci --cache "$cache/npm" --prefer-offline --no-audit --no-fund --loglevel=error >/dev/null) ||
    fail "installing playwright-core (tools/drive/web/package-lock.json)"
cmake --build --preset release --target lamino-drive-web >/dev/null || fail "building lamino-drive-web"
for scenario in tests/scenarios/*.drive; do
    bash tests/run-scenario.sh build/release/lamino-drive-web "$html" "$scenario" >"$work/scenario.log" 2>&1 ||
        { cat "$work/scenario.log"; fail "$html on $scenario"; }
done

# ------------------------------------------------------------ the site
site_zip="dist/lamino-$version-web.zip"
[ -f "$site_zip" ] || fail "no $site_zip: run tools/package.sh first"
step "$site_zip: its files, index.html against $html, the worker's list"
rm -rf "$work/site"
site=$(python3 tools/package/check-site.py "$site_zip" "$html" "$work/site") || fail "$site_zip"
step "$site_zip served on loopback, started again with the server stopped, in Chromium"
bash tests/run-scenario.sh build/release/lamino-drive-web "$site" tests/scenarios/main_window.drive >"$work/scenario.log" 2>&1 ||
    { cat "$work/scenario.log"; fail "the site, offline, on main_window.drive"; }

# ---------------------------------------------------------------- the .deb
step "lintian"
lintian --allow-root --fail-on error,warning --display-info --info "dist/$deb" || fail "lintian found errors or warnings"

unpacked="$work/deb-contents"
rm -rf "$unpacked"
dpkg-deb -x "dist/$deb" "$unpacked"
app_id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$unpacked"/usr/share/metainfo/*.metainfo.xml)
step "desktop-file-validate and appstreamcli validate ($app_id)"
desktop="$unpacked/usr/share/applications/$app_id.desktop"
metainfo="$unpacked/usr/share/metainfo/$app_id.metainfo.xml"
[ -f "$desktop" ] || fail "no desktop entry named after the component id $app_id"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"

step "the package's contents"
[ "$(dpkg-deb -f "dist/$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "dist/$deb" Depends)
for needed in fonts-arphic-uming fonts-dejavu-extra qt6-wayland libqt6widgets6 libc6; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends has no $needed: $depends"
done
for file in usr/bin/lamino usr/share/doc/lamino/copyright usr/share/doc/lamino/changelog.gz \
    usr/share/man/man1/lamino.1.gz usr/share/icons/hicolor/scalable/apps/lamino.svg \
    usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/lamino.png; do
    [ -f "$unpacked/$file" ] || fail "the package has no /$file"
done
sections=$(readelf -SW "$unpacked/usr/bin/lamino")
! grep -qE '\.debug_|\.symtab' <<<"$sections" || fail "/usr/bin/lamino carries debug information or symbols"

# ------------------------------------------- clean Debian 12 and 13 roots
source tools/debian-root.sh
lamino_pid=""
display=""
finish() {
    if [ -n "$lamino_pid" ]; then kill "$lamino_pid" 2>/dev/null || true; fi
    if [ -n "${WINEPREFIX:-}" ]; then /usr/lib/wine/wineserver -k 2>/dev/null || true; fi
    remove_root
    if [ -n "$display" ]; then bash tools/xvfb.sh stop "$display"; fi
    if [ -n "${rebuild:-}" ]; then rm -rf "$rebuild"; fi
}
trap finish EXIT
display=$(bash tools/xvfb.sh start)

# find_window NAME: the id and size of the shown top-level window called NAME.
find_window() {
    local id info
    for _ in $(seq 150); do
        for id in $(xwininfo -display "$display" -root -children 2>/dev/null | grep -F "\"$1\":" | awk '{ print $1 }'); do
            info=$(xwininfo -display "$display" -id "$id" 2>/dev/null) || continue
            grep -q 'Map State: IsViewable' <<<"$info" || continue
            echo "$id $(awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }' <<<"$info")"
            return 0
        done
        sleep 0.2
    done
    return 1
}
# screenshot ID FILE: a picture of the window, which must show more than a blank face.
screenshot() {
    sleep 1  # let it paint
    import -display "$display" -window "$1" "$2" || return 1
    local colours
    colours=$(convert "$2" -format %k info:)
    [ "$colours" -gt 8 ] || { echo "test-package: $2 shows only $colours colours" >&2; return 1; }
}
# pictures_of_tabs ID PREFIX: PREFIX-1.png to PREFIX-4.png, one of each tab,
# moving on with Ctrl+Tab from the keyboard.
pictures_of_tabs() {
    local tab
    for tab in 1 2 3 4; do
        screenshot "$1" "$2-$tab.png" || return 1
        DISPLAY="$display" xdotool windowfocus --sync "$1" key ctrl+Tab || return 1
    done
}
# same_pictures PREFIX: the pictures of the tabs are the development build's, pixel for pixel.
same_pictures() {
    local tab differing
    for tab in 1 2 3 4; do
        differing=$(compare -metric AE "$1-$tab.png" "$work/development-$tab.png" null: 2>&1) || true
        [ "$differing" = 0 ] || { echo "tab $tab differs in $differing pixels ($1-$tab.png)"; return 1; }
    done
}
# close_window PID: ends the program started in the background as PID.
close_window() {
    kill "$1"
    wait "$1" 2>/dev/null || true
    lamino_pid=""
}

# The development build's window, as the installed ones must look.
step "the development build's window, for comparison"
[ -x build/dev/lamino ] || fail "no build/dev/lamino: run tools/test.sh first"
DISPLAY="$display" build/dev/lamino >"$work/dev-lamino.log" 2>&1 &
lamino_pid=$!
read -r window _ < <(find_window Lamino) || { cat "$work/dev-lamino.log"; fail "no window of build/dev/lamino appeared"; }
pictures_of_tabs "$window" "$work/development" || fail "the pictures of the development build's window"
close_window "$lamino_pid"

# try_deb_on RELEASE: the .deb installed into a clean Debian RELEASE with run-time
# packages only, started there on X11 and on Wayland, pictured, purged.
try_deb_on() {
    local release="$1"
    step "a clean Debian $release root"
    new_root "$release" "$work/debian$release-root"

    step "apt-get install ./$deb in the Debian $release root"
    in_root dpkg-query -W -f='${Package}\n' | sort >"$work/packages-before"
    cp "dist/$deb" "$root/tmp/"
    chmod 644 "$root/tmp/$deb"
    in_root sh -c "cd /tmp && apt-get install -y -q -o DPkg::Options::=--force-unsafe-io ./$deb" >"$work/apt-install.log" 2>&1 ||
        { tail -n 30 "$work/apt-install.log"; fail "apt-get install ./$deb on Debian $release"; }
    in_root dpkg-query -W -f='${Package}\n' | sort >"$work/packages-after"
    local added build_tools
    added=$(comm -13 "$work/packages-before" "$work/packages-after")
    echo "  $(wc -l <<<"$added") packages installed; $(grep -E '^(Need to get|After this operation)' "$work/apt-install.log" | tr '\n' ' ')"
    build_tools=$(grep -E -- '-dev$|-dev-(bin|tools)$|^(gcc|g\+\+|cpp)(-[0-9]+)?(-x86-64-linux-gnu)?$|^binutils(-x86-64-linux-gnu)?$|^(clang|llvm|lld)(-[0-9]+)?$|^(make|cmake|ninja-build|pkgconf|pkg-config|build-essential|libtool|autoconf|automake)$' <<<"$added" || true)
    [ -z "$build_tools" ] || fail "installing the package on Debian $release brought in build tools: $(tr '\n' ' ' <<<"$build_tools")"

    step "starting lamino in the Debian $release root on X11 (Xvfb), LANG unset"
    bind /tmp/.X11-unix /tmp/.X11-unix
    in_root useradd --create-home --uid 1000 engineer
    install -d -m 700 "$root/run/user/1000"
    chroot "$root" chown engineer: /run/user/1000
    # As a session starts it, but with no locale named.
    chroot --userspec=engineer:engineer "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/engineer \
        XDG_RUNTIME_DIR=/run/user/1000 DISPLAY="$display" lamino >"$work/lamino.log" 2>&1 &
    lamino_pid=$!
    local window size pictures="$shots/debian$release" differing
    read -r window size < <(find_window Lamino) || { cat "$work/lamino.log"; fail "no Lamino window appeared on Debian $release"; }
    echo "  window $window, $size"
    pictures_of_tabs "$window" "$pictures" || fail "the pictures of the window on Debian $release"
    close_window "$lamino_pid"
    [ ! -s "$work/lamino.log" ] || { cat "$work/lamino.log"; fail "lamino printed the above at start on Debian $release"; }
    differing=$(same_pictures "$pictures") || fail "on Debian $release the window is not the development build's: $differing"
    echo "  pictures of the four tabs, the development build's to the pixel: $pictures-1.png to -4.png"

    step "starting lamino in the Debian $release root on Wayland (Weston, no X server)"
    in_root apt-get install -y -q --no-install-recommends weston >"$work/apt-weston.log" 2>&1 ||
        { tail -n 30 "$work/apt-weston.log"; fail "installing Weston on Debian $release"; }
    cp tests/desktop/wayland.sh "$root/tmp/wayland.sh"
    mkdir -p "$root/tmp/wayland-pictures" && chmod 777 "$root/tmp/wayland-pictures"
    chroot --userspec=engineer:engineer "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/engineer \
        bash /tmp/wayland.sh /usr/bin/lamino /tmp/wayland-pictures || fail "lamino on Wayland on Debian $release"
    for scale in 1 2; do cp "$root/tmp/wayland-pictures/scale-$scale.png" "$shots/debian$release-wayland-$scale.png"; done

    step "apt-get purge lamino on Debian $release"
    in_root apt-get purge -y -q lamino >"$work/apt-purge.log" 2>&1 || { cat "$work/apt-purge.log"; fail "apt-get purge lamino"; }
    local left=() path
    while read -r path; do
        path="/${path#./}"
        path="${path%/}"
        [ "$path" = / ] && continue
        if [ -d "$root$path" ] && ! [ -L "$root$path" ]; then
            in_root dpkg-query --search "$path" >/dev/null 2>&1 || left+=("$path")  # a directory another package owns stays
        elif [ -e "$root$path" ] || [ -L "$root$path" ]; then
            left+=("$path")
        fi
    done < <(dpkg-deb --fsys-tarfile "dist/$deb" | tar -t)
    compgen -G "$root/var/lib/dpkg/info/lamino.*" >/dev/null && left+=(/var/lib/dpkg/info/lamino.*)
    [ ${#left[@]} -eq 0 ] || fail "after the purge on Debian $release these are left: ${left[*]}"
    remove_root
}
try_deb_on 12
try_deb_on 13

# ----------------------------------------------------- the Windows zip
step "the zip's contents"
zipped="$work/zip"
rm -rf "$zipped"
mkdir -p "$zipped"
unzip -q "dist/$zip" -d "$zipped"
[ "$(ls "$zipped" | sort | tr '\n' ' ')" = "LICENSE Lamino.exe 说明.txt " ] ||
    fail "the zip holds $(ls "$zipped" | tr '\n' ' '), not Lamino.exe, LICENSE and 说明.txt"
cmp -s "$zipped/Lamino.exe" build/windows/Lamino.exe || fail "the zip's Lamino.exe is not the one the windows build made"
# Stripped, under 1 MB, its imports and resources as the build checks them.
bash tests/windows/check-executable.sh "$zipped/Lamino.exe" || fail "the zip's Lamino.exe"
resources=$(i686-w64-mingw32-windres -i "$zipped/Lamino.exe" -O rc) || fail "reading Lamino.exe's resources"
grep -qF "FILEVERSION ${version//./, }" <<<"$resources" || fail "Lamino.exe's version record does not say $version"
[ "$(head -c 3 "$zipped/说明.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "说明.txt has no UTF-8 byte-order mark"
grep -qv $'\r$' "$zipped/说明.txt" && fail "说明.txt has lines without CRLF"
grep -qF "Lamino $version" "$zipped/说明.txt" || fail "说明.txt does not name version $version"
python3 - "dist/$zip" <<'PY' || fail "the zip's names, as Chinese Windows reads them"
import sys, zipfile
# Where the UTF-8 flag is not understood, Windows reads names in code page 936.
names = sorted(zipfile.ZipFile(sys.argv[1], metadata_encoding="gbk").namelist())
sys.exit(0 if names == sorted(["Lamino.exe", "LICENSE", "说明.txt"]) else f"names in GBK: {names}")
PY

step "a fresh Wine prefix (win32)"
bash tools/wine.sh can-run-32bit || fail "this machine runs no 32-bit program, so not the zip's Lamino.exe"
export WINEDEBUG=-all WINEARCH=win32
wine=/usr/lib/wine/wine
prefix="$work/wine"
rm -rf "$prefix"
pristine_prefix="$cache/wine-win32-prefix.tar"
prefix_key="$(dpkg-query -W -f='${Version}' wine32:i386) $(sha256sum tools/wine.sh | cut -c1-16)"
if [ ! -f "$pristine_prefix" ] || [ "$(cat "$pristine_prefix.key" 2>/dev/null)" != "$prefix_key" ]; then
    step "making the Wine prefix (kept in $pristine_prefix)"
    fresh="$work/wine-fresh"
    rm -rf "$fresh"
    HOME="$work/wine-home" bash tools/wine.sh prefix "$fresh" win32
    # As on Windows, the profile's folders are folders, not links into a Linux home.
    find "$fresh/drive_c/users" -type l | while read -r link; do
        rm "$link" && mkdir "$link"
    done
    rm "$fresh/.lamino-ready"  # the marker of a ready prefix, not Lamino's
    tar -C "$fresh" -cf "$pristine_prefix.new" . && mv "$pristine_prefix.new" "$pristine_prefix"
    echo "$prefix_key" >"$pristine_prefix.key"
    rm -rf "$fresh" "$work/wine-home"
fi
mkdir -p "$prefix"
tar -C "$prefix" -xf "$pristine_prefix"
export WINEPREFIX="$prefix"
folder="drive_c/工具/Lamino-$version-win32"
windows_folder="C:\\工具\\Lamino-$version-win32"
mkdir -p "$prefix/$folder"
unzip -q "dist/$zip" -d "$prefix/$folder"

step "starting Lamino.exe from $windows_folder"
touch "$work/wine-started"
sleep 1
(cd "$prefix/$folder" && DISPLAY="$display" exec "$wine" Lamino.exe >"$work/wine.log" 2>&1) &
lamino_pid=$!
read -r window size < <(find_window Lamino) || { cat "$work/wine.log"; fail "no Lamino.exe window appeared"; }
echo "  window $window, $size"
screenshot "$window" "$shots/windows.png" || fail "the picture of the Windows window"
echo "  picture of the window: $shots/windows.png"
# As the close box does: taskkill without /f sends the window WM_CLOSE.
DISPLAY="$display" "$wine" taskkill /im Lamino.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do
    kill -0 "$lamino_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$lamino_pid" 2>/dev/null && fail "Lamino.exe did not close on WM_CLOSE"
lamino_pid=""
/usr/lib/wine/wineserver -w  # the registry is written out when the server ends

step "what Lamino.exe left in the prefix"
named=$(find "$prefix" -path "$prefix/$folder" -prune -o -iname '*lamino*' -print)
[ -z "$named" ] || fail "files naming Lamino outside $windows_folder: $named"
keys=$(grep -il lamino "$prefix"/*.reg || true)
[ -z "$keys" ] || fail "registry entries naming Lamino in: $(grep -i lamino "$prefix"/*.reg)"
changed=$(find "$prefix" -path "$prefix/$folder" -prune -o -type f -newer "$work/wine-started" -printf '%P ' )
echo "  no file or registry key names Lamino; changed outside the folder (by Wine): ${changed:-nothing}"
rm -rf "$prefix"

# ------------------------------------- the same bytes from a second build
step "the release files built again: a second clone elsewhere, another umask, locale and time zone"
rebuild=$(mktemp -d /tmp/lamino-rebuild.XXXXXX)
git clone -q . "$rebuild/lamino" || fail "cloning the checkout"
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "  (the work tree has uncommitted changes: the second build is of the last commit)"
(cd "$rebuild/lamino" && umask 077 && LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 TZ=Asia/Shanghai \
    bash tools/package.sh) >"$work/rebuild.log" 2>&1 || { tail -n 30 "$work/rebuild.log"; fail "the second build"; }
same=yes
for file in dist/*; do
    name=$(basename "$file")
    if ! where=$(python3 tools/package/first-difference.py "$file" "$rebuild/lamino/dist/$name"); then
        echo "  $name differs: $where" >&2
        same=no
    fi
done
[ "$(ls dist)" = "$(ls "$rebuild/lamino/dist")" ] || { echo "  the second build made $(ls "$rebuild/lamino/dist")" >&2; same=no; }
rm -rf "$rebuild"
[ $same = yes ] || fail "the release files are not the same from a second build of the same commit"
echo "  every file in dist/ is the same, byte for byte"

step "all release files passed"
