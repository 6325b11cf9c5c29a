#!/usr/bin/env bash
# Runs the high-DPI test program (the first argument, a Windows executable) at 150 % scaling: in a Wine prefix
# of its own (the second argument, made on the first run) whose LogPixels is 144, on a display of its own as
# large as a 150 % screen, under a wineserver of its own. The other tests' prefix stays at 96 DPI.
set -euo pipefail
program="$1"
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG="${LANG:-zh_CN.UTF-8}" LC_ALL="${LC_ALL:-zh_CN.UTF-8}"
WINE64=/usr/lib/wine/wine64

xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -z "$xvfb" ] || kill "$xvfb" >/dev/null 2>&1 || true
}
trap cleanup EXIT

fdfile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 2400x1600x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fdfile")"
rm -f "$fdfile"

# The prefix is made and set before this run's server starts: a program started with the earlier settings
# (the desktop of a new prefix among them) would keep them for the server's whole life. Its own programs are
# started apart from this script's output, which the test harness reads until every holder has closed it.
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE64" wineboot -i </dev/null >/dev/null 2>&1 || true
fi
reg() { "$WINE64" reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144
# As the other tests' prefix has them: Chinese glyphs from WenQuanYi, and no window manager on this display.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /t REG_SZ /d "WenQuanYi Micro Hei"
reg 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Shell Dlg" /t REG_SZ /d "WenQuanYi Micro Hei"
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1

"$WINE64" "$program"
