#!/usr/bin/env python3
# tests/host/codec_host_check.py WINE-EXEC IMAGE-BENCH
#
# The JPEG, PNG, ICO and BMP codecs against the host's tools, in the test run itself (ctest
# starts it inside the Wine session): cjpeg's files decode under Wine to exactly the pixels
# djpeg gives (the same libjpeg-turbo), our baseline encode is byte for byte cjpeg's at the
# same quality, Pillow's PNGs of every colour type, depth, interlace and palette transparency
# and its icons (PNG-compressed entries) decode to Pillow's pixels, icon entries of 16, 24 and 32
# bits with a colour table decode as ImageMagick and Pillow read them, and our PNG and BMP output
# opens in Pillow with the picture's pixels (the PNG interlaced, as Pillow and ImageMagick say).
# Works only in a fresh folder of the fixture drive.
import os, shutil, struct, subprocess, sys

from PIL import Image

wine_exec, bench = sys.argv[1], sys.argv[2]
fixture = os.environ['WINE_FIXTURE_DIR']
work = os.path.join(fixture, 'codec-host-check')
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []
checks = [0]


def check(ok, what):
    checks[0] += 1
    if not ok:
        failures.append(what)
        print('FAILED:', what)


def at(name):
    return os.path.join(work, name)


def convert(src, dst):
    """image_bench convert under Wine; true when it wrote dst."""
    wine = lambda p: 'T:\\' + os.path.relpath(p, fixture).replace('/', '\\')
    r = subprocess.run([wine_exec, bench, 'convert', wine(src), wine(dst)], capture_output=True, text=True,
                       timeout=60)
    check(r.returncode == 0 and os.path.exists(dst), 'image_bench convert %s %s: %s' % (
        os.path.basename(src), os.path.basename(dst), r.stderr.strip()))
    return r.returncode == 0 and os.path.exists(dst)


def rgba(path):
    return list(Image.open(path).convert('RGBA').getdata())


def decoded(src, name):
    """Our decoder's pixels of src as R, G, B, A tuples, or None."""
    out = at(name + '.bgra')
    if not convert(src, out):
        return None
    b = open(out, 'rb').read()
    return [(b[k + 2], b[k + 1], b[k], b[k + 3]) for k in range(0, len(b), 4)]


def same(ours, theirs):
    """Equal pixels; a fully transparent pixel's colour is the decoder's choice."""
    return ours is not None and len(ours) == len(theirs) and all(
        (a[3] == 0 and b[3] == 0) or a == b for a, b in zip(ours, theirs))


def picture(w, h, alpha):
    im = Image.new('RGBA' if alpha else 'RGB', (w, h))
    im.putdata([((x * 29 + y) % 256, (y * 53 + 7) % 256, (x * y * 7 + 3) % 256) + (((x * 37 + y * 11) % 256,)
                                                                                  if alpha else ())
                for y in range(h) for x in range(w)])
    return im


# JPEG: cjpeg's files, decoded as djpeg does; our encode as cjpeg's bytes
source = picture(13, 9, False)
source.save(at('photo.ppm'))
source.save(at('photo.bmp'))
for args, name in [(['-quality', '90'], 'q90'), (['-quality', '50', '-sample', '1x1'], 'q50-444'),
                   (['-quality', '75', '-progressive'], 'q75-progressive'), (['-grayscale'], 'grey')]:
    jpg = at('cjpeg-%s.jpg' % name)
    subprocess.run(['cjpeg'] + args + ['-outfile', jpg, at('photo.ppm')], check=True)
    subprocess.run(['djpeg', '-pnm', '-outfile', at('djpeg-%s.pnm' % name), jpg], check=True)
    check(same(decoded(jpg, 'ours-' + name), rgba(at('djpeg-%s.pnm' % name))),
          'cjpeg %s decodes to djpeg\'s pixels' % name)
subprocess.run(['cjpeg', '-baseline', '-quality', '75', '-outfile', at('cjpeg-75.jpg'), at('photo.ppm')], check=True)
if convert(at('photo.bmp'), at('ours-75.jpg')):
    check(open(at('ours-75.jpg'), 'rb').read() == open(at('cjpeg-75.jpg'), 'rb').read(),
          'our quality-75 encode is cjpeg -baseline -quality 75 byte for byte')

# PNG: Pillow's files of each kind decode to Pillow's pixels
kinds = {
    'rgba8': picture(9, 7, True),
    'rgb8': picture(9, 7, False),
    'grey8': picture(9, 7, False).convert('L'),
    'grey-alpha8': picture(9, 7, True).convert('LA'),
    'palette': picture(9, 7, False).quantize(16),
    'grey16': picture(9, 7, False).convert('L').point(lambda v: v * 257, 'I'),
    'bilevel': picture(9, 7, False).convert('1'),
}
pal = picture(9, 7, False).quantize(8)
pal.info['transparency'] = bytes([0, 255, 128, 255, 40, 255, 255, 255])
kinds['palette-trns'] = pal
for name, im in kinds.items():
    for interlace in (False, True):
        path = at('pillow-%s%s.png' % (name, '-adam7' if interlace else ''))
        if name == 'palette-trns':
            im.save(path, transparency=im.info['transparency'])
        elif name == 'grey16':
            im.save(path)
        else:
            im.save(path)
        if interlace:  # Pillow writes no interlaced PNG: ImageMagick re-writes the same pixels
            subprocess.run(['convert', path, '-interlace', 'PNG', path], check=True)
        theirs = rgba(path)
        if Image.open(path).mode.startswith('I'):  # Pillow clips 16-bit grey in convert: the high byte
            theirs = [(v >> 8,) * 3 + (255,) for v in Image.open(path).getdata()]
        check(same(decoded(path, os.path.basename(path)[:-4] + '-ours'), theirs),
              '%s decodes to Pillow\'s pixels' % os.path.basename(path))

