#!/usr/bin/env python3
# tests/s/image/bmp/win/make_golden.py
#
# Writes GoldenBmps.h: small BMP files made by ImageMagick's convert from one picture, each with
# the RGBA pixels ImageMagick itself reads back from the file (the reference the decoder must
# match). Top-down files are made here from a bottom-up one (ImageMagick writes none).
# Run from anywhere: python3 make_golden.py; needs convert on the PATH.
import os, struct, subprocess, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 7, 5

def picture(colours, alpha=False):
    px = []
    for y in range(H):
        for x in range(W):
            r, g, b = colours(x, y)
            a = (x * 40 + y * 13) % 256 if alpha else 255
            if alpha and x == 0: a = 0
            if alpha and x == 1: a = 255
            px.append((r, g, b, a))
    return px

def write_source(path, px, alpha):
    # Opaque pictures as PPM: ImageMagick writes 32-bit files for any source with an alpha channel.
    with open(path, 'wb') as f:
        if not alpha:
            f.write(b'P6\n%d %d\n255\n' % (W, H) + bytes(c for p in px for c in p[:3]))
            return
        f.write(b'P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' % (W, H))
        f.write(bytes(c for p in px for c in p))

def rich(x, y): return ((x * 37 + y * 11) % 256, (x * 5 + y * 61) % 256, (x * 97 + y * 3) % 256)
def sixteen(x, y):
    k = (x + y * W) % 16
    return ((k * 17) % 256, (255 - k * 16) % 256, (k * 53) % 256)
def two(x, y): return (0, 0, 0) if (x + y) % 2 else (255, 255, 255)

CASES = [
    # name, colours, alpha, ImageMagick options, why
    ('bmp3_24', rich, False, ['BMP3:'], '24-bit, 40-byte header, rows padded'),
    ('v5_24', rich, False, ['BMP:'], '24-bit, ImageMagick default 124-byte header'),
    ('bmp3_8', rich, False, ['-compress', 'None', '-type', 'Palette', 'BMP3:'], '8-bit palette'),
    ('v5_8', rich, False, ['-compress', 'None', '-type', 'Palette', 'BMP:'],
     '8-bit palette behind a 124-byte header'),
    ('bmp3_4', sixteen, False, ['-compress', 'None', '-type', 'Palette', 'BMP3:'], '4-bit palette'),
    ('bmp3_1', two, False, ['-compress', 'None', '-type', 'Palette', 'BMP3:'], '1-bit palette'),
    ('rle8', rich, False, ['-type', 'Palette', 'BMP3:'], '8-bit run-length compressed'),
    ('v5_32', rich, True, ['BMP:'], '32-bit BITFIELDS with alpha, 124-byte header'),
    ('bmp3_32', rich, True, ['-define', 'bmp3:alpha=true', 'BMP3:'], '32-bit with alpha, 40-byte header'),
    ('v5_565', rich, False, ['-define', 'bmp:subtype=RGB565', 'BMP:'], '16-bit 565 BITFIELDS, 124-byte header'),
    ('v5_555', rich, False, ['-define', 'bmp:subtype=RGB555', 'BMP:'], '16-bit 555 as BITFIELDS, 124-byte header'),
]

def top_down(data):
    # The same picture with a negative height and the rows in top-first order.
    off = struct.unpack_from('<I', data, 10)[0]
    w, h = struct.unpack_from('<ii', data, 18)
    bpp = struct.unpack_from('<H', data, 28)[0]
    stride = ((w * bpp + 31) >> 5) << 2
    rows = [data[off + i * stride: off + (i + 1) * stride] for i in range(h)]
    out = bytearray(data[:off]) + b''.join(reversed(rows)) + data[off + h * stride:]
    struct.pack_into('<i', out, 22, -h)
    return bytes(out)

