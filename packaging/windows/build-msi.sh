#!/usr/bin/env bash
# Builds the MSI of Quillet for one processor with wixl (see Quillet.wxs):
#   build-msi.sh x86_64|i686 VERSION FOLDER OUT.msi [COMMIT]
# FOLDER holds Quillet.exe and prmtool.exe. The codes come from what they
# stand for, so a rebuild gives the same ones: the product code from the
# version and processor (one version, one product), the upgrade code from
# the processor alone (every version of it upgrades the last), the package
# code from the commit as well. Files carry the time SOURCE_DATE_EPOCH
# gives, where it is set.
set -euo pipefail
arch=$1 version=$2 bin=$3 out=$4 commit=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
case $arch in x86_64) msiarch=x64 ;; i686) msiarch=x86 ;; *) echo "build-msi.sh: unknown processor $arch" >&2; exit 2 ;; esac
# A name-based GUID (as UUID version 5 lays it out) of a text.
guid() {
  local h
  h=$(printf '%s' "$1" | sha1sum)
  printf '%s-%s-5%s-%x%s-%s\n' "${h:0:8}" "${h:8:4}" "${h:13:3}" $(( (0x${h:16:2} & 0x3f) | 0x80 )) "${h:18:2}" "${h:20:12}"
}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$bin/Quillet.exe" "$bin/prmtool.exe" "$root/LICENSE" "$root/res/Quillet.ico" "$stage/"
[ -z "${SOURCE_DATE_EPOCH:-}" ] || touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
(cd "$stage" && wixl -a "$msiarch" -D Arch="$msiarch" -D Version="$version" \
  -D ProductCode="$(guid "Quillet product $version $arch")" -D UpgradeCode="$(guid "Quillet upgrade $arch")" \
  -o out.msi "$here/Quillet.wxs")
# wixl writes the root HKMU (the current user's or the machine's, as ALLUSERS
# says) as 4, which Windows Installer does not know; it is -1.
msibuild "$stage/out.msi" -q 'UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4'
# wixl draws the package code at random; this one stands for the build.
msibuild "$stage/out.msi" -s "Quillet $version, editor of RPG parameter files (.prm)" "Quillet developers" \
  "$msiarch;1033" "{$(guid "Quillet package $version $arch ${commit:-uncommitted}" | tr a-f A-F)}"
mv "$stage/out.msi" "$out"
