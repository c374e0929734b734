#!/usr/bin/env python3
"""Draws the small vendor icons of the demo programs (16x16 and 32x32, 32-bit with alpha).

The .ico files are kept in the repository beside this script, so a build needs no Python; run it
again only to change the pictures:  python3 tools/demo/make_icons.py
"""
import os
import struct

SIZES = (16, 32)
# name: (fill colour, ring colour) as (R, G, B)
ICONS = {
    "northwind": ((0x1F, 0x5F, 0xBF), (0xCF, 0xE3, 0xFF)),
    "contoso": ((0x2E, 0x8B, 0x3E), (0xD5, 0xF5, 0xD0)),
    "fabrikam": ((0xE0, 0x7A, 0x10), (0xFF, 0xE9, 0xC4)),
    "adventure": ((0x6A, 0x3D, 0x9A), (0xE9, 0xDC, 0xF7)),
}


def pixel(x, y, size, fill, ring):
    """A filled disc with a light ring and a small white square in the middle."""
    centre = (size - 1) / 2.0
    dx, dy = x - centre, y - centre
    radius = size / 2.0 - 0.5
    dist2 = dx * dx + dy * dy
    if dist2 > radius * radius:
        return (0, 0, 0, 0)
    if dist2 > (radius - size / 8.0) ** 2:
        return ring + (0xFF,)
    if abs(dx) <= size / 8.0 and abs(dy) <= size / 8.0:
        return (0xFF, 0xFF, 0xFF, 0xFF)
    return fill + (0xFF,)


def image(size, fill, ring):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        for x in range(size):
            r, g, b, a = pixel(x, y, size, fill, ring)
            colour += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_row)
        for x in range(size):
            if pixel(x, y, size, fill, ring)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def icon(fill, ring):
    images = [image(size, fill, ring) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    os.makedirs(folder, exist_ok=True)
    for name, (fill, ring) in ICONS.items():
        with open(os.path.join(folder, name + ".ico"), "wb") as f:
            f.write(icon(fill, ring))


if __name__ == "__main__":
    main()
