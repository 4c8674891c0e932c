#!/usr/bin/env python3
# tests/host/gif_host_check.py WINE-EXEC IMAGE-BENCH
#
# The GIF codec against the host's tools, in the test run itself (ctest starts it inside the
# Wine session): Pillow and gifsicle make still, animated (delays, disposals, sub-rectangle
# frames, local palettes, transparency) and interlaced files of heights 1 to 5; image_bench
# decodes each under Wine and every frame must equal what Pillow reads from the same frame
# (gifsicle --explode gives each frame on its own), placed where the file puts it in the set;
# then image_bench re-encodes each file and Pillow and gifsicle --info must read our output
# with the same frames, delays, loop count and pixels; pictures made by create at a colour
# depth of 1, 2, 4 and 8 bits are written at the depth of their store, and both tools read
# their table and indices. Works only in a fresh folder of the fixture drive. Exit status 0
# when every check holds.
import os, re, shutil, subprocess, sys

from PIL import Image

wine_exec, bench = sys.argv[1], sys.argv[2]
fixture = os.environ['WINE_FIXTURE_DIR']
work = os.path.join(fixture, 'gif-host-check')
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []
checks = [0]


def check(ok, what):
    checks[0] += 1
    if not ok:
        failures.append(what)
        print('FAILED:', what)


def wine_path(path):
    return 'T:\\' + os.path.relpath(path, fixture).replace('/', '\\')


def run_bench(*args):
    r = subprocess.run([wine_exec, bench] + [wine_path(a) if a.startswith(work) else a for a in args],
                       capture_output=True, text=True, timeout=60)
    return r.returncode == 0, r.stderr


def palette(colours, seed):
    pal = []
    for k in range(256):
        c = colours[k % len(colours)] if k < len(colours) else (0, 0, 0)
        pal += [(c[0] + seed) % 256, c[1], c[2]]
    return pal


COLOURS = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255), (255, 0, 255),
           (128, 64, 32), (200, 200, 200), (10, 20, 30), (90, 180, 45), (250, 128, 114), (64, 0, 128),
           (1, 2, 3), (33, 66, 99), (255, 255, 255)]


def indexed(w, h, fn, seed=0):
    im = Image.new('P', (w, h))
    im.putpalette(palette(COLOURS, seed))
    im.putdata([fn(x, y) for y in range(h) for x in range(w)])
    return im


