#!/usr/bin/env python3
"""Draws the application icon and writes it as Quillet.ico.

The picture is a parameter sheet (a title bar, three rows, each with a
colour swatch and a value line) with a quill across its right edge. It is
drawn from a few shapes given on a 16 x 16 grid and sampled at each pixel
centre, without smoothing, using only colours of the standard 16-colour
palette. So the 4-, 8- and 24-bit images of a size show the same pixels,
and the output is the same byte for byte on every run.

Usage: make-icon.py [output path]   (default: Quillet.ico next to this script)
"""
import math
import os
import struct
import sys

# The standard 16-colour palette, in its usual order.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, TEAL, SILVER, GREY = VGA[0], VGA[4], VGA[6], VGA[7], VGA[8]
RED, LIME, YELLOW, WHITE = VGA[9], VGA[10], VGA[11], VGA[15]

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 24)

SHEET = (1.0, 1.0, 12.5, 15.0)  # left, top, right, bottom on the 16-grid
TITLE_BOTTOM = 4.0
ROWS = (6.0, 9.0, 12.0)          # top of each row's swatch
SWATCHES = (RED, LIME, YELLOW)
QUILL_TOP = (15.3, 0.7)          # the feather's end
QUILL_NIB = (7.8, 12.6)          # the writing tip


def quill_colour(u, v):
    """Colour of the quill at grid point (u, v), or None outside it."""
    (ax, ay), (bx, by) = QUILL_TOP, QUILL_NIB
    length = math.hypot(bx - ax, by - ay)
    dx, dy = (bx - ax) / length, (by - ay) / length
    along = ((u - ax) * dx + (v - ay) * dy) / length  # 0 at the top, 1 at the nib
    across = abs((u - ax) * -dy + (v - ay) * dx)
    if along < 0.0 or along > 1.0:
        return None
    if along < 0.75:  # the vane: widest a third of the way down
        half = 1.7 * math.sin(math.pi * min(along / 0.75, 1.0) ** 0.8)
        if across <= 0.45:
            return NAVY
        return TEAL if across <= half else None
    if across <= 0.55 * (1.0 - along) / 0.25 + 0.2:  # the shaft narrowing to the nib
        return BLACK
    return None


def sheet_colour(u, v, border):
    """Colour of the sheet at grid point (u, v), or None outside it."""
    left, top, right, bottom = SHEET
    if not (left <= u < right and top <= v < bottom):
        return None
    if u < left + border or u >= right - border or v < top + border or v >= bottom - border:
        return GREY
    if v < TITLE_BOTTOM:
        return NAVY
    for row_top, swatch in zip(ROWS, SWATCHES):
        if row_top <= v < row_top + 2.0:
            if 2.5 <= u < 5.0:
                return swatch
            if 6.0 <= u < 11.0 and v >= row_top + 1.0:
                return SILVER
    return WHITE


def draw(size):
    """The picture at size x size pixels, top row first; None is transparent."""
    scale = 16.0 / size
    border = max(1, size // 24) * scale  # outline 1 pixel wide, 2 at 48
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            u, v = (x + 0.5) * scale, (y + 0.5) * scale
            colour = quill_colour(u, v)
            row.append(colour if colour is not None else sheet_colour(u, v, border))
        pixels.append(row)
    return pixels


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def dib(pixels, depth):
    """One icon image: header, palette, colour bits and mask, rows bottom-up."""
    size = len(pixels)
    palette = VGA + [(0, 0, 0)] * (256 - 16) if depth == 8 else VGA if depth == 4 else []
    index = {colour: i for i, colour in enumerate(VGA)}
    colour_rows, mask_rows = [], []
    for row in reversed(pixels):
        if depth == 24:
            bits = b"".join(bytes((c[2], c[1], c[0])) if c else b"\0\0\0" for c in row)
        else:
            codes = [index[c] if c else 0 for c in row]
            if depth == 8:
                bits = bytes(codes)
            else:
                bits = bytes(codes[i] << 4 | codes[i + 1] for i in range(0, size, 2))
        colour_rows.append(padded(bits))
        mask = 0
        for c in row:
            mask = mask << 1 | (c is None)
        mask_rows.append(padded(mask.to_bytes(size // 8, "big")))
    image = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, depth, 0, len(image), 0, 0, 0, 0)
    return header + b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + image


def icon_file():
    images = [(size, depth, dib(draw(size), depth)) for size in SIZES for depth in DEPTHS]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, depth, data in images:
        colours = 16 if depth == 4 else 0
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, depth, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "Quillet.ico")
    with open(path, "wb") as f:
        f.write(icon_file())


if __name__ == "__main__":
    main()
