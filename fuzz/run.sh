#!/usr/bin/env bash
# Builds the load-walk fuzz target with clang in build-fuzz and runs it.
#   fuzz/run.sh [seconds] [runs] [more libFuzzer options...]
# Runs for the given seconds (default 60), or stops earlier after the given
# number of runs (0 or absent: no limit). The corpus grows in
# build-fuzz/corpus across runs; a finding is written to build-fuzz/findings/
# and makes the script exit non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
runs=${2:-0}
shift $(( $# < 2 ? $# : 2 ))

build=build-fuzz
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 >/dev/null

# Fresh seeds from the core of this checkout: valid files of every shape.
rm -rf "$build/seeds"
mkdir -p "$build/seeds" "$build/corpus" "$build/findings"
"$build/make_seeds" "$build/seeds"

# Allocation stacks cost more than the whole walk; a finding is re-run with
# them by: ASAN_OPTIONS= build-fuzz/load_fuzzer <finding>
export ASAN_OPTIONS=${ASAN_OPTIONS-malloc_context_size=0}
limit=()
[ "$runs" -gt 0 ] && limit=(-runs="$runs")
exec "$build/load_fuzzer" -max_total_time="$seconds" "${limit[@]}" -print_final_stats=1 \
    -artifact_prefix="$build/findings/" "$@" "$build/corpus" "$build/seeds"
