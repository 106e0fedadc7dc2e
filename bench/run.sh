#!/usr/bin/env bash
# Builds the benchmarks of the core in build-bench (Release) and prints their
# figures with the machine they ran on:
#   - save and load of the largest file in memory and through files (Google Benchmark);
#   - the instructions of one in-memory save and load, counted by callgrind.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --bench
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON -DQUILLET_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target core_bench count_save_load >/dev/null

echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "Compiler: $(c++ --version | head -1), Release"
echo

"$build/bench/core_bench" --benchmark_min_time=0.5
echo

# Only the region between the program's start and stop marks is counted.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" "$build/bench/count_save_load" >/dev/null 2>&1
instructions=$(callgrind_annotate "$out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
target=20000
echo "One save and load of the largest file in memory: $instructions instructions" \
     "($(awk -v n="$instructions" -v t="$target" 'BEGIN { printf "%.1f", n / t }') times the target of $target)"
echo "Where they go: callgrind_annotate on a run of" \
     "valgrind --tool=callgrind --instr-atstart=no $build/bench/count_save_load"
