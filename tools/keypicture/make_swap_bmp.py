#!/usr/bin/env python3
"""Draws the mode key's picture: two curved arrows, red over the top and blue under the
bottom, chasing each other clockwise round a circle, on the key's flat face colour.

Writes a 27 x 23, 24-bit uncompressed BMP (54-byte header, rows padded to 4 bytes, bottom
row first), 1986 bytes. Edges are blended by 8 x 8 supersampling so the small arcs stay
round; the background stays exactly the face colour.

    python3 tools/keypicture/make_swap_bmp.py tapkey/swap.bmp
"""

import math
import struct
import sys

WIDTH, HEIGHT = 27, 23
BACKGROUND = (236, 233, 216)
RED = (208, 24, 24)
BLUE = (24, 64, 200)

CX, CY = 13.5, 11.5  # centre of the circle, in pixels (y downwards)
RADIUS = 6.8
HALF_STROKE = 1.0
SAMPLES = 8


def angle_of(x, y):
    """Angle in degrees, counter-clockwise from the right, y upwards as on paper."""
    return math.degrees(math.atan2(CY - y, x - CX)) % 360


def on_arc(x, y, start, end):
    """On the ring between two angles, walking counter-clockwise from start to end."""
    if abs(math.hypot(x - CX, y - CY) - RADIUS) > HALF_STROKE:
        return False
    a = (angle_of(x, y) - start) % 360
    return a <= (end - start) % 360


def point_at(angle):
    t = math.radians(angle)
    return CX + RADIUS * math.cos(t), CY - RADIUS * math.sin(t)


def in_head(x, y, angle):
    """Inside the arrowhead at that angle of the ring, pointing clockwise."""
    px, py = point_at(angle)
    t = math.radians(angle)
    # Clockwise tangent in screen coordinates, and the outward normal.
    tx, ty = math.sin(t), math.cos(t)
    nx, ny = math.cos(t), -math.sin(t)
    along = (x - px) * tx + (y - py) * ty
    across = (x - px) * nx + (y - py) * ny
    length, half_width = 5.0, 3.8
    if along < 0 or along > length:
        return False
    return abs(across) <= half_width * (1 - along / length)


def colour_at(x, y):
    # The red arrow runs over the top from the left to its head on the right; the blue one
    # under the bottom from the right to its head on the left.
    if on_arc(x, y, 50, 178) or in_head(x, y, 50):
        return RED
    if on_arc(x, y, 230, 358) or in_head(x, y, 230):
        return BLUE
    return None


def pixel(col, row):
    counts = {}
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            c = colour_at(col + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES)
            if c is not None:
                counts[c] = counts.get(c, 0) + 1
    total = SAMPLES * SAMPLES
    covered = sum(counts.values())
    rgb = [BACKGROUND[i] * (total - covered) for i in range(3)]
    for c, n in counts.items():
        for i in range(3):
            rgb[i] += c[i] * n
    return tuple(round(v / total) for v in rgb)


def bmp():
    row_size = (WIDTH * 3 + 3) // 4 * 4
    image_size = row_size * HEIGHT
    header = struct.pack("<2sIHHI", b"BM", 54 + image_size, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, image_size, 3780, 3780, 0, 0)
    rows = []
    for row in reversed(range(HEIGHT)):  # the bottom row comes first
        line = bytearray()
        for col in range(WIDTH):
            r, g, b = pixel(col, row)
            line += bytes((b, g, r))
        line += bytes(row_size - len(line))
        rows.append(bytes(line))
    return header + info + b"".join(rows)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_swap_bmp.py OUTPUT.bmp")
    data = bmp()
    assert len(data) == 1986, len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
