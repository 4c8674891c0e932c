# tests/s/image/gif/win/make_golden.py
#
# Writes GoldenGifLzw.h: GIFs made by ImageMagick's convert from fixed pictures, reduced to what
# the LZW tests need (minimum code size, joined data sub-blocks, interlace flag) and the palette
# indices convert itself decodes them to. Run: python3 make_golden.py > GoldenGifLzw.h
import random
import subprocess
import tempfile
import os


def picture(width, height, colours, seed):
    rnd = random.Random(seed)
    palette = [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(colours)]
    palette = list(dict.fromkeys(palette))
    if seed % 2:
        pixels = [palette[rnd.randrange(len(palette))] for _ in range(width * height)]
    else:  # runs and stripes, so long strings build up in the table
        pixels = [palette[((x // 3) + (y // 2) * 5) % len(palette)] for y in range(height) for x in range(width)]
    return pixels


def first_image(gif):
    flags = gif[10]
    pos = 13 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0)
    while True:
        b = gif[pos]
        pos += 1
        if b == 0x21:
            pos += 1
            while gif[pos]:
                pos += gif[pos] + 1
            pos += 1
        elif b == 0x2C:
            w, h = gif[pos + 4] | gif[pos + 5] << 8, gif[pos + 6] | gif[pos + 7] << 8
            local = gif[pos + 8]
            pos += 9
            table = gif[13:] if not local & 0x80 else gif[pos:]
            ncol = 2 << ((local if local & 0x80 else flags) & 7)
            palette = [tuple(table[3 * k:3 * k + 3]) for k in range(ncol)]
            if local & 0x80:
                pos += 3 * ncol
            minsize = gif[pos]
            pos += 1
            data = b''
            while gif[pos]:
                data += gif[pos + 1:pos + 1 + gif[pos]]
                pos += gif[pos] + 1
            return w, h, bool(local & 0x40), minsize, data, palette


def make(width, height, colours, seed, interlace):
    pixels = picture(width, height, colours, seed)
    with tempfile.TemporaryDirectory() as d:
        ppm = os.path.join(d, 'in.ppm')
        with open(ppm, 'wb') as f:
            f.write(b'P6 %d %d 255\n' % (width, height) + bytes(c for p in pixels for c in p))
        gif = os.path.join(d, 'out.gif')
        subprocess.run(['convert', ppm, '+dither', '-interlace', 'GIF' if interlace else 'None', gif], check=True)
        data = open(gif, 'rb').read()
        rgb = subprocess.run(['convert', gif, '-depth', '8', 'rgb:-'], check=True, capture_output=True).stdout
    w, h, inter, minsize, lzw, palette = first_image(data)
    assert (w, h, inter) == (width, height, interlace)
    where = {}
    for k, p in enumerate(palette):
        where.setdefault(p, k)
    indices = [where[tuple(rgb[3 * k:3 * k + 3])] for k in range(width * height)]
    return minsize, lzw, indices


def array(values):
    out = []
    for k in range(0, len(values), 24):
        out.append('        ' + ', '.join('0x%02X' % v for v in values[k:k + 24]) + ',')
    return '\n'.join(out)


cases = [(23, 17, 4, 1, False), (31, 9, 16, 2, False), (40, 30, 200, 3, False), (72, 72, 256, 5, False),
         (64, 64, 7, 4, False), (10, 10, 5, 7, True), (9, 1, 3, 9, True), (9, 2, 3, 11, True),
         (9, 3, 3, 13, True), (9, 4, 3, 15, True), (13, 21, 30, 17, True), (1, 1, 2, 19, False)]
print('// tests/s/image/gif/win/GoldenGifLzw.h')
print('//')
print('// Written by make_golden.py from ImageMagick 6.9 GIF files: per picture its size, interlace,')
print('// minimum code size, joined LZW data and the palette indices ImageMagick decodes.')
print('#pragma once')
print('#include <cstdint>')
print('#include <vector>\n')
print('namespace tests::image::gif {\n')
print('struct GoldenLzw {\n    int32_t width, height;\n    bool interlaced;\n    int32_t minSize;')
print('    std::vector<uint8_t> data, indices;\n};\n')
print('inline std::vector<GoldenLzw> goldenLzw() {\n    return {')
for w, h, colours, seed, inter in cases:
    minsize, lzw, indices = make(w, h, colours, seed, inter)
    print('    {%d, %d, %s, %d,\n     {\n%s\n     },\n     {\n%s\n     }},' % (
        w, h, 'true' if inter else 'false', minsize, array(lzw), array(indices)))
print('    };\n}\n\n}  // namespace tests::image::gif')
