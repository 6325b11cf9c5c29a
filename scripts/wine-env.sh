# Sourced by the scripts that run Windows programs: the Wine environment of this checkout,
# an Xvfb display of its own when none is given, and a persistent wineserver.
# Everything started here is stopped again when the sourcing script exits.
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
BUILD="${MARROWPAD_BUILD:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG="${MARROWPAD_LANG:-zh_CN.UTF-8}" LC_ALL="${MARROWPAD_LANG:-zh_CN.UTF-8}"
WINE64=/usr/lib/wine/wine64
export WINE64

_marrowpad_pids=()
_marrowpad_own_display=""
_marrowpad_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for p in "${_marrowpad_pids[@]}"; do kill "$p" >/dev/null 2>&1 || true; done
}
trap _marrowpad_cleanup EXIT

# start_display [own]: use $DISPLAY when set (unless "own"), else a new Xvfb on a free display number.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != own ]; then _marrowpad_own_display=""; return; fi
  _marrowpad_own_display=1
  local fdfile; fdfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  _marrowpad_pids+=($!)
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# A persistent wineserver, warmed up by one wine command before any test harness starts wine itself
# (a harness that started the first wine process of a persistent server was seen to hang).
# The warm-up also tells Wine whether a window manager looks after its windows: on our own Xvfb none does,
# and a managed window waits about 2 s for one at every hide or destroy.
start_wineserver() {
  wineserver -p
  if [ -n "$_marrowpad_own_display" ]; then
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  else
    "$WINE64" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  fi
}

# Windows path of a Linux path, as the programs under Wine see it.
winpath() { echo "Z:$(realpath "$1" | sed 's#/#\\#g')"; }
