#!/usr/bin/env python3
# resources/make_pictures.py
#
# Draws the program's pictures and writes them beside this script: app.ico (a sheet of paper
# going into a shredder, strips coming out; 16, 24, 32 and 48 pixels at 32 bits, 16, 32 and
# 48 at 8 bits for XP, and 256 as PNG) and the two skin pictures, skin131.jpg (the shredder
# waiting for a sheet) and skin132.jpg (the shredder at work), 256 x 256, baseline JPEG.
# ImageMagick's convert draws and encodes; the icon file is assembled here. The outputs are
# checked in; run it again only to change the pictures: python3 make_pictures.py
import os, struct, subprocess, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

PAPER, PAPER_EDGE, INK = '#fdfdfb', '#8a949e', '#6d8bb0'
BODY, BODY_TOP, SLOT = '#34495e', '#4e6a86', '#10171e'
LED_ON, LED_OFF = '#2ecc71', '#c0392b'


def sheet(top, simple):
    # The sheet, its folded corner and its lines of text, in a 256 x 256 drawing.
    d = ['stroke %s' % PAPER_EDGE, 'stroke-width 4', 'fill %s' % PAPER,
         'polygon 68,%d 160,%d 192,%d 192,150 68,150' % (top, top, top + 32),
         'fill #dfe4ea', 'polygon 160,%d 160,%d 192,%d' % (top, top + 32, top + 32)]
    if not simple:
        d += ['stroke %s' % INK, 'stroke-width 7', 'stroke-linecap round']
        for k, right in enumerate((150, 176, 168, 176, 140)):
            y = top + 26 + 18 * k
            if y < 122:
                d.append('line 86,%d %d,%d' % (y, right, y))
    return d


def shredder(led):
    return ['stroke none', 'fill %s' % BODY, 'roundrectangle 20,112 236,182 14,14',
            'fill %s' % BODY_TOP, 'roundrectangle 20,112 236,134 14,10',
            'fill %s' % SLOT, 'roundrectangle 44,118 212,128 5,5',
            'fill %s' % led, 'circle 214,158 222,158']


def strips(lengths, simple):
    d = ['stroke %s' % PAPER_EDGE, 'stroke-width %d' % (5 if simple else 3), 'fill %s' % PAPER]
    step = 36 if simple else 22
    x = 60 if simple else 56
    for n in lengths:
        d.append('polygon %d,182 %d,182 %d,%d %d,%d' % (x, x + 14, x + 13, 182 + n, x + 1, 186 + n))
        x += step
    return d


def icon_drawing(simple):
    lengths = (52, 38, 58) if simple else (48, 62, 40, 66, 52, 44, 58)
    return sheet(12, simple) + shredder(LED_ON) + strips(lengths, simple)


def render(commands, size, path, background='none', extra=()):
    # Drawn at 4 x the size and reduced, so that every edge is smoothed alike at every size.
    scale = 4.0 * size / 256
    args = ['convert', '-size', '%dx%d' % (4 * size, 4 * size), 'xc:' + background,
            '-draw', 'scale %.5f,%.5f' % (scale, scale) + ' ' + ' '.join(commands),
            '-filter', 'box', '-resize', '%dx%d' % (size, size)]
    subprocess.run(args + list(extra) + [path], check=True)


def rgba_of(path, size):
    raw = subprocess.run(['convert', path, '-depth', '8', 'rgba:-'], check=True,
                         capture_output=True).stdout
    assert len(raw) == size * size * 4
    return raw


def mask_rows(size, transparent):
    # The 1-bit mask, rows bottom-up, each padded to 4 bytes; a set bit is transparent.
    stride = ((size + 31) // 32) * 4
    out = b''
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if transparent(x, y):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += bytes(row)
    return out


def dib32(size, rgba):
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    colour = b''.join(bytes((rgba[i + 2], rgba[i + 1], rgba[i], rgba[i + 3]))
                      for y in reversed(range(size)) for i in range(y * size * 4, (y + 1) * size * 4, 4))
    return header + colour + mask_rows(size, lambda x, y: rgba[(y * size + x) * 4 + 3] == 0)


def dib8(size, png, work):
    # 255 colours chosen by convert from the opaque picture; index 0 is the black of the
    # masked pixels.
    flat = os.path.join(work, 'flat%d.png' % size)
    subprocess.run(['convert', png, '-background', 'white', '-alpha', 'remove', '+dither',
                    '-colors', '255', flat], check=True)
    colours = rgba_of(flat, size)
    alpha = rgba_of(png, size)
    palette, index = [(0, 0, 0)], {}
    pixels = []
    for k in range(size * size):
        if alpha[k * 4 + 3] < 128:
            pixels.append(0)
            continue
        c = tuple(colours[k * 4:k * 4 + 3])
        if c not in index:
            index[c] = len(palette)
            palette.append(c)
        pixels.append(index[c])
    assert len(palette) <= 256
    palette += [(0, 0, 0)] * (256 - len(palette))
    stride = (size + 3) & ~3
    rows = b''.join(bytes(pixels[y * size:(y + 1) * size]) + bytes(stride - size)
                    for y in reversed(range(size)))
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 8, 0, len(rows), 0, 0, 256, 0)
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + table + rows + mask_rows(size, lambda x, y: alpha[(y * size + x) * 4 + 3] < 128)


def write_ico(path, entries):
    # entries: (size, bits, data); a size of 256 is stored as 0.
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, bits, data in entries:
        colours = 0
        out += struct.pack('<BBBBHHII', size & 0xFF, size & 0xFF, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data for _, _, data in entries))


def make_icon(work):
    entries = []
    pngs = {}
    for size in (256, 48, 32, 24, 16):
        png = os.path.join(work, 'icon%d.png' % size)
        render(icon_drawing(size <= 24), size, 'png32:' + png, extra=('-depth', '8'))
        pngs[size] = png
        if size == 256:
            entries.append((256, 32, open(png, 'rb').read()))
        else:
            entries.append((size, 32, dib32(size, rgba_of(png, size))))
    for size in (48, 32, 16):
        entries.append((size, 8, dib8(size, pngs[size], work)))
    write_ico(os.path.join(HERE, 'app.ico'), entries)


def make_skins():
    background = ['stroke none', 'fill #dde6ee', 'rectangle 0,0 256,256',
                  'fill #e9eff4', 'circle 128,120 128,250']
    # The sheet hangs above the slot; the arrow below the body shows where it goes.
    waiting = background + sheet(-40, False) + shredder(LED_OFF) + [
        'stroke none', 'fill %s' % INK, 'polygon 106,198 150,198 128,226',
        'rectangle 120,186 136,200']
    working = background + sheet(60, False) + shredder(LED_ON) + strips((40, 56, 34, 62, 48, 38, 54), False)
    for name, drawing in (('skin131.jpg', waiting), ('skin132.jpg', working)):
        render(drawing, 256, os.path.join(HERE, name), 'white',
               ('-strip', '-quality', '90', '-interlace', 'none', '-sampling-factor', '2x2'))


def main():
    with tempfile.TemporaryDirectory() as work:
        make_icon(work)
    make_skins()


if __name__ == '__main__':
    main()
