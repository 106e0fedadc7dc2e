#!/usr/bin/env bash
# Checks the format description docs/prm.ksy: compiles it with the Kaitai
# Struct compiler (no warning allowed) and reads the start-up files, files of
# varied values and damaged files with the parser it makes, every field
# against prmtool's (built here, in build-native). Needs node and the npm
# packages of package-lock.json (bash scripts/install-deps.sh --kaitai);
# runs offline.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ ! -d tests/kaitai/node_modules/kaitai-struct-compiler ]; then
    echo "tests/kaitai/run.sh: the compiler is missing; run: bash scripts/install-deps.sh --kaitai" >&2
    exit 1
fi
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-native -j"$(nproc)" --target prmtool >/dev/null
cd tests/kaitai
exec node --test prm.test.js
