#!/usr/bin/env bash
# Builds the shipped program (32-bit, Release, in build/i686 as scripts/test.sh configures it) and writes
# build/dist/Marrowpad-<version>-win32.zip: the stripped marrowpad.exe, the user guide 使用说明.txt
# (dist/, committed byte for byte) and SHA256SUMS of both. The version is the one of project() in
# CMakeLists.txt. The same sources give the same zip bytes: the executable carries no link time, and the
# entries have a fixed order, fixed permissions and the time of the last commit (or SOURCE_DATE_EPOCH).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
BUILD="${MARROWPAD_BUILD:-$ROOT/build}"
export CCACHE_BASEDIR="$(dirname "$ROOT")"

scripts/setup.sh

I686="$BUILD/i686"
[ -f "$I686/CMakeCache.txt" ] ||
  cmake -S . -B "$I686" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release --toolchain cmake/toolchain-i686-mingw.cmake >/dev/null
if ! grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$I686/CMakeCache.txt"; then
  echo "package: $I686 is not a Release build; remove it and run again" >&2
  exit 1
fi
cmake --build "$I686" --target marrowpad -j"$(nproc)"

version="$(sed -n 's/^#define MARROWPAD_VERSION_TEXT "\(.*\)"$/\1/p' "$I686/src/app/res/marrowpad_version.h")"
[ -n "$version" ] || { echo "package: no version in marrowpad_version.h" >&2; exit 1; }
stamp="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}"

stage="$BUILD/dist/stage"
rm -rf "$stage"
mkdir -p "$stage"
# strip writes the time into the PE header unless SOURCE_DATE_EPOCH names one: none, as the link writes.
SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip -o "$stage/marrowpad.exe" "$I686/bin/marrowpad.exe"
cp dist/使用说明.txt "$stage/"
(cd "$stage" && sha256sum marrowpad.exe 使用说明.txt > SHA256SUMS)

zip="$BUILD/dist/Marrowpad-$version-win32.zip"
python3 - "$stage" "$zip" "$stamp" <<'EOF'
import os, sys, time, zipfile
stage, target, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
when = time.gmtime(max(stamp, 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(target + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for name in ["marrowpad.exe", "使用说明.txt", "SHA256SUMS"]:  # fixed order
        entry = zipfile.ZipInfo(name, date_time=when)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3  # Unix, so that the mode below is what an unzip applies
        entry.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
        # zipfile marks a non-ASCII name as UTF-8 (flag bit 11) by itself.
        with open(os.path.join(stage, name), "rb") as source:
            archive.writestr(entry, source.read())
os.replace(target + ".tmp", target)
EOF

echo "package: $zip"
echo "  marrowpad.exe  $(stat -c %s "$stage/marrowpad.exe") bytes (stripped; $(stat -c %s "$I686/bin/marrowpad.exe") as built)"
echo "  zip            $(stat -c %s "$zip") bytes, sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
rm -rf "$stage"
