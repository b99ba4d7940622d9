#!/usr/bin/env python3
"""first-difference.py A B: where two builds of one release file first
differ, to the member: the ar member of a .deb and the file inside its tar,
the entry of a zip, the section of a Windows program, else the byte.
Prints one line; exits 0 when the files are the same, 1 when they differ."""

import io
import struct
import sys
import tarfile
import zipfile


def first_byte(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i
    return min(len(a), len(b)) if len(a) != len(b) else None


def pe_section(data, offset):
    """The name of the section of a PE file that holds file offset `offset`."""
    if data[:2] != b"MZ":
        return None
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    table = pe + 24 + optional_size
    if offset < table:
        return "headers"
    for i in range(count):
        name, size, start = struct.unpack_from("<8s8xII", data, table + 40 * i)
        if start <= offset < start + size:
            return name.rstrip(b"\0").decode()
    return "outside the sections"


def describe_bytes(a, b, where):
    offset = first_byte(a, b)
    if offset is None:
        return None
    section = pe_section(a, offset)
    return f"{where}byte {offset}" + (f" (section {section})" if section else "")


def ar_members(data):
    members, pos = [], 8  # after "!<arch>\n"
    while pos + 60 <= len(data):
        header = data[pos:pos + 60]
        name, size = header[:16].decode().strip().rstrip("/"), int(header[48:58])
        members.append((name, header, data[pos + 60:pos + 60 + size]))
        pos += 60 + size + (size & 1)
    return members


def tar_entries(data):
    with tarfile.open(fileobj=io.BytesIO(data)) as tar:
        return [(m.name, (m.mode, m.uid, m.gid, m.uname, m.gname, m.mtime, m.type, m.linkname),
                 tar.extractfile(m).read() if m.isfile() else b"") for m in tar.getmembers()]


def compare_lists(a, b, what, inner=None):
    for (name_a, meta_a, body_a), (name_b, meta_b, body_b) in zip(a, b):
        if name_a != name_b:
            return f"{what}: member {name_a} against {name_b} (another order or set)"
        if meta_a != meta_b:
            return f"{what}: member {name_a}: its header ({meta_a} against {meta_b})"
        if body_a != body_b:
            deeper = inner(name_a, body_a, body_b) if inner else None
            return deeper or describe_bytes(body_a, body_b, f"{what}: member {name_a}, ")
    if len(a) != len(b):
        return f"{what}: {len(a)} members against {len(b)}"
    return None


def compare_deb(a, b):
    def inner(name, body_a, body_b):
        if ".tar" in name:
            return compare_lists(tar_entries(body_a), tar_entries(body_b), f"member {name}")
        return None
    members = lambda data: [(n, h, body) for n, h, body in ar_members(data)]
    return compare_lists(members(a), members(b), "the .deb", inner)


def compare_zip(a, b):
    def entries(data):
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            return [(i.filename, (i.date_time, i.external_attr, i.extra, i.create_system), z.read(i)) for i in z.infolist()]
    return compare_lists(entries(a), entries(b), "the zip")


def main():
    a, b = (open(path, "rb").read() for path in sys.argv[1:3])
    if a == b:
        return 0
    name = sys.argv[1]
    try:
        if name.endswith(".deb"):
            where = compare_deb(a, b)
        elif name.endswith(".zip"):
            where = compare_zip(a, b)
        else:
            where = None
    except (ValueError, tarfile.TarError, zipfile.BadZipFile) as error:
        where = f"unreadable ({error})"
    print(where or describe_bytes(a, b, "") or "they differ")
    return 1


if __name__ == "__main__":
    sys.exit(main())
