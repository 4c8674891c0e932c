#!/usr/bin/env bash
# bench/codec-bench.sh: the JPEG and PNG codecs under Wine on a 24-megapixel picture, beside
# the host's tools on the same pixels in the same run: cjpeg/djpeg (the same libjpeg-turbo,
# when libjpeg-turbo-progs is installed) and ImageMagick's convert (JPEG when cjpeg is
# missing, and PNG). Prints MP/s and the ratios. Needs a build (tools/test makes one).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${BUILD_DIR:-$src/build}
export WINE_BIN_DIR=$build/bin WINE_FIXTURE_DIR=$build/fixture
source "$src/tools/wine-session"
work=$WINE_FIXTURE_DIR/codec-bench
mkdir -p "$work"

out=$("$src/tools/wine-exec" "$build/bin/codec_bench.exe" 'T:\codec-bench\photo.ppm')
echo "$out"
ppm=$work/photo.ppm
mp=24

# The best of three runs, in seconds.
best() {
  local b=999999 t0 t1 t k
  for k in 1 2 3; do
    t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N)
    t=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
    b=$(awk -v a="$b" -v t="$t" 'BEGIN { print (t < a) ? t : a }')
  done
  echo "$b"
}
rate() { awk -v mp="$mp" -v s="$1" 'BEGIN { printf "%.1f", mp / s }'; }
ours() { echo "$out" | awk -v w="$1" '$1" "$2 == w { print $3 }'; }

if command -v cjpeg >/dev/null && command -v djpeg >/dev/null; then
  jenc="cjpeg"; jdec="djpeg"
  je=$(best cjpeg -quality 90 -baseline -outfile "$work/host.jpg" "$ppm")
  jd=$(best djpeg -outfile /dev/null "$work/host.jpg")
else
  jenc="convert (JPEG q90)"; jdec="convert (JPEG)"
  je=$(best convert "$ppm" -quality 90 "$work/host.jpg")
  jd=$(best convert "$work/host.jpg" ppm:/dev/null)
fi
pe=$(best convert "$ppm" "$work/host.png")
# Our encoder always writes RGBA (colour type 6); convert writes an opaque picture as RGB.
# The same work for convert, to show what the fourth channel costs:
pe32=$(best convert "$ppm" "PNG32:$work/host32.png")
pd=$(best convert "$work/host.png" ppm:/dev/null)

echo
echo "Host, same pixels:"
printf '  %-22s %s MP/s\n' "$jenc" "$(rate "$je")" "$jdec" "$(rate "$jd")" \
       "convert (PNG encode)" "$(rate "$pe")" "convert (PNG32 encode)" "$(rate "$pe32")" \
       "convert (PNG decode)" "$(rate "$pd")"
echo
echo "Ratios (ours / host; targets: JPEG 0.8 or better, PNG 1.0 or better):"
awk -v a="$(ours 'jpeg encode')" -v b="$(rate "$je")" 'BEGIN { printf "  jpeg encode %.2f\n", a / b }'
awk -v a="$(ours 'jpeg decode')" -v b="$(rate "$jd")" 'BEGIN { printf "  jpeg decode %.2f\n", a / b }'
awk -v a="$(ours 'png encode')" -v b="$(rate "$pe")" 'BEGIN { printf "  png encode  %.2f\n", a / b }'
awk -v a="$(ours 'png encode')" -v b="$(rate "$pe32")" 'BEGIN { printf "  png encode  %.2f beside PNG32 (RGBA, as ours)\n", a / b }'
awk -v a="$(ours 'png decode')" -v b="$(rate "$pd")" 'BEGIN { printf "  png decode  %.2f\n", a / b }'
rm -rf "$work"
