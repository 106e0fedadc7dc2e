#!/usr/bin/env bash
# Makes the release of the current commit in dist/:
#   Quillet-<version>.zip         Quillet.exe and prmtool.exe for x86_64 and i686,
#                                 the README and the licence
#   Quillet-<version>-x86_64.msi  the installers (packaging/windows)
#   Quillet-<version>-i686.msi
#   prmtool_<version>_amd64.deb   prmtool for Debian, checked by lintian
# It builds from a clean copy of the commit (what is not committed does not
# count), and two runs from one commit give the same zip and .deb: the
# programs carry no time stamp and no build path, and every file the
# commit's time (SOURCE_DATE_EPOCH). The MSIs differ only where wixl
# writes the time of the build and orders its strings as it likes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh --windows --release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commit=$(git rev-parse HEAD)  # once: a commit made meanwhile does not count
git archive --format=tar "$commit" | (mkdir "$work/src" && tar -x -C "$work/src")
version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' "$work/src/CMakeLists.txt")
name=Quillet-$version
stamp=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH=$stamp
for arch in x86_64 i686; do
  cmake -S "$work/src" -B "$work/build-$arch" -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF >/dev/null
  cmake --build "$work/build-$arch" -j2 --target Quillet prmtool >/dev/null
  mkdir -p "$work/$name/$arch"
  cp "$work/build-$arch/app/Quillet.exe" "$work/build-$arch/tools/prmtool/prmtool.exe" "$work/$name/$arch/"
done
cp "$work/src/README.md" "$work/src/LICENSE" "$work/$name/"

# The same modes and times on every run; zip -X leaves out owner and extra times.
find "$work/$name" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$work/$name" -exec touch -h -d "@$stamp" {} +
mkdir -p dist
rm -f "dist/$name.zip"
(cd "$work" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -@ "$root/dist/$name.zip")
echo "wrote dist/$name.zip"

for arch in x86_64 i686; do
  bash "$work/src/packaging/windows/build-msi.sh" "$arch" "$version" "$work/$name/$arch" "dist/$name-$arch.msi" "$commit"
  echo "wrote dist/$name-$arch.msi"
done

# prmtool's .deb, from its own build of the same copy.
cmake -S "$work/src" -B "$work/build-deb" -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF >/dev/null
cmake --build "$work/build-deb" -j2 --target prmtool prmtool-doc >/dev/null
(cd "$work/build-deb" && cpack >/dev/null)
deb=$(basename "$work"/build-deb/package/prmtool_*.deb)
cp "$work/build-deb/package/$deb" dist/
mandoc -Tlint "$work/build-deb/tools/prmtool/doc/prmtool.1"  # the manual page: no remark at all
# Debian's checker, as root too (where it only warns that it runs as root).
lintian --fail-on error,warning "dist/$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "wrote dist/$deb (lintian: no error, no warning)"
