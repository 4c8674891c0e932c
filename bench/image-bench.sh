#!/usr/bin/env bash
# bench/image-bench.sh: image_bench's figures beside the host's tools doing the same work in
# this run: BMP decode and encode, quantizing to 256 colours and blending on 24 megapixels
# beside ImageMagick's convert, single-threaded (-limit thread 1) and with its default
# threads; GIF decode and encode of a 2-megapixel 256-colour picture and of a 50-frame
# animation (the files image_bench wrote) beside gifsicle and Pillow; the triangle-filter
# rescale of the 24-megapixel picture to a quarter and to twice each side beside convert
# -filter Triangle -resize, single-threaded. Needs a build (tools/test makes one in build/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${BUILD_DIR:-$src/build}
export WINE_BIN_DIR=$build/bin WINE_FIXTURE_DIR=$build/fixture
source "$src/tools/wine-session"
work=$WINE_FIXTURE_DIR/bench
# Debian's python3 has Pillow (python3-pil); a python3 earlier on the PATH may not.
python=${PYTHON:-/usr/bin/python3}
mkdir -p "$work"

secs() { local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N); awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'; }
mps() { awk -v s="$1" -v mp="${2:-24}" 'BEGIN { printf "%.1f", mp / s }'; }
mine() { awk -v w="$1" '$1 == w { print $2 }' <<<"$ours"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# The shortest of three runs, in seconds.
best() {
  local b=999999 t k
  for k in 1 2 3; do
    t=$(secs "$@")
    b=$(awk -v a="$b" -v t="$t" 'BEGIN { print (t < a) ? t : a }')
  done
  echo "$b"
}

ours=$("$src/tools/wine-exec" "$build/bin/image_bench.exe" 'T:\bench')
echo "$ours"
convert -size 6000x4000 gradient:red-blue -seed 1 -attenuate 0.2 +noise Uniform "$work/in.bmp"
convert "$work/in.bmp" "$work/in.mpc"
convert "$work/in.mpc" -alpha set -channel A -evaluate set 50% +channel "$work/over.mpc"
for threads in 1 default; do
  limit=(); [ "$threads" = 1 ] && limit=(-limit thread 1)
  declare -A im
  im[decode]=$(mps "$(secs convert "${limit[@]}" "$work/in.bmp" null:)")
  im[encode]=$(mps "$(secs convert "${limit[@]}" "$work/in.mpc" "BMP3:$work/out.bmp")")
  im[quantize]=$(mps "$(secs convert "${limit[@]}" "$work/in.mpc" +dither -colors 256 null:)")
  im[blend]=$(mps "$(secs convert "${limit[@]}" "$work/in.mpc" "$work/over.mpc" -composite null:)")
  for what in decode encode quantize blend; do
    mine=$(awk -v w="$what" '$1 == w { print $2 }' <<<"$ours")
    printf "ImageMagick (threads %s) %-9s %8s MP/s   ours / ImageMagick %s\n" "$threads" "$what" \
      "${im[$what]}" "$(awk -v a="$mine" -v b="${im[$what]}" 'BEGIN { printf "%.2f", a / b }')"
  done
done

# GIF: the same files, decoded and re-encoded by the host's tools. gifsicle keeps compressed
# data it need not change, so a horizontal flip makes it decode and encode every frame: its
# figure is decode and encode together, beside ours for the two together.
echo
for pic in gif:still:2 anim:anim:5; do
  IFS=: read -r what name mp <<<"$pic"
  file=$work/$name.gif
  enc=$(mine "$what-encode"); dec=$(mine "$what-decode")
  both=$(awk -v e="$enc" -v d="$dec" 'BEGIN { printf "%.1f", 1 / (1 / e + 1 / d) }')
  gs=$(mps "$(best gifsicle --no-warnings --flip-horizontal "$file" -o "$work/gs-$name.gif")" "$mp")
  read -r pd pe < <("$python" - "$file" "$work/pil-$name.gif" <<'PY'
import sys, time
from PIL import Image
src, out = sys.argv[1], sys.argv[2]
def decode():
    im = Image.open(src); frames = []
    for k in range(im.n_frames):
        im.seek(k); im.load(); frames.append(im.copy())
    return frames
td = []
for _ in range(3):
    t0 = time.perf_counter(); frames = decode(); td.append(time.perf_counter() - t0)
# Encoding from indexed frames, as ours: frame 0 is P; Pillow composites later frames to RGB(A), so
# each frame is taken again as P from the file's own first frame palette where it can.
im = Image.open(src)
raw = []
for k in range(im.n_frames):
    im.seek(k); raw.append(im.convert('RGB').quantize(256) if k else im.copy())
te = []
for _ in range(3):
    t0 = time.perf_counter()
    if len(raw) > 1:
        raw[0].save(out, save_all=True, append_images=raw[1:], duration=40, loop=0, disposal=1, optimize=False)
    else:
        raw[0].save(out, optimize=False)
    te.append(time.perf_counter() - t0)
mp = sum(f.size[0] * f.size[1] for f in raw) / 1e6
print('%.1f %.1f' % (mp / min(td), mp / min(te)))
PY
)
  printf "GIF %-5s ours decode %6s encode %6s both %6s MP/s | gifsicle decode+encode %6s (ours/gifsicle %s) | Pillow decode %6s encode %6s (ours/Pillow %s, %s)\n" \
    "$what" "$dec" "$enc" "$both" "$gs" "$(ratio "$both" "$gs")" "$pd" "$pe" "$(ratio "$dec" "$pd")" "$(ratio "$enc" "$pe")"
done

# Rescale, single-threaded convert on the same kind of picture; MP/s of the 24-megapixel source.
echo
# Debian's ImageMagick policy caps its pixel cache at 1 GiB of disk, below what 96 megapixels
# at 16 bits a sample need (it then stops at once with "cache resources exhausted" and would
# look fast): a policy of this run's own lifts the caps for these two commands.
mkdir -p "$work/policy"
cat >"$work/policy/policy.xml" <<'XML'
<policymap>
  <policy domain="resource" name="memory" value="4GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="disk" value="8GiB"/>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
</policymap>
XML
for size in quarter:25% twice:200%; do
  IFS=: read -r what pct <<<"$size"
  resize=(env MAGICK_CONFIGURE_PATH="$work/policy" convert -limit thread 1 "$work/in.mpc" -filter Triangle
          -resize "$pct" null:)
  "${resize[@]}" || { echo "rescale to $what: ImageMagick failed, no figure"; continue; }
  im=$(mps "$(best "${resize[@]}")")
  printf "rescale to %-7s ours %6s MP/s  ImageMagick (threads 1) %6s MP/s  ours / ImageMagick %s\n" \
    "$what" "$(mine "scale-$what")" "$im" "$(ratio "$(mine "scale-$what")" "$im")"
done
