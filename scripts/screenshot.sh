#!/usr/bin/env bash
# Makes docs/screenshot.png: the editor at start-up on a virtual display, on
# a Chinese Windows system (the Windows prefix of tools/wine-run.sh),
# inside a Wine desktop window so that its caption shows; and
# docs/screenshot-file.png: the editor opened on a file made by prmtool, with
# "300" typed into a box and a table cell, the pointer resting on the box.
#   QUILLET_BUILD_W64     build folder (default build-w64), holds the Wine prefix
#   QUILLET_BUILD_NATIVE  build folder of prmtool (default build-native)
#   QUILLET_DPI           144 makes docs/screenshot-144dpi.png instead, the
#                         editor at start-up at 150 %, in a Wine prefix of its own
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath -m "${QUILLET_BUILD_W64:-build-w64}")
dpi=${QUILLET_DPI:-96}
# A Chinese Windows system (tools/wine-run.sh).
prefix=$(QUILLET_FONTS=windows QUILLET_LOCALE=zh_CN QUILLET_DPI=$dpi "$root/tools/wine-run.sh" --prefix "$build")
if [ "$dpi" = 96 ]; then
  out="$root/docs/screenshot.png" size=800x560
else
  # laid out a size larger (README): a desktop a ninth larger holds it
  out="$root/docs/screenshot-${dpi}dpi.png" size=$((890 * dpi / 96))x$((625 * dpi / 96))
fi

bash scripts/install-deps.sh --windows --display
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target Quillet
native=$(realpath -m "${QUILLET_BUILD_NATIVE:-build-native}")
[ -f "$native/CMakeCache.txt" ] || cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$native" -j2 --target prmtool
mkdir -p "$root/docs"
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
"$native/tools/prmtool/prmtool" new --advanced "$sample/game.prm"
"$native/tools/prmtool/prmtool" set "$sample/game.prm" levelUpHp[0]=12 \
  'spriteAttributeTable=[{"level":1,"category":"魔法","itemId":3,"spriteAttributeId":4},{"level":5,"category":"道具","itemId":12,"spriteAttributeId":2}]'

export WINEPREFIX="$prefix" WINELOADER=/usr/lib/wine/wine64 QUILLET_DPI="$dpi" QUILLET_LOCALE=zh_CN QUILLET_FONTS=windows
"$root/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1  # makes the prefix first, outside the clock
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
  "$1/tools/wine-run.sh" explorer /desktop=quillet,'"$size"' "$2/app/Quillet.exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 60); do
    sleep 0.5
    xdotool search --name "RPG特殊属性编辑器" >/dev/null 2>&1 && break
  done
  sleep 5  # let every control paint, on a busy machine too
  import -window root -crop '"$size"'+0+0 +repage "$3"
  wineserver -k
  [ -n "$5" ] || exit 0

  "$1/tools/wine-run.sh" explorer /desktop=quillet,'"$size"' "$2/app/Quillet.exe" "Z:$4/game.prm" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 60); do
    sleep 0.5
    xdotool search --name "RPG特殊属性编辑器" >/dev/null 2>&1 && break
  done
  sleep 2
  # Positions at 96 DPI in the 800x560 desktop: the 物品ID cell of row 2, then the first R box.
  xdotool mousemove 597 355 click --repeat 2 --delay 80 1; sleep 0.5
  xdotool key End BackSpace BackSpace BackSpace; xdotool type 300; xdotool key Return; sleep 0.5
  xdotool mousemove 298 92 click 1; sleep 0.3
  xdotool key End BackSpace BackSpace BackSpace; xdotool type 300; sleep 0.3
  xdotool mousemove 300 94; sleep 0.2; xdotool mousemove 302 93; sleep 1.5  # the tip shows after a rest
  import -window root -crop '"$size"'+0+0 +repage "$5"
  wineserver -k
' _ "$root" "$build" "$out" "$sample" "$([ "$dpi" = 96 ] && echo "$root/docs/screenshot-file.png")"
echo "wrote $out"
