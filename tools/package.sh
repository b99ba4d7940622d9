#!/usr/bin/env bash
# Builds the release files into dist/:
#   lamino_VERSION_amd64.deb      the Debian package (Debian 12 and later, and the
#                                 distributions built on it), from an optimised build
#   Lamino-VERSION-win32.zip      the portable Windows program, with its licence and
#                                 a note in Chinese
#   lamino-VERSION.html           Lamino in any browser: one file, opened from disk
#   lamino-VERSION-web.zip        the same page as a site for a static HTTPS server,
#                                 installable on a phone's home screen, offline
#   SHA256SUMS                    their checksums
# VERSION is the project's, from CMakeLists.txt. tools/test-package.sh tries them out.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh package

# One commit gives the same files, whoever builds it where and when: times
# from the last commit, and neither the builder's umask nor locale nor time
# zone in them.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || SOURCE_DATE_EPOCH=$(date +%s)
export SOURCE_DATE_EPOCH LC_ALL=C.UTF-8 TZ=UTC
umask 022

fail() {
    echo "package: FAILED: $*" >&2
    exit 1
}

# Debian's hardening flags, without debug information: the package carries none.
debian_flags() {
    DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2" dpkg-buildflags --get "$1"
}
cxxflags="$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" && ldflags=$(debian_flags LDFLAGS) ||
    fail "asking dpkg-buildflags for Debian's build flags"
echo "package: building the release build"
cmake --preset release -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null &&
    cmake --build --preset release >/dev/null ||
    fail "building the release build; run 'cmake --build --preset release' to see why"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
[ -n "$version" ] || fail "no project version in build/release/CMakeCache.txt"

echo "package: building the Windows Lamino.exe"
cmake --preset dev >/dev/null && cmake --build --preset dev --target lamino-rasterize >/dev/null ||
    fail "building lamino-rasterize"
cmake --preset windows >/dev/null && cmake --build --preset windows --target lamino >/dev/null ||
    fail "building the windows build; run 'cmake --build --preset windows' to see why"

# ------------------------------------------------------ the browser's file
# The module, script, diagrams and font in one page; the same bytes from the
# same sources wherever and whenever it is built.
echo "package: building the browser build"
bash tools/setup.sh web
cmake --preset web >/dev/null && cmake --build --preset web --target lamino-html lamino-site >/dev/null ||
    fail "building the web build; run 'cmake --build --preset web' to see why"
html="lamino-$version.html"
site="lamino-$version-web"

rm -rf dist
mkdir -p dist
deb="lamino_${version}_$(dpkg --print-architecture).deb"
zip="Lamino-$version-win32.zip"

echo "package: making $deb"
(cd build/release && cpack --config CPackConfig.cmake >cpack.log 2>&1) ||
    { cat build/release/cpack.log; fail "cpack"; }
cp "build/release/$deb" dist/

echo "package: making $zip"
staging=build/release/zip
rm -rf "$staging"
mkdir -p "$staging"
cp build/windows/Lamino.exe "$staging/"
# Texts for Notepad: CRLF line ends, and a byte-order mark on the Chinese one
# so that it is read as UTF-8 on every Windows.
sed 's/$/\r/' LICENSE >"$staging/LICENSE"
{
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' res/release/说明.txt
} >"$staging/说明.txt"
python3 tools/package/make-zip.py "dist/$zip" "$staging/Lamino.exe" "$staging/LICENSE" "$staging/说明.txt" ||
    fail "making the zip"

echo "package: making $html"
cp build/web/lamino.html "dist/$html"

echo "package: making $site.zip"
python3 tools/package/make-zip.py --folder "$site" "dist/$site.zip" build/web/site/* || fail "making the site's zip"

(cd dist && sha256sum "$deb" "$zip" "$html" "$site.zip" >SHA256SUMS)
echo "package: release files in dist/:"
ls -l dist | sed -n 's/^[^ ]* *[^ ]* *[^ ]* *[^ ]* *\([0-9]*\) .* \(.*\)$/  \2 (\1 bytes)/p'
