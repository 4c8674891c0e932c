#!/usr/bin/env python3
# tests/host/codec_host_check.py WINE-EXEC IMAGE-BENCH
#
# The JPEG, PNG, ICO and BMP codecs against the host's tools, in the test run itself (ctest
# starts it inside the Wine session): cjpeg's files decode under Wine to exactly the pixels
# djpeg gives (the same libjpeg-turbo), our baseline encode is byte for byte cjpeg's at the
# same quality, Pillow's PNGs of every colour type, depth, interlace and palette transparency
# and its icons (PNG-compressed entries) decode to Pillow's pixels, and our PNG and BMP output
# opens in Pillow with the picture's pixels. Works only in a fresh folder of the fixture drive.
import os, shutil, subprocess, sys

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

print('%d checks of the JPEG, PNG, ICO and BMP codecs against cjpeg, djpeg and Pillow, %d failures' % (
    checks[0], len(failures)))
if not failures:
    shutil.rmtree(work, ignore_errors=True)
sys.exit(1 if failures else 0)
