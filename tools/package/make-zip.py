#!/usr/bin/env python3
"""make-zip.py OUT.zip FILE...: a zip of the files, side by side, that unpacks
with the right names wherever a Chinese user opens it.
make-zip.py --folder NAME OUT.zip FILE...: the files in one folder NAME, in
the order of their names, each readable by all (mode 0644), for a server.

Windows' own zip folders read a name in the system's code page unless they
understand the UTF-8 flag, which older ones do not; 7-Zip, WinRAR, Bandizip and
unzip read the Info-ZIP Unicode Path field. So each name is stored in GBK (code
page 936, the code page of Simplified Chinese Windows) with its UTF-8 form in
that field beside it. Every entry carries the time SOURCE_DATE_EPOCH gives, so
the same sources make the same zip."""

import os
import struct
import sys
import time
import zlib


def dos_time(epoch):
    t = time.gmtime(max(epoch, 315532800))  # a zip knows no time before 1980
    return ((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2),
            ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday)


def unicode_path_field(stored_name, name):
    utf8 = name.encode("utf-8")
    return struct.pack("<HHBI", 0x7075, 5 + len(utf8), 1, zlib.crc32(stored_name)) + utf8


def write_zip(out, paths, epoch, folder=None):
    mtime, mdate = dos_time(epoch)
    entries, offset = [], 0
    if folder:
        paths = sorted(paths, key=os.path.basename)
    with open(out, "wb") as zip_file:
        for path in paths:
            name = os.path.basename(path) if not folder else folder + "/" + os.path.basename(path)
            stored_name = name.encode("gbk")
            extra = b"" if name.isascii() else unicode_path_field(stored_name, name)
            data = open(path, "rb").read()
            packer = zlib.compressobj(9, zlib.DEFLATED, -15)
            packed = packer.compress(data) + packer.flush()
            crc = zlib.crc32(data)
            fields = (20, 0, 8, mtime, mdate, crc, len(packed), len(data), len(stored_name), len(extra))
            zip_file.write(struct.pack("<I5H3I2H", 0x04034B50, *fields) + stored_name + extra + packed)
            entries.append((fields, stored_name, extra, offset))
            offset = zip_file.tell()
        directory = b""
        for fields, stored_name, extra, entry_offset in entries:
            if folder:
                # Made by Unix, 2.0: a regular file of mode 0644.
                made_by, attributes = (3 << 8) | 20, 0o100644 << 16
            else:
                # Made by MS-DOS (FAT) 2.0: no Unix permissions to carry.
                made_by, attributes = 20, 0
            directory += struct.pack("<IH5H3I5H2I", 0x02014B50, made_by, *fields, 0, 0, 0, attributes, entry_offset)
            directory += stored_name + extra
        zip_file.write(directory)
        zip_file.write(struct.pack("<I4H2IH", 0x06054B50, 0, 0, len(entries), len(entries),
                                   len(directory), offset, 0))


if __name__ == "__main__":
    args = sys.argv[1:]
    folder = args[1] if args[:1] == ["--folder"] else None
    if folder:
        args = args[2:]
    if len(args) < 2:
        sys.exit("usage: make-zip.py [--folder NAME] OUT.zip FILE...")
    write_zip(args[0], args[1:], int(os.environ.get("SOURCE_DATE_EPOCH", time.time())), folder)
