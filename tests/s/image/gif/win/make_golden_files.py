# tests/s/image/gif/win/make_golden_files.py
#
# Writes GoldenGifs.h: small GIF files made by ImageMagick's convert (still, animated with
# delays, disposals, loop 0 and a transparent colour, interlaced, local tables) and one with
# no colour table, with each frame's RGBA pixels as convert decodes them and its values.
# Run: python3 make_golden_files.py > GoldenGifs.h
import os
import random
import subprocess
import tempfile


def ppm(path, w, h, pixels):
    with open(path, 'wb') as f:
        f.write(b'P6 %d %d 255\n' % (w, h) + bytes(c for p in pixels for c in p))


def colours(seed, n):
    rnd = random.Random(seed)
    return [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(n)]


def frames_of(path):
    out = subprocess.run(['identify', '-format', '%w %h %T %D\n', path], check=True, capture_output=True, text=True).stdout
    meta = [line.split() for line in out.strip().split('\n')]
    result = []
    for k, (w, h, delay, dispose) in enumerate(meta):
        rgba = subprocess.run(['convert', '%s[%d]' % (path, k), '-depth', '8', 'rgba:-'], check=True,
                              capture_output=True).stdout
        words = [rgba[4 * i + 3] << 24 | rgba[4 * i] << 16 | rgba[4 * i + 1] << 8 | rgba[4 * i + 2]
                 for i in range(int(w) * int(h))]
        disposal = {'Undefined': 0, 'None': 1, 'Background': 2, 'Previous': 3}[dispose]
        result.append((int(w), int(h), int(delay) * 10, disposal, words))
    return result


def build(d):
    files = []
    pal = colours(1, 6)
    still = [pal[(x * 3 + y) % 6] for y in range(4) for x in range(5)]
    ppm(os.path.join(d, 's.ppm'), 5, 4, still)
    subprocess.run(['convert', os.path.join(d, 's.ppm'), '+dither', os.path.join(d, 'still.gif')], check=True)
    files.append(('still', os.path.join(d, 'still.gif')))
    names = []
    for k in range(3):
        p = colours(10 + k, 5)
        px = [p[(x + y * k) % 5] for y in range(3) for x in range(4)]
        names.append(os.path.join(d, 'f%d.ppm' % k))
        ppm(names[-1], 4, 3, px)
    tr = colours(11, 5)[1]
    subprocess.run(['convert', '-loop', '0', '-dispose', 'None', '-delay', '7', names[0],
                    '-dispose', 'Background', '-delay', '20', '(', names[1], '-transparent',
                    '#%02X%02X%02X' % tr, ')', '-dispose', 'Previous', '-delay', '35', names[2],
                    '+dither', '+remap', os.path.join(d, 'anim.gif')], check=True)
    files.append(('animated', os.path.join(d, 'anim.gif')))
    pal = colours(3, 9)
    inter = [pal[(x + 2 * y) % 9] for y in range(10) for x in range(6)]
    ppm(os.path.join(d, 'i.ppm'), 6, 10, inter)
    subprocess.run(['convert', os.path.join(d, 'i.ppm'), '+dither', '-interlace', 'GIF', os.path.join(d, 'inter.gif')],
                   check=True)
    files.append(('interlaced', os.path.join(d, 'inter.gif')))
    return files


def transparent_indices(data):
    out, pos = [], 13 + (3 * (2 << (data[10] & 7)) if data[10] & 0x80 else 0)
    pending = -1
    while pos < len(data) and data[pos] != 0x3B:
        b = data[pos]
        if b == 0x21:
            if data[pos + 1] == 0xF9 and data[pos + 3] & 1:
                pending = data[pos + 6]
            pos += 2
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
        elif b == 0x2C:
            flags = data[pos + 9]
            pos += 10 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0) + 1
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
            out.append(pending)
            pending = -1
        else:
            pos += 1
    return out


def array(values, fmt, per):
    return '\n'.join('         ' + ', '.join(fmt % v for v in values[k:k + per]) + ','
                     for k in range(0, len(values), per))


print('// tests/s/image/gif/win/GoldenGifs.h')
print('//')
print('// Written by make_golden_files.py: GIF files from ImageMagick 6.9 and the frames it decodes.')
print('#pragma once')
print('#include <cstdint>')
print('#include <vector>\n')
print('namespace tests::image::gif {\n')
print('struct GoldenFrame {\n    int32_t width, height, delayMs, disposal, transparent;\n    std::vector<uint32_t> argb;\n};\n')
print('struct GoldenGif {\n    const char* name;\n    int32_t loopCount;\n    std::vector<uint8_t> file;\n'
      '    std::vector<GoldenFrame> frames;\n};\n')
# One table for the whole run: callers keep references into it.
print('inline const std::vector<GoldenGif>& goldenGifs() {\n    static const std::vector<GoldenGif> all = {')
with tempfile.TemporaryDirectory() as d:
    for name, path in build(d):
        data = open(path, 'rb').read()
        loop = 1
        at = data.find(b'NETSCAPE2.0')
        if at >= 0:
            loop = data[at + 13] | data[at + 14] << 8
        tis = transparent_indices(data)
        print('    {"%s", %d,\n     {\n%s\n     },\n     {' % (name, loop, array(list(data), '0x%02X', 20)))
        for (w, h, delay, disposal, words), ti in zip(frames_of(path), tis):
            print('      {%d, %d, %d, %d, %d,\n       {\n%s\n       }},' % (w, h, delay, disposal, ti, array(words, '0x%08Xu', 8)))
        print('     }},')
print('    };\n    return all;\n}\n\n}  // namespace tests::image::gif')
