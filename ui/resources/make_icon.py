#!/usr/bin/env python3
"""Draws the program's icon (a white download arrow over a tray on a blue
rounded square) and writes it as tessavel.ico with 16, 24, 32, 48 and 256
pixel images. The pictures are computed, not drawn by hand, so they stay
crisp at every size: each pixel is supersampled 4 x 4 against the shapes.

Run: python3 ui/resources/make_icon.py  (rewrites ui/resources/tessavel.ico)
"""
import os
import struct
import zlib

BLUE_TOP = (0x2F, 0x80, 0xED)
BLUE_BOTTOM = (0x1A, 0x56, 0xB0)
WHITE = (0xFF, 0xFF, 0xFF)


def inside_rounded_square(x, y):
    # Unit coordinates 0..1; corner radius 0.18, margin 0.04.
    m, r = 0.04, 0.18
    lo, hi = m + r, 1 - m - r
    cx = min(max(x, lo), hi)
    cy = min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and m <= x <= 1 - m and m <= y <= 1 - m


def inside_arrow(x, y):
    # Shaft and head of an arrow pointing down, centred.
    if 0.42 <= x <= 0.58 and 0.16 <= y <= 0.50:
        return True
    # Head: triangle with apex (0.5, 0.68), base from (0.25, 0.44) to (0.75, 0.44).
    if 0.44 <= y <= 0.68:
        half = 0.25 * (0.68 - y) / 0.24
        return abs(x - 0.5) <= half
    return False


def inside_tray(x, y):
    # A U-shaped tray under the arrow.
    if 0.74 <= y <= 0.82 and 0.20 <= x <= 0.80:
        return True
    if 0.58 <= y <= 0.82 and (0.20 <= x <= 0.28 or 0.72 <= x <= 0.80):
        return True
    return False


def pixel(size, px, py):
    n = 4
    cover_bg = cover_fg = 0
    for sy in range(n):
        for sx in range(n):
            x = (px + (sx + 0.5) / n) / size
            y = (py + (sy + 0.5) / n) / size
            if inside_rounded_square(x, y):
                cover_bg += 1
                if inside_arrow(x, y) or inside_tray(x, y):
                    cover_fg += 1
    total = n * n
    if cover_bg == 0:
        return (0, 0, 0, 0)
    t = py / max(size - 1, 1)
    blue = tuple(round(a + (b - a) * t) for a, b in zip(BLUE_TOP, BLUE_BOTTOM))
    f = cover_fg / cover_bg
    rgb = tuple(round(b * (1 - f) + w * f) for b, w in zip(blue, WHITE))
    return rgb + (round(255 * cover_bg / total),)


def image(size):
    return [[pixel(size, x, y) for x in range(size)] for y in range(size)]


def bmp_entry(size, px):
    # BITMAPINFOHEADER with doubled height (XOR + AND masks), 32 bpp, bottom-up.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    andmask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    return header + bytes(xor) + bytes(andmask)


def png_entry(size, px):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in px)

    def chunk(kind, data):
        c = kind + data
        return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    sizes = [16, 24, 32, 48, 256]
    blobs = []
    for s in sizes:
        px = image(s)
        blobs.append(png_entry(s, px) if s == 256 else bmp_entry(s, px))
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, blob in zip(sizes, blobs):
        dim = 0 if s == 256 else s
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tessavel.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
