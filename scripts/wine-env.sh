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
_marrowpad_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for p in "${_marrowpad_pids[@]}"; do kill "$p" >/dev/null 2>&1 || true; done
}
trap _marrowpad_cleanup EXIT

# start_display [own]: use $DISPLAY when set (unless "own"), else a new Xvfb on a free display number.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != own ]; then return; fi
  local fdfile; fdfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  _marrowpad_pids+=($!)
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# A persistent wineserver, warmed up by one wine command before any test harness starts wine itself
# (a harness that started the first wine process of a persistent server was seen to hang).
start_wineserver() {
  wineserver -p
  "$WINE64" cmd /c exit >/dev/null 2>&1 || true
}

# Windows path of a Linux path, as the programs under Wine see it.
winpath() { echo "Z:$(realpath "$1" | sed 's#/#\\#g')"; }