def version4(data):
    # The same file with a 108-byte header: a 40-byte header's mask fields (present with
    # BITFIELDS) become the header's own, the rest of the 108 bytes is zero.
    size = struct.unpack_from('<I', data, 14)[0]
    masks = 12 if struct.unpack_from('<I', data, 30)[0] == 3 else 0
    grow = 108 - size - masks
    out = bytearray(data[:14 + size + masks]) + bytes(grow) + data[14 + size + masks:]
    struct.pack_into('<I', out, 14, 108)
    struct.pack_into('<I', out, 2, len(out))
    struct.pack_into('<I', out, 10, struct.unpack_from('<I', data, 10)[0] + grow)
    return bytes(out)

def version3(data):
    # The same file with a 40-byte header and, with BITFIELDS, the three masks behind it
    # (ImageMagick's own BMP3 BITFIELDS files leave the masks out).
    size = struct.unpack_from('<I', data, 14)[0]
    masks = data[14 + 40:14 + 52] if struct.unpack_from('<I', data, 30)[0] == 3 else b''
    off = struct.unpack_from('<I', data, 10)[0]
    out = bytearray(data[:14 + 40]) + masks + data[14 + size:]
    struct.pack_into('<I', out, 14, 40)
    struct.pack_into('<I', out, 2, len(out))
    struct.pack_into('<I', out, 10, off - (size - 40) + len(masks))
    return bytes(out)

def derived(tmp, entries, name, why, data, make):
    path = os.path.join(tmp, name + '.bmp')
    open(path, 'wb').write(make(data))
    entries.append((name, why, open(path, 'rb').read(), rgba_of(path)))

def rgba_of(path):
    return subprocess.run(['convert', path, '-depth', '8', 'rgba:-'], check=True,
                          capture_output=True).stdout

def main():
    entries = []
    with tempfile.TemporaryDirectory() as tmp:
        for name, colours, alpha, opts, why in CASES:
            src = os.path.join(tmp, name + ('.pam' if alpha else '.ppm'))
            write_source(src, picture(colours, alpha), alpha)
            dst = os.path.join(tmp, name + '.bmp')
            subprocess.run(['convert', src] + opts[:-1] + [opts[-1] + dst], check=True)
            data = open(dst, 'rb').read()
            entries.append((name, why, data, rgba_of(dst)))
            if name in ('bmp3_24', 'bmp3_8', 'bmp3_32'):
                derived(tmp, entries, name + '_topdown', why + ', top-down', data, top_down)
            if name == 'bmp3_24':
                derived(tmp, entries, 'v4_24', '24-bit, 108-byte header', data, version4)
            if name == 'v5_565':
                derived(tmp, entries, 'bmp3_565', '16-bit 565 BITFIELDS, masks behind a 40-byte header',
                        data, version3)
                derived(tmp, entries, 'v4_565', '16-bit 565 BITFIELDS, 108-byte header', data,
                        lambda d: version4(version3(d)))
    lines = ['// tests/s/image/bmp/win/GoldenBmps.h', '//',
             '// Generated by make_golden.py from ImageMagick ' +
             subprocess.run(['convert', '-version'], capture_output=True, text=True).stdout.split()[2] +
             ': BMP files and the RGBA pixels ImageMagick reads from them.',
             '#pragma once', '#include <cstdint>', '', 'namespace tests::image {', '',
             'struct GoldenBmp {', '    const char* name;', '    const char* why;',
             '    const uint8_t* bytes;', '    uint32_t size;', '    int32_t width, height;',
             '    const uint8_t* rgba;', '};', '']
    def arr(n, b):
        body = ',\n'.join('    ' + ', '.join('%d' % c for c in b[i:i + 24]) for i in range(0, len(b), 24))
        return ['inline const uint8_t %s[] = {' % n, body, '};']
    for name, why, data, rgba in entries:
        lines += arr('k_%s_file' % name, data) + arr('k_%s_rgba' % name, rgba)
    lines += ['', 'inline const GoldenBmp kGoldenBmps[] = {']
    for name, why, data, rgba in entries:
        lines.append('    {"%s", "%s", k_%s_file, %d, %d, %d, k_%s_rgba},' % (name, why, name, len(data), W, H, name))
    lines += ['};', '', '}  // namespace tests::image', '']
    open(os.path.join(HERE, 'GoldenBmps.h'), 'w').write('\n'.join(lines))

main()
