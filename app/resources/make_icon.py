#!/usr/bin/env python3
"""Draws the launcher's icon, a rounded blue square with a white "Z", into ZintuPortable.ico.

Three sizes (16, 32 and 48 pixels), each a 32-bit BMP image with alpha and an AND mask, so
that every Windows version shows it. Standard library only; run it again after a change:

    python3 app/resources/make_icon.py [output.ico]
"""

import os
import struct
import sys

SIZES = (16, 32, 48)
SUPERSAMPLING = 4  # samples per pixel along each axis, for smooth edges

TOP_COLOUR = (0x3B, 0x82, 0xF6)
BOTTOM_COLOUR = (0x1D, 0x4E, 0xD8)
LETTER_COLOUR = (0xFF, 0xFF, 0xFF)

# The drawing in unit coordinates: x to the right, y downwards, both 0..1.
MARGIN = 0.03
RADIUS = 0.22
LETTER_LEFT, LETTER_RIGHT = 0.26, 0.74
BAR = 0.13  # height of the top and bottom strokes
LETTER_TOP, LETTER_BOTTOM = 0.24, 0.76
DIAGONAL = 0.17  # horizontal width of the diagonal stroke


def in_rounded_square(x, y):
    low, high = MARGIN, 1.0 - MARGIN
    if not (low <= x <= high and low <= y <= high):
        return False
    # Distance into the corner region, if any.
    cx = min(max(x, low + RADIUS), high - RADIUS)
    cy = min(max(y, low + RADIUS), high - RADIUS)
    return (x - cx) ** 2 + (y - cy) ** 2 <= RADIUS**2


def in_letter(x, y):
    if not (LETTER_LEFT <= x <= LETTER_RIGHT and LETTER_TOP <= y <= LETTER_BOTTOM):
        return False
    if y <= LETTER_TOP + BAR or y >= LETTER_BOTTOM - BAR:
        return True
    # The diagonal runs from the top bar's right end down to the bottom bar's left end.
    span = (LETTER_BOTTOM - BAR) - (LETTER_TOP + BAR)
    t = (y - (LETTER_TOP + BAR)) / span
    left = (LETTER_RIGHT - DIAGONAL) + t * (LETTER_LEFT - (LETTER_RIGHT - DIAGONAL))
    return left <= x <= left + DIAGONAL


def pixel(size, px, py):
    """The (r, g, b, a) of one pixel, averaged over its samples."""
    r = g = b = a = 0.0
    n = SUPERSAMPLING
    for sy in range(n):
        for sx in range(n):
            x = (px + (sx + 0.5) / n) / size
            y = (py + (sy + 0.5) / n) / size
            if not in_rounded_square(x, y):
                continue
            if in_letter(x, y):
                colour = LETTER_COLOUR
            else:
                colour = tuple(t + (u - t) * y for t, u in zip(TOP_COLOUR, BOTTOM_COLOUR))
            r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
    if a == 0:
        return (0, 0, 0, 0)
    # Colour of the covered part; the coverage becomes the alpha.
    return (round(r / a), round(g / a), round(b / a), round(255 * a / (n * n)))


def bmp_image(size):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, then the AND mask."""
    rows = [[pixel(size, x, y) for x in range(size)] for y in range(size)]
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:  # transparent where alpha is not understood
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0
    )
    return header + bytes(colour) + bytes(mask)


def icon_file():
    images = [bmp_image(size) for size in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "ZintuPortable.ico")
    with open(target, "wb") as f:
        f.write(icon_file())
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
