# tests/s/image/filters/scale/make_expected.py
#
# Prints the expected pixels of the rescale tests, from a separate reading of the triangle
# filter rescale in plain Python (double precision, as the library does). Run: python3 make_expected.py > ScaleExpected.inc
import math


def table(dst, src, support=1.0):
    scale = dst / src
    width, factor = (support, 1.0) if scale >= 1 else (support / scale, scale)
    taps = 2 * math.ceil(width) + 1
    tri = lambda x: support - abs(x) if abs(x) < support else 0.0
    records = []
    for i in range(dst):
        centre = i / scale
        left = max(0, math.floor(centre - width))
        right = min(src - 1, math.ceil(centre + width))
        taken = []
        for j in range(left, right + 1):
            w = tri((centre - j) * factor) * factor
            if w > 0 and len(taken) < taps:
                taken.append((j, w))
            elif taken:
                break
        if not taken:
            records.append([(src - 1 if right == src - 1 else left, 65536)])
            continue
        total = sum(w for _, w in taken)
        records.append([(j, int(w / total * 65536)) for j, w in taken])
    return records


def apply(record, pixels):
    if len(record) == 1:
        return pixels[record[0][0]]
    out = 0
    for shift in (0, 8, 16, 24):
        s = 0x8000 + sum(w * (pixels[j] >> shift & 0xFF) for j, w in record)
        out |= (s >> 16 & 0xFF) << shift
    return out


def scale(pixels, sw, sh, tw, th):
    rows = [pixels[i * sw:(i + 1) * sw] for i in range(sh)]
    if tw != sw:
        t = table(tw, sw)
        rows = [[apply(r, row) for r in t] for row in rows]
    if th != sh:
        t = table(th, sh)
        rows = [[apply(r, [rows[i][j] for i in range(sh)]) for j in range(tw)] for r in t]
    return [p for row in rows for p in row]


def source(w, h):
    return [0xFF000000 | ((k * 0x3B2A19 + 0x102030) & 0xFFFFFF) for k in range(w * h)]


# The rows of ScaleExpected.inc.
for sw, sh, tw, th in [(3, 2, 5, 3), (5, 4, 2, 3), (7, 1, 3, 1), (2, 5, 6, 2)]:
    print(f"{{{sw}, {sh}, {tw}, {th}, {{" + ", ".join(f"0x{p:08X}u" for p in scale(source(sw, sh), sw, sh, tw, th)) + "}},")
