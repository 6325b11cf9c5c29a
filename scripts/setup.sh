#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian machine.
# Safe to run again; each step checks first and is quick when all is in place.
#   - Debian packages (mingw-w64 posix compilers, wine64, Xvfb, fonts, ...)
#   - the zh_CN.UTF-8 and zh_TW.UTF-8 locales (Wine's code pages 936 and 950)
#   - the SQLite amalgamation for the Windows builds, pinned and checked by sha256
#   - a Wine prefix inside the build folder
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${MARROWPAD_BUILD:-$ROOT/build}"
mkdir -p "$BUILD"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

PACKAGES=(cmake make g++ clang libclang-rt-14-dev googletest libsqlite3-dev sqlite3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-x86-64-dev mingw-w64-i686-dev
  wine wine64 xvfb xauth x11-utils imagemagick fonts-wqy-microhei locales ccache)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm comes with the machine's Node.js; Debian's npm package is only a fallback.
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# zh_CN.UTF-8: Wine then uses code page 936, as Simplified Chinese Windows does. zh_TW.UTF-8 (950) for the
# tests on Traditional Chinese systems: without the generated locale Wine cannot even name a file in Chinese.
for loc in zh_CN zh_TW; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    echo "setup: generating the $loc.UTF-8 locale"
    grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$loc.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done

# SQLite amalgamation (3.53.2) as shipped inside the better-sqlite3 npm tarball.
SQLITE_DIR="$BUILD/third_party/sqlite"
SQLITE_SHA256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835
if [ ! -f "$SQLITE_DIR/sqlite3.c" ] || [ ! -f "$SQLITE_DIR/sqlite3.h" ]; then
  echo "setup: fetching the SQLite amalgamation"
  tmp="$(mktemp -d)"
  (cd "$tmp" && npm pack --silent better-sqlite3@12.11.1 >/dev/null)
  tarball="$tmp/better-sqlite3-12.11.1.tgz"
  echo "$SQLITE_SHA256  $tarball" | sha256sum -c --quiet -
  mkdir -p "$SQLITE_DIR"
  tar -xzf "$tarball" -C "$tmp" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
  mv "$tmp/package/deps/sqlite3/sqlite3.c" "$tmp/package/deps/sqlite3/sqlite3.h" "$SQLITE_DIR/"
  rm -rf "$tmp"
fi

# Wine prefix, kept inside the build folder so that a clean checkout starts clean.
WINE64=/usr/lib/wine/wine64
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix"
  "$WINE64" wineboot -i >/dev/null 2>&1 || true
  # The Chinese glyphs come from WenQuanYi; map the default UI face to it for any locale.
  "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Shell Dlg" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  wineserver -w
fi
echo "setup: ready"
