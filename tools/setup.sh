#!/usr/bin/env bash
# Installs what a job needs on Debian 12, where it is missing. Safe to run
# again: it installs nothing that is already there.
#   tools/setup.sh                building and running Lamino (tools/run.sh)
#   tools/setup.sh test           and the test tools (tools/test.sh)
#   tools/setup.sh package        and the tools that make the release files (tools/package.sh)
#   tools/setup.sh package-test   and the tools that try them out (tools/test-package.sh)
#   tools/setup.sh windows        the tests, the Windows cross-compilers and Wine
#   tools/setup.sh web            the browser build and its tests (also part of test)
set -euo pipefail
cd "$(dirname "$0")/.."

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "setup: need root to run: $*" >&2
        return 1
    fi
}

# apt-get, waiting for another apt or dpkg (a second set-up, an unattended
# upgrade) to finish rather than failing on its lock.
apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 "$@"
}

# apt-get update, once a run unless the sources changed (`apt_update again`),
# tried again a minute later where a mirror is caught between syncs (an
# index of another size than its Release file says). An index still failing
# after that is left out, as apt leaves it: what is wanted from the others
# installs, and what is not fails to.
apt_updated=""
apt_update() {
    [ -n "$apt_updated" ] && [ "${1:-}" != again ] && return 0
    apt_updated=yes
    local try
    for try in 1 2 3; do
        apt_get update -qq && return 0
        [ $try -lt 3 ] && echo "setup: apt-get update failed; trying again in 60 s" >&2 && sleep 60
    done
    echo "setup: apt-get update failed three times; going on without the indexes it could not fetch" >&2
}

# The packages named that are not installed, one a line.
not_installed() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
    done
}

