#!/usr/bin/env bash
# bench/image-bench.sh: image_bench's figures (BMP decode and encode, quantizing to 256
# colours, blending, each on 24 megapixels) beside ImageMagick's convert doing the same work
# on the host in this run, single-threaded (-limit thread 1) and with its default threads.
# Needs a build (tools/test or tools/run makes one in build/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${BUILD_DIR:-$src/build}
export WINE_BIN_DIR=$build/bin WINE_FIXTURE_DIR=$build/fixture
source "$src/tools/wine-session"
work=$WINE_FIXTURE_DIR/bench
mkdir -p "$work"

secs() { local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N); awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'; }
mps() { awk -v s="$1" 'BEGIN { printf "%.1f", 24 / s }'; }

ours=$("$src/tools/wine-exec" "$build/bin/image_bench.exe")
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
