#!/usr/bin/env bash
# Builds every benchmark and prints its figures, each as a ratio against a
# floor or a target, with the machine they ran on:
#   core (native, build-bench):
#     - save and load of the largest file in memory and through files (Google Benchmark);
#     - the instructions of one in-memory save and load, counted by callgrind;
#     - `prmtool check` over 10,000 files against `cat` over the same files;
#     - the memory the undo history holds over 10,000 changes of a 255-row table;
#   editor (x86_64 under Wine, build-bench-w64, null display driver):
#     - start-up to the first painted dialog against a bare dialog from the same template;
#     - loading a 255-row file into the dialog against a bare loop that sets every control;
#   sizes of Quillet.exe, x86_64 (build-bench-w64) and i686 (build-bench-w32), and its DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh --bench --windows
build=build-bench
w64=$root/build-bench-w64
w32=$root/build-bench-w32
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON -DQUILLET_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target core_bench count_save_load make_check_files history_bound prmtool >/dev/null
for pair in "x86_64:$w64" "i686:$w32"; do
  arch=${pair%%:*} dir=${pair#*:}
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DQUILLET_BENCH=ON -DQUILLET_TESTS=OFF >/dev/null
done
cmake --build "$w64" -j2 --target Quillet startup_editor startup_bare load_bench >/dev/null
cmake --build "$w32" -j2 --target Quillet >/dev/null  # size only: this kernel cannot run it

tmp=$(mktemp -d)
stop() {
  if [ -n "${keep:-}" ]; then kill "$keep" 2>/dev/null || true; fi
  WINEPREFIX="$w64/wineprefix" wineserver -k 2>/dev/null || true
  rm -rf "$tmp"
}
trap stop EXIT
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# Hyperfine's median and shortest time of its command number n (1-based), from its CSV export.
median() { awk -F, -v n="$2" 'NR == n + 1 { print $4 }' "$1"; }
shortest() { awk -F, -v n="$2" 'NR == n + 1 { print $7 }' "$1"; }
# Both ratios of commands 1 and 2: on a busy machine the shortest runs say more.
ratios() {
  echo "$(ratio "$(median "$1" 1)" "$(median "$1" 2)") (medians)," \
       "$(ratio "$(shortest "$1" 1)" "$(shortest "$1" 2)") (shortest runs)"
}

echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "Compilers: $(c++ --version | head -1); $(x86_64-w64-mingw32-g++-posix --version | head -1); Release"
echo "Wine: $(/usr/lib/wine/wine64 --version), null display driver; $(hyperfine --version)"
echo

"$build/bench/core_bench" --benchmark_min_time=0.5
echo

# Only the region between the program's start and stop marks is counted.
valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$tmp/callgrind" \
  "$build/bench/count_save_load" >/dev/null 2>&1
instructions=$(callgrind_annotate "$tmp/callgrind" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
target=20000
echo "One save and load of the largest file in memory: $instructions instructions" \
     "($(ratio "$instructions" "$target") times the target of $target)"
echo "Where they go: callgrind_annotate on a run of" \
     "valgrind --tool=callgrind --instr-atstart=no $build/bench/count_save_load"
echo

"$build/bench/history_bound"
echo

# One process per file on both sides, so that only the work on a file differs.
mkdir "$tmp/files"
"$build/bench/make_check_files" "$tmp/files" 10000
find "$tmp/files" -name '*.prm' -print0 >"$tmp/list"
hyperfine --warmup 1 --runs 3 --export-csv "$tmp/check.csv" \
  "xargs -0 -n1 $root/$build/tools/prmtool/prmtool check <$tmp/list" \
  "xargs -0 -n1 cat <$tmp/list >/dev/null"
echo "prmtool check over 10,000 files, against cat over them: $(ratios "$tmp/check.csv"); target 3"
echo

# One Wine server and desktop for all runs, started before any of them, as the Windows tests do.
export WINEPREFIX="$w64/wineprefix" WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
"$root/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1  # creates the prefix the first time
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then export LOCPATH="$w64/locales"; fi  # wine-run.sh made it
export FONTCONFIG_FILE="$w64/standin-fonts/fonts.conf"  # a Chinese Windows' fonts, as wine-run.sh shows them
export LC_ALL=zh_CN.UTF-8 2>/dev/null
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 notepad </dev/null >/dev/null 2>&1 &
keep=$!
sleep 2

hyperfine --shell=none --warmup 3 --runs 20 --export-csv "$tmp/startup.csv" \
  "/usr/lib/wine/wine64 $w64/bench/startup_editor.exe" \
  "/usr/lib/wine/wine64 $w64/bench/startup_bare.exe"
echo "Start-up to the first painted dialog, against the bare dialog's: $(ratios "$tmp/startup.csv"); target 1.2"
echo

/usr/lib/wine/wine64 "$w64/bench/load_bench.exe" </dev/null
echo "(targets: load 1.3, typing and pointing 1.2)"
echo

for pair in "x86_64:$w64" "i686:$w32"; do
  arch=${pair%%:*} dir=${pair#*:}
  "$arch-w64-mingw32-strip" -o "$tmp/Quillet-$arch.exe" "$dir/app/Quillet.exe"
  bytes=$(stat -c %s "$tmp/Quillet-$arch.exe")
  dlls=$("$arch-w64-mingw32-objdump" -p "$tmp/Quillet-$arch.exe" | awk '/DLL Name/ { print $3 }' | paste -sd' ')
  echo "Quillet.exe $arch, stripped: $bytes bytes ($((bytes / 1024)) KB); imports $dlls"
  if [ "$arch" = x86_64 ]; then
    echo "  $(ratio "$bytes" $((250 * 1024))) times the target of 250 KB"
  fi
done
