#!/usr/bin/env bash
# Builds Lamino and runs every test (tools/test.sh, as the README gives it)
# in a clean Debian 13 root made with debootstrap, as a fresh Debian 13
# machine would: the set-up installs what the tests need there, from
# Debian 13's own packages (Qt 6.8, GCC 14, clang 19).
# The bare root and apt's downloads are kept in $LAMINO_CACHE (default
# /var/cache/lamino) between runs, as tools/test-package.sh keeps its own.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh package-test

fail() {
    echo "test-debian13: FAILED: $*" >&2
    exit 1
}
work="$PWD/build/debian13"
cache="${LAMINO_CACHE:-/var/cache/lamino}"
mkdir -p "$work" "$cache"
exec 9>"$cache/lock"
flock 9  # one run at a time uses the cache

source tools/debian-root.sh
trap remove_root EXIT
started=$SECONDS
new_root 13 "$work/root"
echo "test-debian13: a clean Debian 13 root in $((SECONDS - started))s; copying the source in"
# The files git knows, as they are in the work tree.
mkdir -p "$root/src/lamino"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [ -e "$file" ] && cp --parents -P -- "$file" "$root/src/lamino/"
done
# The root reaches the package registries as this machine does, trusting the
# same certificate authorities (npm brings the browser tests' driver).
mkdir -p "$root/etc/ssl"
cp /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/host-ca-certificates.crt" 2>/dev/null || true
# The sanitizer build and long fuzzing runs stay with the main run: here the
# point is Debian 13's compilers, Qt and desktop packages.
in_root env NODE_EXTRA_CA_CERTS=/etc/ssl/host-ca-certificates.crt \
    bash -c 'cd /src/lamino && LAMINO_TEST_PRESETS=dev LAMINO_FUZZ_SECONDS=5 bash tools/test.sh' ||
    fail "tools/test.sh in the Debian 13 root"
echo "test-debian13: every test passed on Debian 13 in $((SECONDS - started))s"
