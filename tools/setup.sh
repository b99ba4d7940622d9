#!/usr/bin/env bash
# Installs what Lamino needs to build, run and test on Debian 12, where it is
# missing. Safe to run again: it installs nothing that is already there.
# tools/setup.sh windows: also the Windows cross-compilers and Wine.
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

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "setup: installing ${missing[*]}"
    if ! as_root apt-get update -qq ||
        ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
        echo "setup: FAILED to install the packages above with apt-get" >&2
        exit 1
    fi
}

install_missing \
    cmake ninja-build g++ pkg-config \
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev \
    libgtest-dev libbenchmark-dev \
    clang libclang-rt-14-dev \
    xvfb xauth x11-utils \
    fonts-arphic-uming fonts-dejavu-core \
    locales

# The number tests run under a locale whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "setup: generating the de_DE.UTF-8 locale"
    if ! as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8; then
        echo "setup: FAILED to generate the de_DE.UTF-8 locale" >&2
        exit 1
    fi
fi

if [ "${1:-}" = windows ]; then
    install_missing \
        g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
        wine64 fonts-wine \
        libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
    # 32-bit Wine only where this machine can run 32-bit programs at all.
    if bash tools/wine.sh can-run-32bit; then
        dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
        install_missing wine32:i386
    fi
fi
