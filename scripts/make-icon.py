#!/usr/bin/env python3
"""Writes the output program's icon: a blue disc crossed by a white cut line,
at 16 and 32 pixels, 32-bit colour. The .ico is committed; run this only to
change it:  python3 scripts/make-icon.py output/program/corvane_out.ico"""
import math
import struct
import sys


def pixels(size):
    rows = []
    centre = (size - 1) / 2
    radius = size / 2 - 0.5
    for y in range(size):
        row = []
        for x in range(size):
            inside = math.hypot(x - centre, y - centre) <= radius
            # The cut: a band along the rising diagonal.
            on_line = abs((x - centre) + (y - centre)) <= size / 10 and inside
            if on_line:
                row.append((255, 255, 255, 255))
            elif inside:
                row.append((0x15, 0x65, 0xC0, 255))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def image(size):
    rows = pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(struct.pack("BBBB", b, g, r, a)
                      for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # alpha decides; the AND mask lets all through
    return header + colour + mask


def main(path):
    sizes = (16, 32)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
