# Sourced by the scripts that try Lamino in a clean Debian of their own:
# a root made by debootstrap --variant=minbase for one Debian release, kept
# as debootstrap made it in $cache (with apt's downloaded archives and
# package lists, which only save downloading: apt checks each archive
# against the lists it has just fetched), unpacked anew for every use.
# The sourcing script sets `cache`, `work` and a `fail` function, and calls
# remove_root when it ends.

# The Debian releases Lamino is built and tried on, by number and code name.
debian_suite() {
    case "$1" in
    12) echo bookworm ;;
    13) echo trixie ;;
    *) return 1 ;;
    esac
}

root=""
root_mounts=()

in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

bind() {  # bind HOST_DIR DIR_IN_ROOT
    mkdir -p "$root$2"
    mount --bind "$1" "$root$2"
}

unmount_root() {
    [ -n "$root" ] || return 0
    local target
    # Also what an interrupted run left mounted.
    findmnt -rn -o TARGET | awk -v dir="$root/" 'index($0, dir) == 1' | sort -r | while read -r target; do
        umount "$target" 2>/dev/null || umount -l "$target"
    done
}

remove_root() {
    [ -n "$root" ] || return 0
    unmount_root
    if [ -n "$(findmnt -rn -o TARGET | awk -v dir="$root/" 'index($0, dir) == 1')" ]; then
        fail "something is still mounted under $root"
    fi
    rm -rf --one-file-system "$root"
}

# new_root RELEASE DIR: a clean Debian RELEASE (12, 13) in DIR, with /proc,
# /dev and the cached apt folders mounted, and apt's lists brought up to date.
new_root() {
    local release="$1" suite mirror pristine fresh
    suite=$(debian_suite "$release") || fail "no Debian $release"
    remove_root
    root="$2"
    mirror=$(bash tools/setup.sh debian-mirror)
    pristine="$cache/debian$release-minbase.tar"
    if [ ! -f "$pristine" ] || [ "$(cat "$pristine.mirror" 2>/dev/null)" != "$mirror" ]; then
        echo "  making a Debian $release root with debootstrap --variant=minbase $suite from $mirror (kept in $pristine)"
        fresh="$work/debootstrap-$suite"
        rm -rf --one-file-system "$fresh"
        debootstrap --variant=minbase "$suite" "$fresh" "$mirror" >"$work/debootstrap.log" 2>&1 ||
            { tail -n 20 "$work/debootstrap.log"; fail "debootstrap $suite"; }
        tar -C "$fresh" -cf "$pristine.new" . && mv "$pristine.new" "$pristine"
        echo "$mirror" >"$pristine.mirror"
        rm -rf --one-file-system "$fresh"
    fi
    mkdir -p "$root"
    tar -C "$root" -xf "$pristine"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    bind /dev /dev
    mkdir -p "$cache/apt-archives-$suite" "$cache/apt-lists-$suite"
    bind "$cache/apt-archives-$suite" /var/cache/apt/archives
    bind "$cache/apt-lists-$suite" /var/lib/apt/lists
    in_root apt-get update -qq || fail "apt-get update in the Debian $release root"
}
