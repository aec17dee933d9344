#!/usr/bin/env python3
"""Turns the readable icon grid (appuntex-icon.txt) into a 32x32, 16-colour .ico.

usage: make_icon.py GRID ICO
"""
import struct
import sys

SIZE = 32
# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def read_grid(path):
    with open(path, encoding="ascii") as f:
        rows = [line.rstrip("\n") for line in f if not line.startswith("#")]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        sys.exit(f"{path}: expected {SIZE} rows of {SIZE} pixels")
    for y, row in enumerate(rows):
        bad = set(row) - set(".0123456789ABCDEF")
        if bad:
            sys.exit(f"{path}: row {y + 1}: unknown pixels {sorted(bad)}")
    return rows


def icon_bytes(rows):
    # Bitmaps are stored bottom-up. Each 4-bit row is 16 bytes and each mask row
    # 4 bytes, both already multiples of four, so no row padding is needed.
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        indices = [0 if p == "." else int(p, 16) for p in row]
        colour += bytes((indices[x] << 4) | indices[x + 1] for x in range(0, SIZE, 2))
        bits = 0
        for p in row:
            bits = (bits << 1) | (p == ".")
        mask += bits.to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    data = icon_bytes(read_grid(sys.argv[1]))
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
