#!/usr/bin/env bash
# Makes docs/screenshot.png: the editor at start-up on a virtual display,
# inside a Wine desktop window so that its caption shows.
#   QUILLET_BUILD_W64  build folder (default build-w64), holds the Wine prefix
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath -m "${QUILLET_BUILD_W64:-build-w64}")
out="$root/docs/screenshot.png"

bash scripts/install-deps.sh --windows --display
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target Quillet
mkdir -p "$root/docs"

export WINEPREFIX="$build/wineprefix" WINELOADER=/usr/lib/wine/wine64
wineserver -k 2>/dev/null || true
size=800x560
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1/tools/wine-run.sh" explorer /desktop=quillet,'"$size"' "$2/app/Quillet.exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 60); do
    sleep 0.5
    xdotool search --name "RPG特殊属性编辑器" >/dev/null 2>&1 && break
  done
  sleep 2  # let every control paint
  import -window root -crop '"$size"'+0+0 +repage "$3"
  wineserver -k
' _ "$root" "$build" "$out"
echo "wrote $out"