def make_fixtures():
    files = {}
    still = os.path.join(work, 'pillow-still.gif')
    indexed(9, 7, lambda x, y: (x * 3 + y) % 16).save(still, transparency=3)
    files['pillow-still'] = still
    # later frames change a corner only: Pillow writes them as sub-rectangles at an offset
    base = lambda x, y: (x + 2 * y) % 8
    f0 = indexed(10, 8, base)
    f1 = indexed(10, 8, lambda x, y: 9 if 4 <= x < 7 and 2 <= y < 5 else base(x, y))
    f2 = indexed(10, 8, lambda x, y: 12 if x >= 6 and y >= 5 else base(x, y), seed=40)  # its own palette
    anim = os.path.join(work, 'pillow-anim.gif')
    f0.save(anim, save_all=True, append_images=[f1, f2], duration=[70, 120, 40], disposal=[1, 1, 2], loop=0,
            optimize=False)
    files['pillow-anim'] = anim
    inter = os.path.join(work, 'gifsicle-interlaced.gif')
    subprocess.run(['gifsicle', '--no-warnings', '-i', still, '-o', inter], check=True)
    files['gifsicle-interlaced'] = inter
    for h in range(1, 6):
        plain = os.path.join(work, 'h%d-plain.gif' % h)
        indexed(7, h, lambda x, y: (x + 5 * y) % 16).save(plain, interlace=False)
        out = os.path.join(work, 'gifsicle-interlaced-h%d.gif' % h)
        subprocess.run(['gifsicle', '--no-warnings', '-i', plain, '-o', out], check=True)
        files['gifsicle-interlaced-h%d' % h] = out
    parts = []
    for k in range(4):
        p = os.path.join(work, 'part%d.gif' % k)
        indexed(12, 9, lambda x, y: (x // 3 + y // 3 + (k if x > 6 and y > 4 else 0)) % 16).save(p)
        parts.append(p)
    opt = os.path.join(work, 'gifsicle-anim.gif')
    subprocess.run(['gifsicle', '--no-warnings', '-O2', '--delay', '25', '--loopcount=3', '--disposal', 'none']
                   + parts + ['-o', opt], check=True)
    files['gifsicle-anim'] = opt
    return files


def pillow_frames(path, name):
    """Each frame's own pixels (RGBA, transparent index as alpha 0) and place, by Pillow."""
    folder = os.path.join(work, name + '-explode')
    os.makedirs(folder)
    subprocess.run(['gifsicle', '--no-warnings', '-e', path, '-o', os.path.join(folder, 'f')], check=True)
    frames = []
    src = Image.open(path)
    for k, f in enumerate(sorted(os.listdir(folder))):
        im = Image.open(os.path.join(folder, f))
        box = im.tile[0][1]
        rgba = im.convert('RGBA').crop(box)
        src.seek(k)
        frames.append(dict(box=box, rgba=list(rgba.getdata()), delay=src.info.get('duration', 0),
                           disposal=getattr(src, 'disposal_method', 0), size=src.size))
    return frames


def read_bgra(path, w, h):
    data = open(path, 'rb').read()
    check(len(data) == w * h * 4, '%s holds %d x %d pixels' % (path, w, h))
    return [(data[k + 2], data[k + 1], data[k], data[k + 3]) for k in range(0, len(data), 4)]


def same_pixels(ours, theirs):
    return len(ours) == len(theirs) and all(
        (a[3] == 0 and b[3] == 0) or a == b for a, b in zip(ours, theirs))


def check_decode(name, path):
    expected = pillow_frames(path, name)
    out = os.path.join(work, name + '-ours')
    os.makedirs(out)
    ok, err = run_bench('frames', path, out)
    check(ok, '%s: image_bench frames (%s)' % (name, err.strip()))
    if not ok:
        return
    lines = open(os.path.join(out, 'frames.txt')).read().split('\n')
    check(len([l for l in lines if l and not l.startswith('set')]) == len(expected), '%s: frame count' % name)
    m = re.match(r'set (\d+) (\d+) loop (\d+)', [l for l in lines if l.startswith('set')][0])
    sw, sh = int(m.group(1)), int(m.group(2))
    screen = expected[0]['size']
    check((sw, sh) == screen, '%s: the set is the logical screen %s, not %dx%d' % (name, screen, sw, sh))
    for k, e in enumerate(expected):
        w, h, left, top, delay, disposal, _ = map(int, lines[k].split())
        x0, y0, x1, y1 = e['box']
        check((left, top, w, h) == (x0, y0, x1 - x0, y1 - y0), '%s frame %d: place %s' % (name, k, e['box']))
        check(delay == e['delay'], '%s frame %d: delay %d, Pillow %d' % (name, k, delay, e['delay']))
        check(disposal == e['disposal'], '%s frame %d: disposal %d, Pillow %d' % (name, k, disposal, e['disposal']))
        ours = read_bgra(os.path.join(out, 'frame-%d.bgra' % k), w, h)
        check(same_pixels(ours, e['rgba']), '%s frame %d: pixels as Pillow reads them' % (name, k))
        placed = read_bgra(os.path.join(out, 'set-%d.bgra' % k), sw, sh)
        want = [(0, 0, 0, 0)] * (sw * sh)
        for y in range(h):
            for x in range(w):
                want[(y + top) * sw + x + left] = e['rgba'][y * w + x]
        check(same_pixels(placed, want), '%s frame %d: placed at its offset, the margin transparent' % (name, k))


def composite(frames, screen):
    """What a viewer shows of our re-encoded file: each frame drawn over the last."""
    sw, sh = screen
    canvas = [(0, 0, 0, 0)] * (sw * sh)
    shown = []
    for e in frames:
        x0, y0, x1, y1 = e['box']
        w = x1 - x0
        for y in range(y1 - y0):
            for x in range(w):
                p = e['rgba'][y * w + x]
                if p[3]:
                    canvas[(y + y0) * sw + x + x0] = p
        shown.append(list(canvas))
    return shown


def check_encode(name, path):
    expected = pillow_frames(path, name + '-in')
    out = os.path.join(work, name + '-ours.gif')
    ok, err = run_bench('convert', path, out)
    check(ok, '%s: image_bench convert (%s)' % (name, err.strip()))
    if not ok:
        return
    info = subprocess.run(['gifsicle', '--info', out], capture_output=True, text=True)
    check(info.returncode == 0, '%s: gifsicle --info reads our file' % name)
    m = re.search(r'(\d+) images?', info.stdout)
    check(m and int(m.group(1)) == len(expected), '%s: gifsicle counts %s frames' % (name, m and m.group(1)))
    if len(expected) > 1:
        delays = [round(float(d) * 1000) for d in re.findall(r'delay ([0-9.]+)s', info.stdout)]
        check(delays == [e['delay'] for e in expected], '%s: gifsicle delays %s' % (name, delays))
        loop = Image.open(path).info.get('loop')
        check(Image.open(out).info.get('loop') == loop, '%s: loop count %s kept' % (name, loop))
    im = Image.open(out)
    check(im.n_frames == len(expected), '%s: Pillow counts %d frames' % (name, im.n_frames))
    want = composite(expected, expected[0]['size'])
    for k in range(min(im.n_frames, len(expected))):
        im.seek(k)
        got = list(im.convert('RGBA').getdata())
        # where nothing was drawn yet the viewer's background shows: only drawn pixels count
        check(all(w[3] == 0 or g == w for g, w in zip(got, want[k])) and len(got) == len(want[k]),
              '%s frame %d: Pillow shows our file as the original' % (name, k))


def check_made(depth):
    """A GIF made by create at a colour depth (image_bench made), written at its store's depth."""
    bits = 1 if depth == 1 else 4 if depth <= 4 else 8
    entries = 1 << bits
    out = os.path.join(work, 'made-%d.gif' % depth)
    ok, err = run_bench('made', str(depth), out)
    check(ok, 'depth %d: image_bench made (%s)' % (depth, err.strip()))
    if not ok:
        return
    info = subprocess.run(['gifsicle', '--info', out], capture_output=True, text=True)
    m = re.search(r'local color table \[(\d+)\]', info.stdout)
    check(info.returncode == 0 and m and int(m.group(1)) == entries,
          'depth %d: gifsicle reads a local table of %d colours (%s)' % (depth, entries, m and m.group(1)))
    im = Image.open(out)
    table = [((37 * k) % 256, (255 - 16 * k) % 256, (5 * k) % 256) for k in range(entries)]
    want_indices = [(x + 2 * y) % entries for y in range(5) for x in range(7)]
    check(im.size == (7, 5) and list(im.getdata()) == want_indices, 'depth %d: Pillow reads the indices' % depth)
    check(list(im.convert('RGB').getdata()) == [table[i] for i in want_indices],
          'depth %d: Pillow shows the colours of the table' % depth)


fixtures = make_fixtures()
for name, path in fixtures.items():
    check_decode(name, path)
    check_encode(name, path)
for depth in (1, 2, 4, 8):
    check_made(depth)
print('%d GIF files, %d checks against Pillow and gifsicle, %d failures' % (len(fixtures), checks[0], len(failures)))
for name, path in fixtures.items():
    print('  %-26s frames at %s' % (name, [f['box'] for f in pillow_frames(path, name + '-shown')]))
if not failures:
    shutil.rmtree(work, ignore_errors=True)
sys.exit(1 if failures else 0)