# ICO: Pillow's icon (a PNG-compressed 32 x 32 entry) decodes to Pillow's pixels
icon_src = picture(32, 32, True)
icon_src.save(at('pillow.ico'), sizes=[(32, 32)])
check(same(decoded(at('pillow.ico'), 'pillow-ico-ours'), rgba(at('pillow.ico'))), 'Pillow\'s icon decodes to its pixels')

# ICO: DIB entries above 8 bits that carry a colour table (colours-used set) have their bits
# behind it. ImageMagick reads such 24- and 32-bit entries so; Pillow reads the bits from the
# header's end, so it is given the same entry without the table; ImageMagick reads no 16-bit
# entry at all.
def dib_icon(w, h, bits, table):
    stride = ((bits * w + 31) // 32) * 4
    rows = []
    for y in range(h):  # the file's rows run from the bottom
        row = b''
        for x in range(w):
            r, g, b = (x * 40) % 256, (y * 60 + 9) % 256, (x * y * 9 + 5) % 256
            if bits == 16:
                row += struct.pack('<H', (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
            else:
                row += bytes([b, g, r] + ([255] if bits == 32 else []))
        rows.append(row + b'\0' * (stride - len(row)))
    mask = b'\0' * (((w + 31) // 32) * 4 * h)
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bits, 0, 0, 0, 0, table, 0)
    colours = b''.join(bytes([k * 13 % 256, 255 - k, k * 7 % 256, 0]) for k in range(table))
    entry = header + colours + b''.join(rows) + mask
    return struct.pack('<HHHBBBBHHII', 0, 1, 1, w, h, 0, 0, 1, bits, len(entry), 22) + entry


def fields(pixel):
    """The 5-bit colour fields of a 16-bit pixel widened to 8 bits, and its alpha."""
    return tuple(c >> 3 for c in pixel[:3]) + (pixel[3],)


def magick_rgba(path, w, h):
    r = subprocess.run(['convert', path, '-depth', '8', 'rgba:-'], capture_output=True)
    b = r.stdout
    return [tuple(b[k:k + 4]) for k in range(0, len(b), 4)] if r.returncode == 0 and len(b) == 4 * w * h else None


for bits in (16, 24, 32):
    tabled, plain = at('table-%d.ico' % bits), at('plain-%d.ico' % bits)
    open(tabled, 'wb').write(dib_icon(7, 5, bits, 9))
    open(plain, 'wb').write(dib_icon(7, 5, bits, 0))
    ours, theirs = decoded(tabled, 'table-%d-ours' % bits), rgba(plain)
    if bits == 16 and ours:  # GDI widens 5 bits by repeating them, Pillow by scaling: the 5 bits count
        ours, theirs = [fields(p) for p in ours], [fields(p) for p in theirs]
    first = next((k for k in range(len(theirs)) if not ours or k >= len(ours) or ours[k] != theirs[k]), None)
    check(same(ours, theirs), 'a %d-bit icon entry with a colour table decodes to Pillow\'s pixels of it without '
          'the table (pixel %s: ours %s, Pillow\'s %s)' % (bits, first, ours and first is not None and first < len(
              ours) and ours[first], first is not None and theirs[first]))
    if bits != 16:
        theirs = magick_rgba(tabled, 7, 5)
        check(theirs is not None and same(ours, theirs),
              'a %d-bit icon entry with a colour table decodes to ImageMagick\'s pixels' % bits)

# Our output opens in Pillow with the picture's pixels (Pillow reads no alpha from a 32-bit BMP:
# for BMP the colours are compared)
for alpha in (False, True):
    src = at('source-%s.png' % ('rgba' if alpha else 'rgb'))
    picture(11, 6, alpha).save(src)
    for ext in ('png', 'bmp'):
        out = src[:-4] + '-ours.' + ext
        if convert(src, out):
            mine, want = rgba(out), rgba(src)
            if ext == 'bmp':
                mine = [m[:3] + (w[3],) for m, w in zip(mine, want)]
            check(same(mine, want), 'our %s of %s opens in Pillow with its pixels' % (ext, os.path.basename(src)))
            if ext == 'png':  # the format's defaults (a codec's newFromImage) interlace
                check(Image.open(out).info.get('interlace') == 1,
                      'Pillow reads our png of %s as interlaced' % os.path.basename(src))
                shown = subprocess.run(['identify', '-format', '%[interlace]', out], capture_output=True, text=True)
                check(shown.stdout.strip() == 'PNG', 'ImageMagick reads our png of %s as interlaced (%s)' % (
                    os.path.basename(src), shown.stdout.strip()))

print('%d checks of the JPEG, PNG, ICO and BMP codecs against cjpeg, djpeg and Pillow, %d failures' % (
    checks[0], len(failures)))
if not failures:
    shutil.rmtree(work, ignore_errors=True)
sys.exit(1 if failures else 0)
