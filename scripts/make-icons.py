#!/usr/bin/env python3
"""Draws Quorvane's icon and writes resources/quorvane-16.png, -32.png, -48.png and quorvane.ico,
and the browser edition's maskable icon, web/quorvane-maskable-512.png.

The icon is a calculator whose display shows a level-up arrow. Each size has its own drawing on
the whole-pixel grid, so that edges stay sharp; shapes are filled with 8 x 8 samples a pixel.
The maskable icon is the 48 px drawing enlarged on a background that fills the square, inside
the circle in its middle (80 % of its width) that every mask leaves whole.
Needs nothing beyond Python 3. Run from the top folder: scripts/make-icons.py
"""
import os
import struct
import zlib

OUTLINE = (0x1B, 0x2A, 0x3D)
BODY = (0x3D, 0x5A, 0x80)
SHINE = (0x5D, 0x7E, 0xA8)
DISPLAY = (0xCF, 0xE6, 0xB8)
ARROW = (0x2F, 0x5D, 0x23)
KEY = (0xEC, 0xE6, 0xD3)
GOLD = (0xE3, 0xA2, 0x1A)
# The browser edition's theme colour, behind the maskable icon.
THEME = (0x3A, 0x6E, 0xA5)


def arrow(cx, top, half, stem_half, mid, bottom):
    """An upward arrow: tip at (cx, top), head down to y=mid, stem down to y=bottom."""
    return ("poly", [(cx, top), (cx + half, mid), (cx + stem_half, mid), (cx + stem_half, bottom),
                     (cx - stem_half, bottom), (cx - stem_half, mid), (cx - half, mid)])


def keys(xs, ys, w, h, r):
    shapes = []
    for row, y in enumerate(ys):
        for col, x in enumerate(xs):
            last = row == len(ys) - 1 and col == len(xs) - 1
            shapes.append((("rrect", x, y, w, h, r), GOLD if last else KEY))
    return shapes


# Shapes are painted in order, later ones over earlier ones: (shape, colour).
DRAWINGS = {
    48: [
        (("rrect", 6, 2, 36, 44, 6), OUTLINE),
        (("rrect", 7, 3, 34, 42, 5), BODY),
        (("rrect", 9, 4, 30, 2, 1), SHINE),
        (("rrect", 10, 7, 28, 15, 2), OUTLINE),
        (("rrect", 11, 8, 26, 13, 1), DISPLAY),
        (arrow(24, 9.5, 7, 3, 16, 20), ARROW),
    ] + keys([11, 20.5, 30], [25, 35], 7, 7, 1.5),
    32: [
        (("rrect", 4, 1, 24, 30, 4), OUTLINE),
        (("rrect", 5, 2, 22, 28, 3), BODY),
        (("rrect", 7, 4, 18, 10, 1), OUTLINE),
        (("rrect", 8, 5, 16, 8, 0.5), DISPLAY),
        (arrow(16, 5.5, 5, 2, 10, 13), ARROW),
    ] + keys([7, 14, 21], [17, 24], 4, 4, 1),
    16: [
        (("rrect", 2, 0, 12, 16, 2), OUTLINE),
        (("rrect", 3, 1, 10, 14, 1), BODY),
        (("rrect", 4, 2, 8, 6, 0), DISPLAY),
        (arrow(8, 2, 3, 1, 5, 8), ARROW),
    ] + keys([4, 9], [9, 12], 3, 2, 0),
}

SAMPLES = 8


def inside(shape, x, y):
    if shape[0] == "rrect":
        _, left, top, w, h, r = shape
        if not (left <= x < left + w and top <= y < top + h):
            return False
        # Distance from the nearest corner centre decides the rounded corners.
        cx = min(max(x, left + r), left + w - r)
        cy = min(max(y, top + r), top + h - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    points = shape[1]
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def scaled(shape, scale, shift):
    """The shape enlarged by scale about the origin, then moved by shift on both axes."""
    if shape[0] == "rrect":
        _, left, top, w, h, r = shape
        return ("rrect", left * scale + shift, top * scale + shift, w * scale, h * scale, r * scale)
    return ("poly", [(x * scale + shift, y * scale + shift) for x, y in shape[1]])


def maskable_drawing(size):
    """The 48 px drawing centred on a full background, its corners inside the middle circle."""
    scale = size * 0.4 / 28.5  # 28.5: the half diagonal of the 36 x 44 calculator, and a little
    shift = size / 2 - 24 * scale
    return [(("rrect", 0, 0, size, size, 0), THEME)] + [
        (scaled(shape, scale, shift), colour) for shape, colour in DRAWINGS[48]]


def render(size, drawing=None, samples=SAMPLES):
    """Rows of RGBA pixels, each channel 0..255."""
    drawing = drawing or DRAWINGS[size]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples
                    y = py + (sy + 0.5) / samples
                    for shape, colour in reversed(drawing):
                        if inside(shape, x, y):
                            r += colour[0]
                            g += colour[1]
                            b += colour[2]
                            a += 1
                            break
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / samples**2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_image(rows):
    """One icon image as a 32-bit bitmap with its AND mask, rows bottom up."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        line = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + colour + mask


def ico(images):
    count = len(images)
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    entries = b""
    data = b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                               offset + len(data))
        data += image
    return out + entries + data


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    images = []
    for size in (16, 32, 48):
        rows = render(size)
        with open(os.path.join(folder, f"quorvane-{size}.png"), "wb") as f:
            f.write(png(rows))
        images.append((size, ico_image(rows)))
    with open(os.path.join(folder, "quorvane.ico"), "wb") as f:
        f.write(ico(images))
    # Large and smooth edges: 3 x 3 samples a pixel are enough.
    web = os.path.join(folder, "..", "web", "quorvane-maskable-512.png")
    with open(web, "wb") as f:
        f.write(png(render(512, maskable_drawing(512), 3)))


if __name__ == "__main__":
    main()
