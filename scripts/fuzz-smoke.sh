#!/usr/bin/env bash
# A short fuzzing run of the load walk for CI: installs clang and its
# fuzzing runtime if missing, builds the target in build-fuzz, runs it for
# 20 seconds or 200,000 inputs, whichever comes first. Exits non-zero when
# the fuzzer finds a crash, a sanitizer report or a broken invariant; the
# input is then in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --fuzz
# The fuzzer's progress goes to a log; CI shows its summary, or the whole log on a finding.
log=build-fuzz/smoke.log
mkdir -p build-fuzz
if bash fuzz/run.sh 20 200000 >"$log" 2>&1; then
  grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log"
  echo "Fuzzing smoke run: no finding."
else
  cat "$log"
  echo "Fuzzing smoke run: FINDING (see build-fuzz/findings/)"
  exit 1
fi
