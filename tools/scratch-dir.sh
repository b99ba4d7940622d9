# Sourced by the test scripts that give Lamino a home and runtime folder of
# its own. remove_scratch_dir DIR removes DIR and never fails: it first
# detaches what desktop services left mounted in it (xdg-document-portal,
# which Qt's portal lookups start, mounts its file system in
# $XDG_RUNTIME_DIR/doc and may still be ending when the test does).
remove_scratch_dir() {
    local dir="$1" target
    [ -n "$dir" ] && [ -d "$dir" ] || return 0
    findmnt -rn -o TARGET | awk -v dir="$dir/" 'index($0, dir) == 1' | sort -r | while read -r target; do
        fusermount3 -uz "$target" 2>/dev/null || fusermount -uz "$target" 2>/dev/null ||
            umount -l "$target" 2>/dev/null || true
    done
    rm -rf --one-file-system "$dir" 2>/dev/null || true
}
