#!/usr/bin/env python3
"""Draws the program's icon and writes res/app.ico.

Twelve images: 64, 48, 32 and 16 pixels square, each at 32-bit colour with alpha
(24-bit for the 32-pixel one), at 8-bit and at 4-bit colour. The picture is a
wooden archive crate with a green tick: a mod that is switched on.

Run it again after changing the drawing: python3 res/make_icon.py
"""
import os
import struct

SIZES = [64, 48, 32, 16]
SAMPLES = 4  # supersampling per axis, for smooth edges


def paint(x, y):
    """Colour (r, g, b, a) of the picture at (x, y), both in 0..1."""
    # Green badge with a white tick, lower right.
    bx, by, br = 0.72, 0.72, 0.25
    d2 = (x - bx) ** 2 + (y - by) ** 2
    if d2 <= br * br:
        if on_tick(x, y):
            return (255, 255, 255, 255)
        edge = d2 > (br - 0.035) ** 2
        return (20, 110, 40, 255) if edge else (46, 170, 70, 255)
    # Crate: a square of planks with a dark frame and a middle band.
    if 0.06 <= x <= 0.86 and 0.10 <= y <= 0.86:
        frame = x < 0.12 or x > 0.80 or y < 0.16 or y > 0.80
        band = 0.43 <= y <= 0.53
        if frame or band:
            return (92, 52, 20, 255)
        plank = int((y - 0.16) / 0.09) % 2
        return (196, 136, 70, 255) if plank else (178, 118, 56, 255)
    return (0, 0, 0, 0)


def on_tick(x, y):
    """The tick: two thick strokes inside the badge."""
    def near(ax, ay, bx, by, width):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= width * width
    return near(0.60, 0.73, 0.68, 0.81, 0.035) or near(0.68, 0.81, 0.84, 0.63, 0.035)


def render(size):
    """Rows of (r, g, b, a), top row first, averaged over SAMPLES x SAMPLES."""
    rows = []
    n = SAMPLES * SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = paint((px + (sx + 0.5) / SAMPLES) / size,
                                       (py + (sy + 0.5) / SAMPLES) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / n
            if acc[3]:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def palette_4bit():
    """The sixteen standard VGA colours."""
    return [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
            (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
            (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette_8bit():
    """A 6x6x6 colour cube followed by 40 greys."""
    levels = [0, 51, 102, 153, 204, 255]
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(round(i * 255 / 39),) * 3 for i in range(40)]
    return cube + greys


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def row_bytes(bits):
    """Pads a row of `bits` bits to a multiple of four bytes."""
    return ((bits + 31) // 32) * 4


def and_mask(rows, size):
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes(size))
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return data


def image(rows, size, bpp):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    palette = {8: palette_8bit(), 4: palette_4bit()}.get(bpp, [])
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bpp == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        elif bpp == 24:
            for r, g, b, a in row:
                line += bytes((b, g, r)) if a >= 128 else bytes(3)
        else:
            indices = [nearest(palette, p) if p[3] >= 128 else 0 for p in row]
            if bpp == 8:
                line += bytes(indices)
            else:
                for i in range(0, len(indices), 2):
                    second = indices[i + 1] if i + 1 < len(indices) else 0
                    line.append((indices[i] << 4) | second)
        line += bytes(row_bytes(size * bpp) - len(line))
        pixels += line
    mask = and_mask(rows, size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                         len(pixels) + len(mask), 0, 0, len(palette), 0)
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + pixels + mask


def main():
    images = []
    for size in SIZES:
        rows = render(size)
        for bpp in (24 if size == 32 else 32, 8, 4):
            images.append((size, bpp, image(rows, size, bpp)))

    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        colours = 16 if bpp == 4 else 0
        out += struct.pack('<BBBBHHII', size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, _, data in images)

    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'app.ico')
    with open(path, 'wb') as f:
        f.write(out)
    print(f'{path}: {len(images)} images, {len(out)} bytes')


if __name__ == '__main__':
    main()
