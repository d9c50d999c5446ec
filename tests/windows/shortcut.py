#!/usr/bin/env python3
"""Prints the target and the working folder of a Windows shortcut (.lnk), one a line.

Usage: shortcut.py <file.lnk>

The target comes from the link's location information (its base path and suffix), the folder
from its string data; either is an empty line when the link has none. The installer's test
holds them against the installed program and folder. Standard library only.
"""

import struct
import sys

HEADER_SIZE = 0x4C

# The link flags that say which parts follow the header, in the order they stand.
HAS_ITEM_ID_LIST = 0x01
HAS_LINK_INFO = 0x02
STRING_DATA = (0x04, 0x08, 0x10, 0x20, 0x40)  # name, relative path, folder, arguments, icon
HAS_WORKING_DIR = 0x10
IS_UNICODE = 0x80


def zero_ended(data, offset, unicode):
    """The text at offset up to its terminating zero (or the end of the data)."""
    width = 2 if unicode else 1
    end = offset
    while end + width <= len(data) and data[end:end + width] != bytes(width):
        end += width
    return data[offset:end].decode("utf-16-le" if unicode else "latin-1")


def read(data):
    """(target, working folder) of the shell link in data."""
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data, 0)[0] != HEADER_SIZE:
        raise ValueError("not a shell link")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = HEADER_SIZE
    if flags & HAS_ITEM_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        # A base path and a suffix, in Unicode too when the header is long enough to say where.
        size, header, _, _, base, _, suffix = struct.unpack_from("<7I", data, at)
        unicode = header >= 0x24
        if unicode:
            base, suffix = struct.unpack_from("<2I", data, at + 0x1C)
        target = zero_ended(data, at + base, unicode) + zero_ended(data, at + suffix, unicode)
        at += size
    wide = bool(flags & IS_UNICODE)
    strings = {}
    for flag in STRING_DATA:
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0] * (2 if wide else 1)
            text = data[at + 2:at + 2 + count].decode("utf-16-le" if wide else "latin-1")
            strings[flag] = text.rstrip("\0")
            at += 2 + count
    return target, strings.get(HAS_WORKING_DIR, "")


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__.strip().splitlines()[2])
    with open(argv[1], "rb") as file:
        data = file.read()
    try:
        target, folder = read(data)
    except (ValueError, struct.error) as error:
        sys.exit("%s: %s" % (argv[1], error))
    print(target)
    print(folder)


if __name__ == "__main__":
    main(sys.argv)