install_missing() {
    local missing
    mapfile -t missing < <(not_installed "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "setup: installing ${missing[*]}"
    apt_update
    if ! apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
        echo "setup: FAILED to install the packages above with apt-get" >&2
        exit 1
    fi
}

run_packages=(
    cmake ninja-build g++
    unicode-data
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    xvfb
    fonts-arphic-uming fonts-dejavu-core fonts-dejavu-extra
)
test_packages=(
    libgtest-dev libbenchmark-dev
    clang
    x11-utils
    locales
    at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus
    qt6-gtk-platformtheme qt6ct
    xdg-desktop-portal xdg-desktop-portal-gtk libglib2.0-bin gsettings-desktop-schemas
    weston qt6-wayland
)
# The screen-reader test (tests/orca/): Orca speaking through
# speech-dispatcher and espeak-ng, under a window manager, keys from xdotool.
test_packages+=(
    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
    openbox xdotool
)
package_packages=(
    dpkg-dev
    g++-mingw-w64-i686
    python3
)
package_test_packages=(
    lintian desktop-file-utils appstream
    debootstrap
    x11-utils xdotool imagemagick unzip
)

# Packages of the i386 architecture beside the machine's own. A library of
# both must be one version (Multi-Arch: same). Where the security archive's
# i386 index did not load (a mirror caught between syncs), apt knows its
# updates for amd64 only and can install no i386 twin of a library that an
# update reached: those twins are then taken from the security archive's
# pool (tools/i386-twins.py, each checked against that archive's own i386
# index), and the rest from the release, the security archive left aside.
install_missing_i386() {
    local missing
    mapfile -t missing < <(not_installed "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    apt_update
    local security
    security=$(apt-cache policy | awk '$2 ~ /security/ && $4 == "amd64" && $5 == "Packages" { print $2, $3; exit }')
    if [ -z "$security" ] || apt-cache policy | grep -qF " ${security} i386 Packages"; then
        install_missing "$@"
        return
    fi
    echo "setup: the security archive's i386 index did not load; the i386 twins of its updates come from its pool"
    local twins=() name version ma newest
    while read -r name; do
        version=$(dpkg-query -W -f='${Version}' "$name:amd64" 2>/dev/null) || continue
        ma=$(dpkg-query -W -f='${Multi-Arch}' "$name:amd64")
        newest=$(apt-cache madison "$name:i386" | awk -F'|' '{ gsub(/ /, "", $2); print $2; exit }')
        if [ "$ma" = same ] && [ -n "$version" ] && { [ -z "$newest" ] || dpkg --compare-versions "$version" gt "$newest"; }; then
            twins+=("$name=$version")
        fi
    done < <(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances "${missing[@]}" | sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
    local dir pin
    dir=$(mktemp -d)
    pin="$dir/preferences"
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
    chmod 755 "$dir"  # apt's download user reads the twins
    echo "setup: installing ${missing[*]}${twins[*]:+ with the twins ${twins[*]}}"
    if ! { [ ${#twins[@]} -eq 0 ] || python3 tools/i386-twins.py "${security%% *}" "${security#* }" "$dir" "${twins[@]}"; } ||
        ! apt_get install -y -qq --no-install-recommends -o "Dir::Etc::Preferences=$pin" \
            $(compgen -G "$dir/*.deb") "${missing[@]}" >/dev/null; then
        rm -rf "$dir"
        echo "setup: FAILED to install the packages above with apt-get" >&2
        exit 1
    fi
    rm -rf "$dir"
}

# The Debian release this machine runs (bookworm, trixie).
codename() {
    (. /etc/os-release && echo "${VERSION_CODENAME:-}")
}

# clang's sanitizer and fuzzer run-times, for the version of clang that
# Debian's `clang` brings (14 on Debian 12, 19 on Debian 13).
install_clang_runtime() {
    local version
    version=$(clang -dumpversion | cut -d. -f1)
    install_missing "libclang-rt-$version-dev"
}

# The browser build: clang, lld and libc++ for WebAssembly, which Debian has
# in one LLVM version per release only (12: 16, 13: 19), so these names carry
# it; wasi-libc; binaryen (asyncify); fontTools and brotli (the font subset);
# Node runs the tests in the browser engines: Debian's Chromium, Firefox ESR
# and WebKitGTK (its WebDriver and MiniBrowser, under Xvfb), and npm's
# Chromium 80 and 83, which need no more of Debian than NSS, expat and
# fontconfig's configuration (with a font: Debian 13's bare root has none).
web_llvm() {
    case "$(codename)" in
    bookworm) echo 16 ;;
    *) echo 19 ;;
    esac
}
install_web() {
    local v
    v=$(web_llvm)
    install_missing "clang-$v" "lld-$v" "libc++-$v-dev-wasm32" "libc++abi-$v-dev-wasm32" "libclang-rt-$v-dev-wasm32" \
        wasi-libc binaryen python3-fonttools python3-brotli fonts-arphic-uming \
        chromium firefox-esr webkit2gtk-driver xvfb libnss3 libexpat1 fontconfig-config
    # Node may come from elsewhere than Debian (its npm with it): only fill in what is missing.
    command -v node >/dev/null || install_missing nodejs
    command -v npm >/dev/null || install_missing npm
}

# The machine's own Debian mirror, as its sources name it.
debian_mirror() {
    local suite
    suite=$(codename)
    local mirror=""
    if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
        mirror=$(awk 'NF == 0 { uri = "" } $1 == "URIs:" { uri = $2 }
                      $1 == "Suites:" { for (i = 2; i <= NF; i++) if ($i == suite && uri != "") { print uri; exit } }' suite="$suite" \
            /etc/apt/sources.list.d/*.sources)
    fi
    if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
        mirror=$(awk '$1 == "deb" { for (i = 2; i < NF; i++) if ($i ~ /^[a-z]+:/ && $(i + 1) == suite) { print $i; exit } }' suite="$suite" \
            /etc/apt/sources.list)
    fi
    echo "${mirror:-http://deb.debian.org/debian}"
}

# 32-bit programs where the kernel runs none: QEMU's user-mode emulation,
# handed i386 executables by binfmt_misc. Debian 12's QEMU 7.2 maps Wine's
# fixed regions wrongly; bookworm-backports has one that works, as Debian 13
# has of its own.
enable_32bit_programs() {
    # Where QEMU already runs them, it must still be one that works.
    local through_qemu=no
    grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386 && through_qemu=yes
    if [ $through_qemu = no ]; then
        bash tools/wine.sh can-run-32bit && return 0
        echo "setup: this kernel runs no 32-bit program; setting up QEMU's user-mode emulation for i386"
    fi
    local backports=/etc/apt/sources.list.d/lamino-bookworm-backports.sources from=()
    [ "$(codename)" = bookworm ] && from=(-t bookworm-backports)
    if [ ${#from[@]} -gt 0 ] && ! grep -rqsE '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$(debian_mirror)" | as_root tee "$backports" >/dev/null
        apt_update again
    fi
    local qemu
    qemu=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
    if [ -z "$qemu" ] || dpkg --compare-versions "$qemu" lt 1:8.1; then
        echo "setup: installing qemu-user-static ${from[*]}"
        apt_get install -y -qq --no-install-recommends "${from[@]}" qemu-user-static >/dev/null || {
            echo "setup: FAILED to install qemu-user-static ${from[*]}" >&2
            exit 1
        }
    fi
    install_missing binfmt-support
    [ -e /proc/sys/fs/binfmt_misc/register ] ||
        as_root mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    # Debian registers no i386 handler on amd64: register one for i386 ELF
    # executables and shared objects, keeping argv[0] (QEMU's -binfmt-P name
    # tells it so) and opening the emulator once, at registration.
    if ! update-binfmts --display qemu-i386 >/dev/null 2>&1; then
        as_root update-binfmts --package lamino --install qemu-i386 /usr/libexec/qemu-binfmt/i386-binfmt-P \
            --magic '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
            --mask '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
            --fix-binary yes --preserve yes
    fi
    [ "$(head -n1 /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null)" = enabled ] || as_root update-binfmts --enable qemu-i386
    bash tools/wine.sh can-run-32bit || {
        echo "setup: FAILED: 32-bit programs still do not run under QEMU" >&2
        exit 1
    }
}

group="${1:-run}"
case "$group" in
run) install_missing "${run_packages[@]}" ;;
test)
    install_missing "${run_packages[@]}" "${test_packages[@]}"
    install_clang_runtime
    install_web
    ;;
windows)
    install_missing "${run_packages[@]}" "${test_packages[@]}"
    install_clang_runtime
    ;;
web) install_missing "${run_packages[@]}" && install_web ;;
package) install_missing "${run_packages[@]}" "${package_packages[@]}" ;;
package-test) install_missing "${run_packages[@]}" "${package_packages[@]}" "${package_test_packages[@]}" ;;
debian-mirror)
    # For the scripts that make a Debian root of their own.
    debian_mirror
    exit 0
    ;;
*)
    echo "usage: $0 [run | test | package | package-test | windows | web | debian-mirror]" >&2
    exit 2
    ;;
esac

if [ "$group" = test ] || [ "$group" = windows ]; then
    # The number tests run under a locale whose decimal mark is a comma.
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        echo "setup: generating the de_DE.UTF-8 locale"
        if ! as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8; then
            echo "setup: FAILED to generate the de_DE.UTF-8 locale" >&2
            exit 1
        fi
    fi
fi

if [ "${1:-}" = windows ]; then
    install_missing \
        g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest \
        wine64 fonts-wine \
        libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
    # The tests run the 32-bit Lamino.exe that ships, under 32-bit Wine.
    enable_32bit_programs
    dpkg --print-foreign-architectures | grep -qx i386 || {
        as_root dpkg --add-architecture i386
        apt_update again
    }
    install_missing_i386 wine32:i386 \
        libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 \
        libxcomposite1:i386 libxinerama1:i386 libxfixes3:i386 libxxf86vm1:i386
fi
