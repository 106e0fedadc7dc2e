#!/usr/bin/env bash
# Builds the x86_64 editor and opens it under Wine, then says that it is up,
# on which display, and how to stop it. It needs a display; with
# QUILLET_XVFB=1 it opens on a virtual one (Xvfb) instead.
#   QUILLET_BUILD_W64  build folder (default build-w64), holds the Wine prefix
#   QUILLET_DPI        e.g. 144 for 150 %, in a Wine prefix of its own
#   QUILLET_LOCALE, QUILLET_FONTS  the system: see tools/wine-run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath -m "${QUILLET_BUILD_W64:-build-w64}")
say() { echo "run-editor.sh: $*"; }

virtual=0
if [ -z "${DISPLAY:-}" ]; then
  if [ "${QUILLET_XVFB:-0}" != 1 ]; then
    say "there is no display (DISPLAY is not set). Run it in a desktop session," >&2
    say "or set QUILLET_XVFB=1 to open the editor on a virtual display." >&2
    exit 1
  fi
  virtual=1
  bash scripts/install-deps.sh --windows --display
else
  bash scripts/install-deps.sh --windows
fi

say "building the editor in $build (the first build takes a few minutes)"
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target Quillet

WINEPREFIX=$("$root/tools/wine-run.sh" --prefix "$build")  # as QUILLET_FONTS, QUILLET_LOCALE and QUILLET_DPI name it
export WINEPREFIX WINELOADER=/usr/lib/wine/wine64
# Wine's desktop keeps the display of the first program of a session: start afresh.
wineserver -k 2>/dev/null || true

server="" editor=""
# The editor, its Wine processes, then the virtual display, each gone before the next.
stop() {
  [ -z "$editor" ] || kill "$editor" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
}
trap stop EXIT
trap 'trap - INT TERM; echo; say "stopping the editor"; exit 130' INT TERM
if [ $virtual = 1 ]; then
  # The first free display from :99 on, so that it can be named.
  n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

say "starting the editor under Wine (the first start makes its Wine prefix: about half a minute)"
"$root/tools/wine-run.sh" "$build/app/Quillet.exe" </dev/null &
editor=$!
# Up once its window is there; a start that fails says so through wine-run.sh.
up=0
for _ in $(seq 240); do
  kill -0 "$editor" 2>/dev/null || break
  if command -v xdotool >/dev/null; then
    xdotool search --name "RPG特殊属性编辑器" >/dev/null 2>&1 && { up=1; break; }
  elif pgrep -x Quillet.exe >/dev/null; then  # without xdotool: once Wine runs it, and a moment
    up=1; sleep 2; break
  fi
  sleep 0.5
done
if [ $up = 1 ]; then
  where="display $DISPLAY"
  [ $virtual = 0 ] || where="virtual display $DISPLAY (Xvfb; e.g. DISPLAY=$DISPLAY import -window root shot.png)"
  say "the editor is up on $where."
  say "Stop it with Ctrl+C here, or close its window."
fi
status=0
wait "$editor" || status=$?
say "the editor has ended (exit status $status)."
exit "$status"
