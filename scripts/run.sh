#!/usr/bin/env bash
# Builds the x86_64 program and starts the panel from build/run/, beside stand-in WeChat windows when they
# are built. On your display when DISPLAY is set: the script then waits until you close the panel (Esc).
# Otherwise on an Xvfb of its own, which it stops again. Either way, once the panel shows, a screenshot of
# the screen is written to build/run/screenshot.png.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
BUILD="${MARROWPAD_BUILD:-$ROOT/build}"
export CCACHE_BASEDIR="$(dirname "$ROOT")"

scripts/setup.sh
[ -f "$BUILD/x86_64/CMakeCache.txt" ] || cmake -S . -B "$BUILD/x86_64" -G "Unix Makefiles" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo --toolchain cmake/toolchain-x86_64-mingw.cmake >/dev/null
cmake --build "$BUILD/x86_64" -j"$(nproc)" --target marrowpad

RUN="$BUILD/run"
mkdir -p "$RUN"
cp "$BUILD/x86_64/bin/marrowpad.exe" "$RUN/"

source scripts/wine-env.sh
start_display
start_wineserver

# ---- Stand-in WeChat windows (tests/standin): two instances with their own accounts and open chats, so
# that the panel has clients to follow. It follows the first; the drop-down switches to the other.
STANDIN="$BUILD/x86_64/bin/WeChat.exe"
if [ -f "$STANDIN" ]; then
  "$WINE64" "$STANDIN" --account 张三 --chat 李四 >/dev/null 2>&1 &
  sleep 1  # started in this order, listed in this order
  "$WINE64" "$STANDIN" --account 王五 --chat 钱八 >/dev/null 2>&1 &
  sleep 2
else
  echo "run: no stand-in WeChat.exe built yet; the panel starts without a client to follow"
fi
# ----

(cd "$RUN" && exec "$WINE64" marrowpad.exe) >/dev/null 2>&1 &
panel=$!
for _ in $(seq 150); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Marrowpad"' && break
  sleep 0.1
done
sleep 4  # time to find the clients, follow the first one's chat and paint
import -window root "$RUN/screenshot.png"
echo "run: screenshot in $RUN/screenshot.png"

if [ -z "$_marrowpad_own_display" ]; then
  echo "run: the panel runs on $DISPLAY; close it (Esc) to end"
  wait "$panel" || true
fi
