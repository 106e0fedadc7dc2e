#!/usr/bin/env bash
# Builds the x86_64 editor and opens it under Wine. It needs a display; with
# QUILLET_XVFB=1 it opens on a virtual one (Xvfb) instead.
#   QUILLET_BUILD_W64  build folder (default build-w64), holds the Wine prefix
#   QUILLET_DPI        e.g. 144 for 150 %, in a Wine prefix of its own
#   QUILLET_LOCALE, QUILLET_FONTS  the system: see tools/wine-run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath -m "${QUILLET_BUILD_W64:-build-w64}")

xvfb=()
if [ -z "${DISPLAY:-}" ]; then
  if [ "${QUILLET_XVFB:-0}" != 1 ]; then
    echo "run-editor.sh: there is no display (DISPLAY is not set). Run it in a desktop session," >&2
    echo "or set QUILLET_XVFB=1 to open the editor on a virtual display." >&2
    exit 1
  fi
  bash scripts/install-deps.sh --windows --display
  xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")
else
  bash scripts/install-deps.sh --windows
fi

[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target Quillet

WINEPREFIX=$("$root/tools/wine-run.sh" --prefix "$build")  # as QUILLET_FONTS, QUILLET_LOCALE and QUILLET_DPI name it
export WINEPREFIX
# Wine's desktop keeps the display of the first program of a session: start afresh.
WINELOADER=/usr/lib/wine/wine64 wineserver -k 2>/dev/null || true
exec "${xvfb[@]}" "$root/tools/wine-run.sh" "$build/app/Quillet.exe"
