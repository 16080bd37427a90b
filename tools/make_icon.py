#!/usr/bin/env python3
"""Draws the program's icon, a yellow grinning face on crimson, and writes it as a .ico.

The icon is one 32 x 32 image at 32 bits per pixel, opaque in every pixel (alpha 255,
AND mask all zero). Edges are smoothed by sampling each pixel on a fine grid and
mixing the colours, never by transparency.

    python3 tools/make_icon.py res/customer-display-toggle.ico
"""
import struct
import sys

SIZE = 32
SAMPLES = 8  # per pixel edge, for smooth outlines

CRIMSON = (0xE6, 0x0A, 0x48)
YELLOW = (0xF1, 0xF5, 0x46)
FEATURE = (0x4A, 0x14, 0x18)   # eyes and mouth outline: a dark red-brown
MOUTH = (0x9C, 0x0C, 0x30)     # inside of the mouth
TEETH = (0xFF, 0xFF, 0xF4)


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def colour_at(x, y):
    """The colour of the face at point (x, y), in pixels from the top-left corner."""
    if not inside_ellipse(x, y, 16.0, 16.0, 15.6, 15.6):
        return CRIMSON
    # Two small round eyes.
    for eye_x in (10.8, 21.2):
        if inside_ellipse(x, y, eye_x, 10.6, 2.3, 2.7):
            return FEATURE
    # A wide open grin: the lower half of an ellipse, outlined, teeth along its top.
    mouth_cx, mouth_top = 16.0, 16.6
    if y >= mouth_top and inside_ellipse(x, y, mouth_cx, mouth_top, 10.4, 9.6):
        if not inside_ellipse(x, y, mouth_cx, mouth_top, 9.0, 8.2) or y < mouth_top + 1.0:
            return FEATURE
        if y < mouth_top + 3.4:
            return TEETH
        return MOUTH
    return YELLOW


def pixel(px, py):
    """Averages the colour over the pixel's area."""
    total = [0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            for i in range(3):
                total[i] += c[i]
    n = SAMPLES * SAMPLES
    return tuple((t + n // 2) // n for t in total)


def ico_bytes():
    # Colour bits are stored bottom-up as BGRA, followed by the 1-bit AND mask.
    xor = bytearray()
    for py in reversed(range(SIZE)):
        for px in range(SIZE):
            r, g, b = pixel(px, py)
            xor += bytes((b, g, r, 255))
    and_mask = bytes(SIZE * (SIZE // 8))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + bytes(xor) + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(ico_bytes())
