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

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "setup: installing ${missing[*]}"
    if ! apt_get update -qq ||
        ! apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
        echo "setup: FAILED to install the packages above with apt-get" >&2
        exit 1
    fi
}

run_packages=(
    cmake ninja-build g++
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
# Node and Debian's Chromium run the tests.
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
        wasi-libc binaryen python3-fonttools python3-brotli fonts-arphic-uming chromium
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
        apt_get update -qq
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
        g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
        wine64 fonts-wine \
        libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
    # The tests run the 32-bit Lamino.exe that ships, under 32-bit Wine.
    enable_32bit_programs
    dpkg --print-foreign-architectures | grep -qx i386 || {
        as_root dpkg --add-architecture i386
        apt_get update -qq
    }
    install_missing wine32:i386 \
        libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 \
        libxcomposite1:i386 libxinerama1:i386 libxfixes3:i386 libxxf86vm1:i386
fi
