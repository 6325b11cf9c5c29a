#!/usr/bin/env bash
# Builds the benchmarks and runs each, printing their figures one table after another:
#   the remark lookup natively (a build of its own without the sanitizers, so that the figures mean
#   something) and under Wine, then the client figures and the cost of one timer tick against stand-in
#   WeChat clients under Wine, ticks while a client does not answer, a send, and the real program's
#   start-up and holdings every 500 ticks over five thousand. Takes about half an hour; the search row by
#   row in the largest remark table and the five thousand ticks dominate.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
BUILD="${MARROWPAD_BUILD:-$ROOT/build}"
export CCACHE_BASEDIR="$(dirname "$ROOT")"

scripts/setup.sh

configure() { # dir, targets (comma-separated), extra cmake arguments...
  local dir="$1" targets="$2"; shift 2
  [ -f "$BUILD/$dir/CMakeCache.txt" ] || cmake -S . -B "$BUILD/$dir" -G "Unix Makefiles" "$@" >/dev/null
  cmake --build "$BUILD/$dir" -j"$(nproc)" --target ${targets//,/ } >/dev/null
}
configure native-release remark_lookup_bench -DCMAKE_BUILD_TYPE=Release
configure x86_64 remark_lookup_bench,client_bench,tick_bench,busy_client_bench,send_bench,panel_bench -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  --toolchain cmake/toolchain-x86_64-mingw.cmake

section() { printf '\n== %s\n' "$1"; }
# Runs one benchmark; one that fails is reported and the others still run. The exit status tells.
failed=0
bench() {
  "$@" && return
  local rc=$?
  echo "!! $(basename "${@: -1}") failed (exit $rc)"
  failed=1
}

section "remark lookup, native (Linux, Debian's SQLite, iconv GBK)"
bench "$BUILD/native-release/bin/remark_lookup_bench"

source scripts/wine-env.sh
start_display own
start_wineserver

section "remark lookup, under Wine (the program's SQLite and code page 936)"
bench "$WINE64" "$BUILD/x86_64/bin/remark_lookup_bench.exe"

section "following the client, under Wine"
bench "$WINE64" "$BUILD/x86_64/bin/client_bench.exe"

section "one timer tick, under Wine"
bench "$WINE64" "$BUILD/x86_64/bin/tick_bench.exe"

section "a send through the real program, under Wine"
bench "$WINE64" "$BUILD/x86_64/bin/send_bench.exe"

section "ticks while the client does not answer, under Wine"
bench "$WINE64" "$BUILD/x86_64/bin/busy_client_bench.exe"

section "the real program: start-up, five thousand ticks, a client that does not answer, under Wine"
bench "$WINE64" "$BUILD/x86_64/bin/panel_bench.exe"
exit "$failed"
