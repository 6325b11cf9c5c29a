#!/usr/bin/env bash
# Builds every configuration and runs every test:
#   native (portable logic, AddressSanitizer + UBSan), x86_64 under wine64 and Xvfb,
#   i686 (the shipped program, compiled and linked only), and the fuzz targets for a bounded time.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
BUILD="${MARROWPAD_BUILD:-$ROOT/build}"
FUZZ_SECONDS="${MARROWPAD_FUZZ_SECONDS:-20}"
start=$(date +%s)
# Builds in other checkouts of this repository share the compiler cache.
export CCACHE_BASEDIR="$(dirname "$ROOT")"

scripts/setup.sh

configure() { # dir, extra cmake arguments...
  local dir="$1"; shift
  [ -f "$BUILD/$dir/CMakeCache.txt" ] || cmake -S . -B "$BUILD/$dir" -G "Unix Makefiles" "$@" >/dev/null
  cmake --build "$BUILD/$dir" -j"$(nproc)"
}
configure native -DCMAKE_BUILD_TYPE=Debug -DMARROWPAD_SANITIZE=ON
configure x86_64 -DCMAKE_BUILD_TYPE=RelWithDebInfo --toolchain cmake/toolchain-x86_64-mingw.cmake
configure i686 -DCMAKE_BUILD_TYPE=Release --toolchain cmake/toolchain-i686-mingw.cmake
configure fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARROWPAD_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

echo "== native tests"
ctest --test-dir "$BUILD/native" --output-on-failure -j"$(nproc)"

echo "== Windows tests under wine64"
source scripts/wine-env.sh
start_display own
start_wineserver
ctest --test-dir "$BUILD/x86_64" --output-on-failure --timeout 300

echo "== fuzzing, ${FUZZ_SECONDS}s per target"
shopt -s nullglob
for fuzzer in "$BUILD"/fuzz/bin/*_fuzz; do
  corpus="$BUILD/fuzz/corpus/$(basename "$fuzzer")"
  mkdir -p "$corpus"
  seeds="$ROOT/fuzz/seeds/$(basename "$fuzzer")"
  [ -d "$seeds" ] || seeds=""
  "$fuzzer" -max_total_time="$FUZZ_SECONDS" "$corpus" $seeds 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" = 0 ] || { echo "fuzzer $(basename "$fuzzer") failed"; exit 1; }
done

echo "== all tests passed in $(( $(date +%s) - start )) s"
