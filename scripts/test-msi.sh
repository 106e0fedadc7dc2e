#!/usr/bin/env bash
# Tries the x86_64 MSI of dist/ (scripts/release.sh) as a user would, in a
# fresh Wine prefix: a silent install per user and its files and keys;
# per machine an install of an older version, the upgrade to this one (one
# product left), a .prm opened through the shell (ShellExecuteW, as Explorer
# does) starting the editor on that file; and after each uninstall nothing
# of it left. The older version is this MSI's programs under a lower version.
#   QUILLET_BUILD_W64  the x86_64 build folder (default build-w64): shell_open.exe
set -euo pipefail
trap 'echo "test-msi.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?)" >&2' ERR
cd "$(dirname "$0")/.."
root=$(pwd)
w64=$(realpath -m "${QUILLET_BUILD_W64:-build-w64}")
version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
msi=$root/dist/Quillet-$version-x86_64.msi
[ -f "$msi" ] || { echo "test-msi.sh: no $msi (run scripts/release.sh)" >&2; exit 1; }
cmake --build "$w64" -j2 --target shell_open >/dev/null

work=$(mktemp -d)
# An English system: reg prints "(Default)" and its messages in English.
export WINEPREFIX=$work/prefix QUILLET_LOCALE=en_US
# No desktop entries for the Start-menu shortcut on this machine.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d" XDG_DATA_HOME=$work/xdg XDG_CONFIG_HOME=$work/xdg
unset DISPLAY
wine() { "$root/tools/wine-run.sh" "$@" </dev/null; }
stop() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$work"; }
trap stop EXIT
wine cmd /c exit
wineserver -w
wineserver -p  # one server for every step

# The older version: the same programs, a lower version.
mkdir "$work/old"
unzip -q -j "$root/dist/Quillet-$version.zip" "Quillet-$version/x86_64/*" -d "$work/old"
bash packaging/windows/build-msi.sh x86_64 0.9.0.0 "$work/old" "$work/old.msi"

failed=0
check() {  # check WHAT COMMAND...: one line per check
  if "${@:2}" >/dev/null; then echo "  ok    $1"; else echo "  FAIL  $1"; failed=1; fi
}
absent() { ! "$@"; }
key() { WINE_RUN_OWN_STATUSES="0 1" wine reg query "$@" 2>/dev/null; }
value_is() {  # value_is KEY EXPECTED: the key's default value
  local got
  got=$(key "$1" /ve | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')
  [ "$got" = "$2" ] || { echo "    $1: \"$got\", not \"$2\"" >&2; return 1; }
}
drive=$WINEPREFIX/drive_c
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The Add/Remove Programs entries named Quillet, as "VERSION" lines.
entries() { key "$arp" /s | tr -d '\r' | grep -A20 'DisplayName *REG_SZ *Quillet$' | sed -n 's/^ *DisplayVersion *REG_SZ *//p'; }
entries_are() { local got; got=$(entries | tr '\n' ' '); [ "$got" = "$1" ] || { echo "    entries: \"$got\"" >&2; return 1; }; }

echo "Per user (msiexec /i $(basename "$msi") /qn):"
wine msiexec /i "$msi" /qn
user=$(ls -d "$drive"/users/*/AppData/Local/Programs/Quillet 2>/dev/null | head -1)
winuser=$(basename "$(dirname "$(dirname "$(dirname "$(dirname "$user")")")")")
dir="C:\\users\\$winuser\\AppData\\Local\\Programs\\Quillet"
check "Quillet.exe, prmtool.exe and License.txt in %LOCALAPPDATA%\\Programs\\Quillet" \
  test -f "$user/Quillet.exe" -a -f "$user/prmtool.exe" -a -f "$user/License.txt"
check "nothing under Program Files" absent test -e "$drive/Program Files/Quillet"
check "the Start-menu entry" test -f "$drive/users/$winuser/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quillet.lnk"
check ".prm is Quillet.prm in HKCU" value_is 'HKCU\Software\Classes\.prm' Quillet.prm
check "its open verb" value_is 'HKCU\Software\Classes\Quillet.prm\shell\open\command' "\"$dir\\Quillet.exe\" \"%1\""
check "its icon" value_is 'HKCU\Software\Classes\Quillet.prm\DefaultIcon' "\"$dir\\Quillet.exe\",0"
check "no association in HKLM" absent key 'HKLM\Software\Classes\Quillet.prm'
check "one Add/Remove Programs entry, version $version" entries_are "$version "
wine msiexec /x "$msi" /qn
check "uninstalled: no folder, shortcut or key left" bash -c "[ ! -e '$user' ] && \
  ! ls '$drive/users/$winuser/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quillet.lnk' 2>/dev/null"
check "uninstalled: no association" absent key 'HKCU\Software\Classes\Quillet.prm'
check "uninstalled: no key of its own" absent key 'HKCU\Software\Quillet'
check "uninstalled: no .prm key" absent key 'HKCU\Software\Classes\.prm'
check "uninstalled: no Add/Remove Programs entry" entries_are ""

echo "Per machine (ALLUSERS=1), version 0.9.0.0 upgraded to $version:"
wine msiexec /i "$work/old.msi" ALLUSERS=1 /qn
wine msiexec /i "$msi" ALLUSERS=1 /qn
machine="$drive/Program Files/Quillet"
check "Quillet.exe and prmtool.exe in Program Files\\Quillet" test -f "$machine/Quillet.exe" -a -f "$machine/prmtool.exe"
check "one Add/Remove Programs entry, of version $version" entries_are "$version "
# Windows puts it in every user's Start menu; Wine 8's installer resolves
# ProgramMenuFolder to the installing user's whatever ALLUSERS says.
shortcuts() { find "$drive" -name Quillet.lnk -path '*/Start Menu/Programs/*'; }
check "a Start-menu entry" test -n "$(shortcuts)"
check "the association in HKLM" value_is 'HKLM\Software\Classes\Quillet.prm\shell\open\command' \
  '"C:\Program Files\Quillet\Quillet.exe" "%1"'
check "the installed prmtool.exe makes a .prm" wine "$machine/prmtool.exe" new "Z:$work/game.prm"
check "a .prm opened through the shell starts Quillet on it" wine "$w64/tests/win/shell_open.exe" "Z:$work/game.prm"
wine msiexec /x "$msi" ALLUSERS=1 /qn
check "uninstalled: Program Files\\Quillet gone" absent test -e "$machine"
check "uninstalled: no association" absent key 'HKLM\Software\Classes\Quillet.prm'
check "uninstalled: no key of its own" absent key 'HKLM\Software\Quillet'
check "uninstalled: no Start-menu entry" test -z "$(shortcuts)"
exit $failed
