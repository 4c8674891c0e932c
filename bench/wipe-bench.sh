#!/usr/bin/env bash
# bench/wipe-bench.sh [SIZE_MIB]: how fast the overwrite methods wipe a file on the local disk
# under Wine, beside the disk's write ceiling (dd with direct I/O and an fsync) and GNU shred
# with 1, 3 and 35 passes on a file of the same size, all measured in this run on the same
# folder. Needs a build (tools/test or tools/run makes one in build/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${BUILD_DIR:-$src/build}
size=${1:-256}
export WINE_BIN_DIR=$build/bin WINE_FIXTURE_DIR=$build/fixture
source "$src/tools/wine-session"
work=$WINE_FIXTURE_DIR/bench
mkdir -p "$work"

mbps() { awk -v bytes="$1" -v secs="$2" 'BEGIN { printf "%.1f", bytes / 1048576 / secs }'; }
timed() { local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N); awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'; }

bytes=$((size * 1048576))
dd_secs=$(timed dd if=/dev/zero of="$work/dd.bin" bs=10M count=$(( (size + 9) / 10 )) iflag=count_bytes \
          count="${bytes}" oflag=direct conv=fsync)
dd_rate=$(mbps "$bytes" "$dd_secs")
rm -f "$work/dd.bin"
declare -A shred_rate
for n in 1 3 35; do
  head -c "$bytes" /dev/zero > "$work/shred.bin"; sync "$work/shred.bin"
  secs=$(timed shred -n "$n" "$work/shred.bin")
  shred_rate[$n]=$(mbps $((bytes * n)) "$secs")
  rm -f "$work/shred.bin"
done

echo "Reference on $(df -h "$work" | awk 'NR==2 {print $1}'), $size MiB:"
echo "  dd (direct, fsync)   $dd_rate MB/s"
for n in 1 3 35; do echo "  shred -n $n           ${shred_rate[$n]} MB/s per pass"; done
echo
out=$("$src/tools/wine-exec" "$build/bin/wipe_bench.exe" "$size" 'T:\bench')
echo "$out" | grep -v '^RESULT'
echo
echo "Ratios (per-pass MB/s; shred -n 1 is one random pass, -n 3 and -n 35 mix patterns and random passes):"
echo "$out" | awk -v dd="$dd_rate" -v s1="${shred_rate[1]}" -v s3="${shred_rate[3]}" -v s35="${shred_rate[35]}" '
  /^RESULT/ {
    method = $2; kind = $3; rate = $4
    if (kind == "fixed") printf "  %-8s fixed passes %8.1f MB/s = %.2f of dd (target 0.80)\n", method, rate, rate / dd
    if (kind == "random") printf "  %-8s random passes %7.1f MB/s = %.2f of shred -n 1 (target 1.00)\n", method, rate, rate / s1
    if (kind == "all" && method == "gutmann") printf "  %-8s all 35 passes %6.1f MB/s = %.2f of shred -n 35\n", method, rate, rate / s35
    if (kind == "all" && method == "dod-e") printf "  %-8s all 3 passes %7.1f MB/s = %.2f of shred -n 3\n", method, rate, rate / s3
  }'

