#!/usr/bin/env bash
# Makes the release zip of the current commit, dist/Quillet-<version>.zip:
# Quillet.exe and prmtool.exe for x86_64 and i686, the README and the licence.
# It builds from a clean copy of the commit (what is not committed does not
# count), and two runs from one commit give the same bytes: the programs
# carry no time stamp and no build path, and every entry of the zip carries
# the commit's time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh --windows --release
version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=Quillet-$version
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commit=$(git rev-parse HEAD)  # once: a commit made meanwhile does not count
git archive --format=tar "$commit" | (mkdir "$work/src" && tar -x -C "$work/src")
for arch in x86_64 i686; do
  cmake -S "$work/src" -B "$work/build-$arch" -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF >/dev/null
  cmake --build "$work/build-$arch" -j2 --target Quillet prmtool >/dev/null
  mkdir -p "$work/$name/$arch"
  cp "$work/build-$arch/app/Quillet.exe" "$work/build-$arch/tools/prmtool/prmtool.exe" "$work/$name/$arch/"
done
cp "$work/src/README.md" "$work/src/LICENSE" "$work/$name/"

# The same modes and times on every run; zip -X leaves out owner and extra times.
stamp=$(git log -1 --format=%ct "$commit")
find "$work/$name" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$work/$name" -exec touch -h -d "@$stamp" {} +
mkdir -p dist
rm -f "dist/$name.zip"
(cd "$work" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -@ "$root/dist/$name.zip")
echo "wrote dist/$name.zip"
