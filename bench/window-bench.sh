#!/usr/bin/env bash
# bench/window-bench.sh [FILES] [MIB]: window_bench in a Wine session of its own: the round
# trip of a message to the program's window and the age of the progress it shows during a
# run, and the run's wipe speed beside wipe_demo on files of the same sizes, all in the same
# run on the session's fixture drive. Needs a build (tools/test or tools/run makes one in
# build/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${BUILD_DIR:-$src/build}
export WINE_BIN_DIR=$build/bin WINE_FIXTURE_DIR=$build/fixture
source "$src/tools/wine-session"
"$src/tools/wine-exec" "$build/bin/window_bench.exe" "$@"