# Trees, each wiped whole by the console driver with each method, beside
# `find -exec shred -u -n N {} +` with the same pass count (and `shred -n 1 -u`) on the same
# tree, made afresh for every run; shred leaves the folders, which rm -r then takes, inside
# the timing. The trees: "wide" 10,000 files of 1-8 KB in 100 folders; "deep" a chain of 500
# nested folders with one small file at its end; "onefolder" 5,000 files of 1-8 KB in one
# folder; "chain" the same chain 1,000 folders deep. TREE_METHODS picks the methods (all
# four by default; Gutmann's 35 passes on 10,000 files take long), TREE_SHAPES the trees
# ("wide deep onefolder chain" by default). The machine's load is printed with each line:
# the disk and the processors are shared with whatever else runs.
declare -A passes=([gutmann]=35 [dod]=7 [dod-e]=3 [random]=1)
# The follow-up repeats (cuts, renames, attributes, stamps) the driver uses with each method.
declare -A repeats=([gutmann]=20 [dod]=15 [dod-e]=7 [random]=2)
tree_methods=${TREE_METHODS:-gutmann dod dod-e random}
make_files() {  # make_files DIR FOLDERS FILES_PER_FOLDER ("" folders: the files in DIR itself)
  python3 - "$1" "$2" "$3" <<'PY'
import os, random, sys
top, folders, per = sys.argv[1], sys.argv[2], int(sys.argv[3])
random.seed(1)
os.makedirs(top)
for d in ([os.path.join(top, "f%03d" % k) for k in range(int(folders))] if folders else [top]):
    os.makedirs(d, exist_ok=True)
    for n in range(per):
        with open(os.path.join(d, "file%04d.bin" % n), "wb") as f:
            f.write(os.urandom(random.randint(1024, 8192)))
PY
  sync
}
make_chain() {  # make_chain DIR LEVELS
  local p=$1; mkdir -p "$p"
  for _ in $(seq "$2"); do p=$p/d; done
  mkdir -p "$p"; head -c 3000 /dev/urandom > "$p/end.bin"; sync
}
make_wide() { make_files "$1" 100 100; }
make_deep() { make_chain "$1" 500; }
make_onefolder() { make_files "$1" "" 5000; }
make_chain1000() { make_chain "$1" 1000; }
shred_tree() { find "$1" -type f -exec shred -u -n "$2" {} + && rm -r "$1"; }
wipe_tree() { "$src/tools/wine-exec" "$build/bin/wipe_demo.exe" --method "$1" --destroy-beyond-recovery "$2"; }
load() { uptime | sed -E 's/.*load averages?: //'; }
echo
echo "Trees (seconds; each run on a fresh copy of the tree; ratio = ours / shred with the same passes):"
for shape in ${TREE_SHAPES:-wide deep onefolder chain}; do
  maker=make_$shape; [ "$shape" = chain ] && maker=make_chain1000
  for m in $tree_methods; do
    rm -rf "$work/tree"; "$maker" "$work/tree"
    ours=$(timed wipe_tree "$m" 'T:\bench\tree')
    left=$( (find "$work/tree" 2>/dev/null || true) | wc -l)
    rm -rf "$work/tree"; "$maker" "$work/tree"
    theirs=$(timed shred_tree "$work/tree" "${passes[$m]}")
    ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", b > 0 ? a / b : 0 }')
    line=$(printf "  %-9s %-7s %6.1f s   shred -n %-2s -u %6.1f s   ratio %5s" "$shape" "$m" "$ours" "${passes[$m]}" \
           "$theirs" "$ratio")
    if [ "${passes[$m]}" != 1 ]; then
      rm -rf "$work/tree"; "$maker" "$work/tree"
      once=$(timed shred_tree "$work/tree" 1)
      line="$line   shred -n 1 -u $(printf '%6.1f' "$once") s"
    fi
    echo "$line   (left behind: $left; load $(load))"
  done
done
rm -rf "$work/tree"

# Where the time of one item goes: bench/WipeCallBench.cpp replays the wiper's calls per
# item, by whole path as it made them before and through handles as it makes them now, on
# two fresh copies of the one-folder tree and of the 1,000-level chain (its 50 deepest
# folders: the cost at full depth), with the repeats of pseudo-random and of DoD E.
call_tree() {  # call_tree DIR files|chain
  if [ "$2" = files ]; then
    make_files "$1" "" 5000
  else
    local p=$1; for _ in $(seq 1000); do p=$p/d; done; mkdir -p "$p"
  fi
  : > "$1/.callbench"; sync
}
echo
echo "Calls per item (ms per item; path = by whole path, handle = through handles; load $(load)):"
for kind in files chain; do
  for m in random dod-e; do
    rm -rf "$work/bypath" "$work/byhandle"
    call_tree "$work/bypath" "$kind"; call_tree "$work/byhandle" "$kind"
    extra=; [ "$kind" = chain ] && extra=50
    out=$("$src/tools/wine-exec" "$build/bin/wipe_call_bench.exe" "$kind" "${repeats[$m]}" 'T:\bench\bypath' \
          'T:\bench\byhandle' $extra || true)
    echo "  $kind, repeats of $m (${repeats[$m]}):"
    echo "$out" | awk '/^STEP/ { plan = $2; n = split($0, q, "\""); step = q[2]; split(q[3], f, " ");
                                 printf "    %-6s %-30s %6s calls %9s ms\n", plan, step, f[1], f[2] }
                       /^TOTAL|^FAILED/ { print "    " $0 }'
  done
done
rm -rf "$work/bypath" "$work/byhandle"
