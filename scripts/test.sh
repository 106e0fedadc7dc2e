#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native tests
# (core and prmtool), the Windows tests under Wine, the release (with
# Debian's checker on the .deb) and its installer under Wine, and a short
# fuzzing run.
# Every stage runs even when an earlier one fails; the exit status says
# whether all passed. Each stage says its name as it starts and its time and
# test counts as it ends; one quiet for a minute says it is still at work.
# A table of the stages ends the run, then every skipped test with its
# reason, then a last line a CI can read: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows --fuzz --kaitai || exit 1

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
failed=()
rows=()
passed_all=0 failed_all=0

# Says every minute that the stage writing to log has shown nothing since.
heartbeat() {
    local name=$1 log=$2 size=-1 quiet=0 now
    while sleep 15; do
        now=$(grep -vc 'Running main() from' "$log")
        if [ "$now" = "$size" ]; then quiet=$((quiet + 15)); else quiet=0 size=$now; fi
        [ $quiet -eq 0 ] || [ $((quiet % 60)) -ne 0 ] || echo "  ... $name: still at work, quiet for $quiet s"
    done
}

# The tests a stage's output reports: passed, failed and skipped. CTest's
# summary, GoogleTest's (outside CTest's own output of a failed test), node's
# test runner's and the installer test's ok/FAIL lines each count.
counts_of() {
    awk '
    /^ *[0-9]+\/[0-9]+ Test +#/ { in_ctest = 1 }
    /tests passed, [0-9]+ tests? failed out of [0-9]+/ {
        for (i = 1; i <= NF; ++i) { if ($i == "failed") f = $(i - 2); if ($i == "of") t = $(i + 1) }
        p += t - f; fl += f; in_ctest = 0
    }
    /\(Skipped\)$/ { s++; p-- }
    !in_ctest && /^\[  PASSED  \] [0-9]+ tests?/ { p += $4 }
    !in_ctest && /^\[  FAILED  \] [0-9]+ tests?/ { fl += $4 }
    !in_ctest && /^\[  SKIPPED \] [0-9]+ tests?/ { s += $4 }
    /^# pass [0-9]+$/ { p += $3 }
    /^# fail [0-9]+$/ { fl += $3 }
    /^# skipped [0-9]+$/ { s += $3 }
    /^  ok    / { p++ }
    /^  FAIL  / { fl++ }
    END { print p + 0, fl + 0, s + 0 }' "$1"
}

# The tests CTest skipped in build folder dir, each with its reason.
skipped_in() {
    awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
         /: Skipped$/ { getline reason; print "skipped: " name ": " reason }' "$1/Testing/Temporary/LastTest.log" 2>/dev/null
}

# stage NAME COMMAND...: runs the command as a stage of the run.
stage() {
    local name=$1; shift
    local log="$logs/${#rows[@]}.log" start=$SECONDS status result beat passed failures skipped
    echo
    echo "=== $name ==="
    : >"$log"
    heartbeat "$name" "$log" &
    beat=$!
    # Every GoogleTest program says where its main() came from: noise.
    "$@" 2>&1 | tee "$log" | grep --line-buffered -v $'^Running main() from .*gtest_main\\.cc\r\\?$'
    status=${PIPESTATUS[0]}
    kill "$beat" 2>/dev/null
    wait "$beat" 2>/dev/null
    read -r passed failures skipped < <(counts_of "$log")
    passed_all=$((passed_all + passed)) failed_all=$((failed_all + failures))
    if [ "$status" -eq 0 ]; then result=passed; else result=FAILED; failed+=("$name"); fi
    # Skips with their reasons (skipped_in), and those GoogleTest names on its own.
    { grep -h '^skipped: ' "$log"; sed -n $'s/^\\[  SKIPPED \\] \\([A-Za-z_][^ \r]*\\)\r\\?$/skipped: \\1 (its reason in the output above)/p' "$log"
      awk '/^[^ ]+:[0-9]+: Skipped\r?$/ { place = $1; sub(/:$/, "", place); getline reason; sub(/\r$/, "", reason); print "skipped: " place ": " reason }' "$log"; } >>"$logs/skips"
    echo "=== $name: $result in $((SECONDS - start)) s; tests: $passed passed, $failures failed, $skipped skipped ==="
    rows+=("$name|$result|$((SECONDS - start)) s|$passed|$failures|$skipped")
}

native() {
    cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build build-native -j"$(nproc)" &&
        (cd build-native && ctest --output-on-failure --timeout 120)
    local status=$?
    skipped_in build-native
    return $status
}

windows() {
    bash scripts/test-windows.sh
    local status=$?
    skipped_in "${QUILLET_BUILD_W64:-build-w64}"
    return $status
}

stage "native tests" native
stage "Windows tests under Wine" windows
stage "release: zip, MSIs, .deb (lintian)" bash scripts/release.sh
stage "installer under Wine" bash scripts/test-msi.sh
stage "fuzzing smoke run" bash scripts/fuzz-smoke.sh
stage "Kaitai description against prmtool" bash tests/kaitai/run.sh

echo
printf '%s\n' "Stage|Result|Time|Passed|Failed|Skipped" "${rows[@]}" |
    awk -F'|' '{ printf "%-36s %-7s %7s %7s %7s %8s\n", $1, $2, $3, $4, $5, $6 }'
[ ! -s "$logs/skips" ] || sed 's/^skipped: /Skipped: /' "$logs/skips"
if [ ${#failed[@]} -eq 0 ]; then
    echo "All stages passed."
else
    echo "Failed: ${failed[*]}"
fi
echo "$passed_all passed, $failed_all failed"
[ ${#failed[@]} -eq 0 ]
