#!/usr/bin/env python3
"""Draws the application icon (a crescent moon with a small "z") into
staywick.ico as 32-bit images at 16, 24, 32, 48 and 64 pixels. Plain Python,
no imaging library: each pixel is supersampled 4 x 4 for smooth edges.
The 48 and 64 pixel images are stored as PNG (Windows Vista and later read
that inside an icon), which keeps the icon, and with it the exe, small; the
sizes the taskbar and tray load at start stay plain bitmaps."""
import struct
import sys
import zlib

PNG_FROM = 48


def coverage(size, inside):
    px = []
    n = 4
    for y in range(size):
        row = []
        for x in range(size):
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    u = (x + (sx + 0.5) / n) / size
                    v = (y + (sy + 0.5) / n) / size
                    hits += inside(u, v)
            row.append(hits / (n * n))
        px.append(row)
    return px


def moon(u, v):
    in_disc = (u - 0.46) ** 2 + (v - 0.54) ** 2 < 0.40 ** 2
    in_bite = (u - 0.66) ** 2 + (v - 0.40) ** 2 < 0.31 ** 2
    return in_disc and not in_bite


def zed(u, v):
    # A "z" in the upper right: top bar, bottom bar and the diagonal.
    x0, y0, s, t = 0.62, 0.08, 0.30, 0.07
    if not (x0 <= u <= x0 + s and y0 <= v <= y0 + s):
        return False
    lu, lv = (u - x0) / s, (v - y0) / s
    return lv < t / s or lv > 1 - t / s or abs((1 - lu) - lv) < 0.17


def pixels(size):
    """Top-down rows of (b, g, r, a) tuples."""
    m = coverage(size, moon)
    z = coverage(size, zed)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            a_m, a_z = m[y][x], z[y][x]
            # gold moon, white z over it
            r = 255 * a_z + 242 * a_m * (1 - a_z)
            g = 255 * a_z + 190 * a_m * (1 - a_z)
            b = 255 * a_z + 40 * a_m * (1 - a_z)
            a = a_z + a_m * (1 - a_z)
            if a > 0:
                r, g, b = r / a, g / a, b / a
            row.append((round(b), round(g), round(r), round(255 * a)))
        rows.append(row)
    return rows


def bitmap(size):
    rows = pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    body = b"".join(bytes(v for px in row for v in px) for row in reversed(rows))  # bottom-up DIB
    return header + body + b"\0" * (mask_row * size)


def png(size):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(v for b, g, r, a in row for v in (r, g, b, a))
                   for row in pixels(size))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def image(size):
    return png(size) if size >= PNG_FROM else bitmap(size)


def main(path):
    sizes = [16, 24, 32, 48, 64]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "staywick.ico")
