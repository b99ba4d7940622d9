#!/usr/bin/env python3
"""Fetches the i386 builds of packages at given versions from a Debian
archive's pool, each checked against the SHA-256 that the archive's own i386
index gives for it, for setup.sh when apt could not load that index.

    i386-twins.py ARCHIVE_URI SUITE/COMPONENT OUT_DIR PACKAGE=VERSION...
"""
import hashlib
import lzma
import sys
import urllib.request


def records(index_text):
    for block in index_text.split("\n\n"):
        fields = {}
        for line in block.splitlines():
            if line[:1] not in (" ", "\t") and ":" in line:
                key, value = line.split(":", 1)
                fields[key] = value.strip()
        if fields:
            yield fields


def fetch(url):
    with urllib.request.urlopen(url, timeout=120) as answer:
        return answer.read()


def main(archive, section, out_dir, *wanted):
    suite, component = section.split("/", 1)
    index = lzma.decompress(fetch(f"{archive}/dists/{suite}/{component}/binary-i386/Packages.xz")).decode()
    found = {(r.get("Package"), r.get("Version")): r for r in records(index)}
    failed = False
    for item in wanted:
        package, version = item.split("=", 1)
        record = found.get((package, version))
        if not record:
            print(f"i386-twins: the archive's i386 index has no {package} {version}", file=sys.stderr)
            failed = True
            continue
        data = fetch(f"{archive}/{record['Filename']}")
        if hashlib.sha256(data).hexdigest() != record["SHA256"]:
            print(f"i386-twins: {record['Filename']} does not match the index's SHA-256", file=sys.stderr)
            failed = True
            continue
        with open(f"{out_dir}/{package}_{version.split(':')[-1]}_i386.deb", "wb") as out:
            out.write(data)
    return 1 if failed else 0


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
