#!/usr/bin/env bash
# A short fuzzing run of the load walk for CI: installs clang and its
# fuzzing runtime if missing, builds the target in build-fuzz, runs it for
# 20 seconds or 200,000 inputs, whichever comes first. Exits non-zero when
# the fuzzer finds a crash, a sanitizer report or a broken invariant; the
# input is then in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --fuzz
bash fuzz/run.sh 20 200000
