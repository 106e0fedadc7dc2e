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

# Every prefix this run uses is made first, two at a time (each about 20 s,
# after one base of about 30 s): tools/wine-run.sh names and makes them.
# Windows prefixes hold a Windows 10/11 system's fonts under Windows' names
# (stand-ins), Linux ones are a Linux desktop's bare Wine.
runs=()
for loc in zh_CN en_US ja_JP zh_TW; do
  for dpi in 96 120 144 192; do runs+=("windows $loc $dpi"); done
  for dpi in 96 120 144; do runs+=("linux $loc $dpi"); done
done
make_prefix() {
  export QUILLET_FONTS=$1 QUILLET_LOCALE=$2 QUILLET_DPI=$3
  WINEPREFIX=$("$root/tools/wine-run.sh" --prefix "$w64")
  export WINEPREFIX
  "$root/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null
  wineserver -w
}
export -f make_prefix
export root w64 WINELOADER=/usr/lib/wine/wine64
unset DISPLAY
printf '%s\n' "${runs[@]}" | xargs -P 2 -L 1 bash -c 'make_prefix "$@"' _

# One Wine server per prefix for the whole run, started outside CTest: CTest
# would otherwise wait on Wine's background processes.
# Wine's error channel stays on: tools/wine-run.sh shows it when a run fails.
export WINEPREFIX="$w64/wineprefix" WINELOADER=/usr/lib/wine/wine64
export WINEDLLOVERRIDES="mscoree,mshtml="
export FONTCONFIG_FILE="$w64/standin-fonts/fonts.conf"  # for the desktop the tests share, as wine-run.sh shows them
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

unset FONTCONFIG_FILE

# Runs tests of win_test.exe in a prefix of its own (a folder of the x86_64
# build); its server is gone before the next run there. Its report goes to
# a file, shown once every run has ended, with a mark when it failed.
reports=$(mktemp -d)
in_prefix() {
  local filter=$1 fonts=$2 loc=$3 dpi=$4
  local report=$reports/$fonts-$loc-$dpi prefix
  prefix=$(QUILLET_FONTS=$fonts QUILLET_LOCALE=$loc QUILLET_DPI=$dpi "$root/tools/wine-run.sh" --prefix "$w64")
  echo "$fonts prefix, $loc at $dpi DPI ($filter):" >"$report"
  WINEPREFIX=$prefix QUILLET_FONTS=$fonts QUILLET_LOCALE=$loc QUILLET_DPI=$dpi \
    "$root/tools/wine-run.sh" "$w64/tests/win/win_test.exe" --gtest_filter="$filter" --gtest_brief=1 \
    </dev/null >>"$report" 2>&1 || touch "$report.failed"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
}
export -f in_prefix
export reports
# Every Windows test again where the system is Japanese, Traditional Chinese
# or English at 100 %: another code page, another dialog font (text fit and
# glyphs, byte limits, the sorted lists and what is saved from them, paths
# outside the code page). At every other DPI of each Windows system, and on
# each Linux desktop, the tests whose outcome the fonts, the DPI or the code
# page decide: every text whole with all its glyphs, the boxes, the table's
# columns, the questions, and the bytes saved.
fit='TextFitTest.*:MessageDialog.*:EditorDialog.QuickSaveWritesTheCoreBytesForTheStartValues'
fit+=':EditorDialog.AChineseNameSurvivesSaveAndLoadUnderAChineseFileName:EditorDialog.NameBoxesLimitTypingInCodePage'
fit+=':SpriteTableDialog.RowsComeBackFromTheFileInOrderAsTheBytesStored'
{
  for loc in en_US ja_JP zh_TW; do echo "* windows $loc 96"; done
  for run in "${runs[@]}"; do
    case $run in "windows "*" 96") ;; *) echo "$fit $run" ;; esac
  done
} | xargs -P 2 -L 1 bash -c 'in_prefix "$@"' _
for report in "$reports"/*; do
  [[ $report == *.failed ]] && continue
  cat "$report"
  [ ! -f "$report.failed" ] || rc=1
done
rm -rf "$reports"
exit $rc
