#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native tests
# (core and prmtool), the Windows tests under Wine, the release (with
# Debian's checker on the .deb) and its installer under Wine, and a short
# fuzzing run.
# Every stage runs even when an earlier one fails; the exit status says
# whether all passed.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows --fuzz --kaitai || exit 1

failed=()
stage() {
    local name=$1; shift
    echo
    echo "=== $name ==="
    "$@" || failed+=("$name")
}

native() {
    cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build build-native -j"$(nproc)" &&
        (cd build-native && ctest --output-on-failure --timeout 120)
}

stage "native tests" native
stage "Windows tests under Wine" bash scripts/test-windows.sh
stage "release: zip, MSIs, .deb (lintian)" bash scripts/release.sh
stage "installer under Wine" bash scripts/test-msi.sh
stage "fuzzing smoke run" bash scripts/fuzz-smoke.sh
stage "format description against prmtool (Kaitai Struct)" bash tests/kaitai/run.sh

echo
if [ ${#failed[@]} -eq 0 ]; then
    echo "All stages passed."
else
    echo "Failed: ${failed[*]}"
    exit 1
fi
