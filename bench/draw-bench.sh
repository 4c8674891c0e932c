#!/usr/bin/env bash
# bench/draw-bench.sh: draw_bench's frames per second (drawers into kept back buffers beside
# plain FillRect/DrawText/BitBlt, UI scale 1 and 2) in a Wine session of its own, with the
# session's Xvfb screen. Needs a build (tools/test or tools/run makes one in build/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${BUILD_DIR:-$src/build}
export WINE_BIN_DIR=$build/bin WINE_FIXTURE_DIR=$build/fixture
source "$src/tools/wine-session"
"$src/tools/wine-exec" "$build/bin/draw_bench.exe"
