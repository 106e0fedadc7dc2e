#!/usr/bin/env bash
# Builds the Windows editor and its tests for x86_64 and i686 and runs the
# x86_64 tests under Wine, headless. The i686 build is compiled and linked
# only: this kernel cannot run 32-bit programs.
#   QUILLET_BUILD_W64  build folder for x86_64 (default build-w64), holds the Wine prefix
#   QUILLET_BUILD_W32  build folder for i686 (default build-w32)
#   QUILLET_BUILD_NATIVE  native build folder (default build-native): the
#                      runner of prmtool's tests, which here run prmtool.exe
set -euo pipefail
trap 'echo "test-windows.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?)" >&2' ERR
cd "$(dirname "$0")/.."
root=$(pwd)
w64=$(realpath -m "${QUILLET_BUILD_W64:-build-w64}")
w32=$(realpath -m "${QUILLET_BUILD_W32:-build-w32}")
native=$(realpath -m "${QUILLET_BUILD_NATIVE:-build-native}")

bash scripts/install-deps.sh --windows

for pair in "x86_64:$w64" "i686:$w32"; do
  arch=${pair%%:*} dir=${pair#*:}
  [ -f "$dir/CMakeCache.txt" ] ||
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j2
done
# Reproducible programs, as the release needs them: the same sources built
# again in another folder, at another time, give the same bytes.
again="$w64-again"
[ -f "$again/CMakeCache.txt" ] || cmake -S . -B "$again" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF >/dev/null
cmake --build "$again" -j2 --target Quillet prmtool
reproducible=0
for exe in app/Quillet.exe tools/prmtool/prmtool.exe; do
  cmp "$w64/$exe" "$again/$exe" || { echo "$exe differs between two builds"; reproducible=1; }
done
[ $reproducible = 0 ] && echo "Quillet.exe and prmtool.exe: byte-identical from two builds."

# The runner of prmtool's tests is native.
[ -f "$native/CMakeCache.txt" ] || cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$native" -j2 --target prmtool_test

# One Wine server per prefix for the whole run, started outside CTest: CTest
# would otherwise wait on Wine's background processes.
# Wine's error channel stays on: tools/wine-run.sh shows it when a run fails.
export WINEPREFIX="$w64/wineprefix" WINELOADER=/usr/lib/wine/wine64
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
"$root/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null  # creates the prefix the first time
wineserver -w  # that run's server has gone, or -p finds it and fails
wineserver -p </dev/null >/dev/null 2>&1
WINEDEBUG=-all /usr/lib/wine/wine64 notepad </dev/null >/dev/null 2>&1 &  # keeps the desktop and services alive
keep=$!
# Wait until the desktop and services are up, so that no test process starts
# them and hands them the pipe CTest reads (CTest would wait on them for ever).
"$root/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null
# The server of a prefix is gone before anything else starts: wineserver -w.
stop() { kill "$keep" 2>/dev/null || true; wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
trap stop EXIT

rc=$reproducible
(cd "$w64" && ctest --output-on-failure --timeout 120 -j2) || rc=$?

# prmtool.exe against prmtool's own tests: the native test program, each
# run of the tool going through Wine instead.
echo "prmtool.exe under Wine:"
PRMTOOL="WINE_RUN_OWN_STATUSES='0 1 2' '$root/tools/wine-run.sh' '$w64/tools/prmtool/prmtool.exe'" \
  "$native/tests/prmtool/prmtool_test" --gtest_brief=1 </dev/null || rc=$?
stop
trap - EXIT

# Runs tests of win_test.exe in a prefix of its own (a folder of the x86_64
# build); its server is gone before the next prefix starts.
in_prefix() {
  local title=$1 filter=$2 prefix=$w64/$3
  shift 3
  echo "$title:"
  WINEPREFIX=$prefix env "$@" "$root/tools/wine-run.sh" "$w64/tests/win/win_test.exe" \
    --gtest_filter="$filter" --gtest_brief=1 </dev/null || rc=$?
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
}
# The layout once more at 150 %, in a prefix of its own made at 144 DPI.
# Its dialog font lends its Latin letters to Micro Hei's Chinese ones by the
# system's font linking (no Debian font has SimSun's proportions there), so
# the check that no text needs another font has no place in it.
in_prefix "Text fit at 144 DPI" 'TextFitTest.*-TextFitTest.NoCharacterNeedsAnotherFont' wineprefix-144dpi QUILLET_DPI=144
# Every Windows test again where the system is Japanese, Traditional Chinese
# or English: another code page, another dialog font (text fit and glyphs,
# byte limits, the sorted lists and what is saved from them, paths outside
# the code page).
for loc in en_US ja_JP zh_TW; do
  in_prefix "Windows tests in $loc" '*' "wineprefix-$loc" QUILLET_LOCALE=$loc
done
exit $rc
