#!/usr/bin/env python3
"""Writes small seed inputs for the sprite-walk fuzz target: runs of 8-bit BMP files as the scene
stores them, and placement records with their trailer."""
import os
import struct
import sys


def bitmap(width, height, fill):
    stride = (width + 3) // 4 * 4
    rows = (bytes([fill]) * width + bytes(stride - width)) * height
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 0, 0, 256, 256)
    colours = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))
    size = 14 + len(header) + len(colours) + len(rows)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, 1078) + header + colours + rows


def cut(file, size):
    """The file cut to size bytes, with its bfSize saying so."""
    return file[:2] + struct.pack("<I", size) + file[6:size]


def placements(offsets):
    return b"".join(struct.pack("<IhhQ", 0, x, y, 0) for x, y in offsets) + bytes(4)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    seeds = {
        "one-frame": bitmap(6, 3, 1),
        "padded-run": bitmap(73, 3, 5) + bitmap(8, 2, 1),
        "padding-cut": cut(bitmap(6, 3, 1), 1078 + 6 * 3),
        "placements": placements([(-1, -32768), (158, 29), (232, 214)]),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as seed:
            seed.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
