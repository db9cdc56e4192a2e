#!/usr/bin/env python3
# Writes the media player overlay's button glyphs as 24-bit BMP files, 16 x 12 each, on
# olive (the colour the overlay leaves out): for every button kind an enabled (EN), a
# disabled (DI) and a coloured (CL) one. They are committed, so this only runs when one of
# them is redrawn. The shapes are those the framework's own player draws with GDI.
import os
import struct
import sys

W, H = 16, 12
OLIVE = (0x80, 0x80, 0x00)  # clOlive, as (r, g, b)

def tri(a, b, c):
    return ('poly', (a, b, c))

def rect(l, t, r, b):
    return ('rect', (l, t, r, b))

SHAPES = {
    'MPPLAY': [tri((5, 1), (11, 6), (5, 11))],
    'MPPAUSE': [rect(4, 2, 7, 11), rect(9, 2, 12, 11)],
    'MPSTOP': [rect(4, 2, 12, 10)],
    'MPNEXT': [tri((2, 2), (7, 6), (2, 10)), tri((7, 2), (12, 6), (7, 10)), rect(12, 2, 14, 11)],
    'MPPREV': [rect(2, 2, 4, 11), tri((9, 2), (4, 6), (9, 10)), tri((14, 2), (9, 6), (14, 10))],
    'MPSTEP': [tri((4, 2), (10, 6), (4, 10)), rect(11, 2, 13, 11)],
    'MPBACK': [rect(3, 2, 5, 11), tri((12, 2), (6, 6), (12, 10))],
    'MPRECORD': [('round', (4, 2, 12, 10))],
    'MPEJECT': [tri((3, 7), (8, 2), (13, 7)), rect(3, 9, 14, 11)],
}

COLOURED = {'MPPAUSE': (224, 176, 0), 'MPSTOP': (0, 64, 200), 'MPEJECT': (0, 64, 200), 'MPRECORD': (208, 0, 0)}
GREEN = (0, 160, 0)
INK = (16, 16, 16)
RIM = (224, 224, 224)      # keeps a dark glyph readable on a dark skin's buttons
SHADOW = (128, 128, 128)

def inside(shape, x, y):
    kind, v = shape
    px, py = x + 0.5, y + 0.5
    if kind == 'rect':
        l, t, r, b = v
        return l <= px < r and t <= py < b
    if kind == 'round':
        l, t, r, b = v
        cx, cy, rx, ry = (l + r) / 2, (t + b) / 2, (r - l) / 2, (b - t) / 2
        return ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0
    # A triangle, either winding, its edges inside.
    (ax, ay), (bx, by), (cx, cy) = v
    def side(x0, y0, x1, y1):
        return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0)
    d1, d2, d3 = side(ax, ay, bx, by), side(bx, by, cx, cy), side(cx, cy, ax, ay)
    return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)

def mask(name, dx=0, dy=0):
    return [[any(inside(s, x - dx, y - dy) for s in SHAPES[name]) for x in range(W)] for y in range(H)]

def enabled(name, ink, rim):
    m = mask(name)
    img = [[OLIVE] * W for _ in range(H)]
    for y in range(H):
        for x in range(W):
            if m[y][x]:
                img[y][x] = ink
            elif rim and any(0 <= y + j < H and 0 <= x + i < W and m[y + j][x + i]
                             for j in (-1, 0, 1) for i in (-1, 0, 1)):
                img[y][x] = rim
    return img

def disabled(name):
    # Grey alone: an embossed light copy would read as lit on a dark skin's buttons.
    m = mask(name)
    return [[SHADOW if m[y][x] else OLIVE for x in range(W)] for y in range(H)]

def bmp24(img):
    stride = (W * 3 + 3) & ~3
    pixels = b''
    for row in reversed(img):
        line = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b) in row)
        pixels += line + bytes(stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54) + info + pixels

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
for name in SHAPES:
    for prefix, img in (('EN', enabled(name, INK, RIM)),
                        ('CL', enabled(name, COLOURED.get(name, GREEN), None)),
                        ('DI', disabled(name))):
        with open(os.path.join(out, f'{prefix.lower()}_{name.lower()}.bmp'), 'wb') as f:
            f.write(bmp24(img))
