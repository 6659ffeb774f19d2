#!/usr/bin/env python3
"""Draws the program icon (32 x 32, 16 colours) and writes it as data/glimmerix.ico.

A monitor whose screen shows the blue-to-red test gradient, with one glimmering
white pixel in it. Run again only to change the picture; the .ico is kept in data/.
"""
import struct
import sys

# The standard 16-colour palette, (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, PURPLE, SILVER, GREY, RED, BLUE, MAGENTA, WHITE, YELLOW = 0, 4, 5, 7, 8, 9, 12, 13, 15, 11
SIZE = 32


def draw():
    """Returns rows top to bottom of palette indexes, None for transparent."""
    px = [[None] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y][x] = c

    rect(1, 3, 31, 24, GREY)          # bezel
    rect(2, 4, 30, 23, BLACK)         # bezel inner edge
    gradient = [BLUE, BLUE, NAVY, NAVY, PURPLE, PURPLE, MAGENTA, MAGENTA, RED, RED]
    for i, y in enumerate(range(5, 22)):
        rect(3, y, 29, y + 1, gradient[i * len(gradient) // 17])
    rect(13, 24, 19, 27, GREY)        # neck
    rect(8, 27, 24, 29, SILVER)       # foot
    rect(8, 29, 24, 30, GREY)
    # The glimmering pixel: a white dot with a yellow sparkle.
    px[10][20] = WHITE
    for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
        px[10 + dy][20 + dx] = YELLOW
    px[8][20] = px[12][20] = px[10][18] = px[10][22] = WHITE
    return px


def ico(px):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):  # bottom-up
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "data/glimmerix.ico"
    with open(out, "wb") as f:
        f.write(ico(draw()))
