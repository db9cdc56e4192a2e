#!/usr/bin/env python3
# Writes the engine's built-in bitmaps (track grooves and the system-menu glyphs) as BMP
# files; they are committed, so this only runs when one of them is redrawn.
import struct, sys, os

VGA16 = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
         0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB
INDEX = {'S': 7, 'G': 8, 'W': 15}

def bmp(width, height, bpp, palette, rows):
    """rows: top-down lists of palette indices."""
    stride = ((width * bpp + 31) // 32) * 4
    pixels = b''
    for row in reversed(rows):
        bits = 0
        nbits = 0
        out = bytearray()
        for v in row:
            bits = (bits << bpp) | v
            nbits += bpp
            if nbits == 8:
                out.append(bits); bits = 0; nbits = 0
        if nbits:
            out.append(bits << (8 - nbits))
        out += bytes(stride - len(out))
        pixels += bytes(out)
    pal = b''.join(struct.pack('<BBBB', c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in palette)
    offset = 14 + 40 + len(pal)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, len(pixels), 0, 0, len(palette), 0)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + info + pal + pixels

def rows_of(texts):
    return [[INDEX[c] for c in t] for t in texts]

track = rows_of(['SS' + 'G' * 12 + 'WW', 'SS' + 'W' * 14, 'GS' + 'W' * 14, 'SS' + 'W' * 14])
trackvert = rows_of(['SSGS', 'SSSS'] + ['GWWW'] * 12 + ['WWWW'] * 2)

# Four 16 x 16 glyphs, black (0) on white (1): restore, maximize, minimize, close.
def glyph(draw):
    g = [[1] * 16 for _ in range(16)]
    draw(g)
    return g

def outline(g, x0, y0, x1, y1, title=2):
    for x in range(x0, x1 + 1):
        for t in range(title):
            g[y0 + t][x] = 0
        g[y1][x] = 0
    for y in range(y0, y1 + 1):
        g[y][x0] = 0
        g[y][x1] = 0

def restore(g):
    outline(g, 6, 2, 13, 8)   # the window behind
    for y in range(4, 12):    # the window in front covers it
        for x in range(2, 10):
            g[y][x] = 1
    outline(g, 2, 5, 9, 11)

def maximize(g):
    outline(g, 2, 2, 13, 12)

def minimize(g):
    for y in (11, 12):
        for x in range(4, 11):
            g[y][x] = 0

def close(g):
    for i in range(9):
        for d in (0, 1):
            g[3 + i][3 + i + d] = 0
            g[3 + i][12 - i - d] = 0

glyphs = [glyph(f) for f in (restore, maximize, minimize, close)]
menu = [sum((gl[y] for gl in glyphs), []) for y in range(16)]

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
for name, data in (('track.bmp', bmp(16, 4, 4, VGA16, track)),
                   ('trackvert.bmp', bmp(4, 16, 4, VGA16, trackvert)),
                   ('pelagemenu.bmp', bmp(64, 16, 1, [0x000000, 0xFFFFFF], menu))):
    with open(os.path.join(out, name), 'wb') as f:
        f.write(data)
