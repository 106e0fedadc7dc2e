#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine: tests (as CTest's emulator) and the editor.
# The Wine prefix lives in the build folder of the program (the folder holding
# CMakeCache.txt), unless WINEPREFIX says otherwise. Two kinds:
#   QUILLET_FONTS=windows (default): what a Windows 10/11 system of that
#     locale holds: Windows' font names only, drawn by stand-ins made from
#     Debian's fonts (scripts/make-standin-fonts.py, once per build folder),
#     and no Linux family; "wineprefix", with "-<locale>" for
#     QUILLET_LOCALE=<locale> (en_US, ja_JP, zh_TW; default zh_CN) and
#     "-<DPI>dpi" for QUILLET_DPI=<DPI> (default 96).
#   QUILLET_FONTS=linux: a Linux desktop's Wine, bare (wineboot and the
#     system's fonts): "wineprefix-linux", with the same suffixes.
# It is created on first use, with X or, without a display, the null driver,
# as a copy of one prefix made by wineboot ("wineprefix-base").
# `wine-run.sh --prefix BUILD` prints the prefix the settings name in BUILD.
#
# A run that fails says why: its exit status and what Wine reported on its
# error channel (kept apart from the program's own standard error, and shown
# only then). WINE_RUN_OWN_STATUSES lists the exit statuses that are the
# program's own answers (default 0), for which nothing is added.
set -eE
trap 'echo "wine-run.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?) for $WINEPREFIX" >&2' ERR
dpi=${QUILLET_DPI:-96}
loc=${QUILLET_LOCALE:-zh_CN}
fonts=${QUILLET_FONTS:-windows}
named_prefix() {
  local name=$1/wineprefix
  [ "$fonts" = windows ] || name=$name-linux
  [ "$loc" = zh_CN ] || name=$name-$loc
  [ "$dpi" = 96 ] || name=$name-${dpi}dpi
  echo "$name"
}
if [ "$1" = --prefix ]; then named_prefix "$(realpath -m "$2")"; exit 0; fi
if [ -z "$WINEPREFIX" ]; then
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || dir=$(pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || dir=${TMPDIR:-/tmp}/quillet
  WINEPREFIX=$(named_prefix "$dir")
fi
export WINEPREFIX
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The plain wine wrapper breaks once wine32 is present; the 64-bit loader works either way.
WINE=/usr/lib/wine/wine64
export WINELOADER=$WINE
here=$(dirname "$WINEPREFIX")
# One maker at a time of whatever is shared: a file locked while it is made.
locked() {
  local lock=$1 fd; shift
  exec {fd}>"$lock"
  flock "$fd"
  "$@"
  exec {fd}>&-
}
# The locale gives the program its code page (936, 950, 932, 1252); glibc must
# know it. Compiled once per build folder, beside the prefixes.
if ! locale -a 2>/dev/null | grep -qix "$loc.utf8"; then
  LOCPATH="$here/locales"; export LOCPATH
  make_locale() { [ -d "$LOCPATH/$loc.UTF-8" ] || localedef -i "$loc" -f UTF-8 "$LOCPATH/$loc.UTF-8" 2>/dev/null || true; }
  [ -d "$LOCPATH/$loc.UTF-8" ] || { mkdir -p "$LOCPATH"; locked "$LOCPATH.lock" make_locale; }
fi
{ export LC_ALL="${WINE_LC_ALL:-$loc.UTF-8}"; } 2>/dev/null  # bash itself need not know it

# Fonts: Wine finds them through fontconfig. A Windows prefix is shown the
# stand-ins' folder only.
if [ "$fonts" = windows ]; then
  standins=$here/standin-fonts
  make_standins() { [ -f "$standins/fonts.conf" ] || /usr/bin/python3 "$(dirname "$0")/../scripts/make-standin-fonts.py" "$standins"; }
  [ -f "$standins/fonts.conf" ] || { mkdir -p "$here"; locked "$standins.lock" make_standins; }
  export FONTCONFIG_FILE=$standins/fonts.conf
fi

# Every step waits until the Wine processes it started, and their server,
# have ended: a program started while wineboot's processes or a server going
# down still hold the prefix may die before it prints a word.
quiet() { WINEDEBUG=-all "$@" >/dev/null 2>&1 </dev/null; }
# The base: wineboot's prefix (about 30 s), shown no font at all, so that it
# records none; X when there is a display, else the null driver (tests run
# headless, the editor on screen); Marlett, which draws the caption buttons
# and which Wine looks for in the prefix's Fonts folder.
make_base() {
  [ ! -f "$base/.complete" ] || return 0
  [ ! -d "$base" ] || WINEPREFIX=$base wineserver -w
  rm -rf "$base"
  mkdir -p "$base"
  printf '<?xml version="1.0"?>\n<fontconfig/>\n' >"$base.fonts.conf"
  (
    export WINEPREFIX=$base FONTCONFIG_FILE=$base.fonts.conf
    quiet "$WINE" wineboot --init
    wineserver -w
    quiet "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11,null /f
    wineserver -w
  )
  cp /usr/share/wine/fonts/marlett.ttf "$base/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$base/.complete"
}
# A prefix is a copy of the base (the system folder's programs linked, not
# copied: nothing writes them), then its DPI and, on a Windows prefix, its
# dialog font "MS Shell Dlg" as that locale's Windows maps it.
make_prefix() {
  base=$here/wineprefix-base
  locked "$base.lock" make_base
  [ ! -d "$WINEPREFIX" ] || wineserver -w
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX/drive_c/windows"
  (cd "$base" && tar cf - --exclude=./drive_c/windows/system32 --exclude=./.complete .) | (cd "$WINEPREFIX" && tar xf -)
  cp -al "$base/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/"
  # The first start in the new locale brings its settings, font names included, into the registry.
  quiet "$WINE" cmd /c exit
  wineserver -w
  local shell=''
  if [ "$fonts" = windows ]; then
    case $loc in
      zh_CN) shell=SimSun ;;
      zh_TW) shell=PMingLiU ;;
      ja_JP) shell='MS UI Gothic' ;;
      *) shell='Microsoft Sans Serif' ;;
    esac
  fi
  local settings=$WINEPREFIX/drive_c/settings.reg
  {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi"
    [ -z "$shell" ] || printf '\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n"MS Shell Dlg"="%s"\n"MS Shell Dlg 2"="Tahoma"\n' "$shell"
  } >"$settings"
  quiet "$WINE" regedit /S 'C:\settings.reg'
  wineserver -w  # the registry is on disk
  rm "$settings"
  touch "$WINEPREFIX/.complete"
}
if [ ! -f "$WINEPREFIX/.complete" ]; then
  mkdir -p "$here"
  # A prefix left half-made by a killed run is made anew.
  locked "$WINEPREFIX.lock" make_prefix
fi

own=" ${WINE_RUN_OWN_STATUSES:-0} "
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Standard error goes through a file, not a pipe: services the run starts
# outlive it and would hold a pipe open. Wine's error channel is kept apart;
# the program's own lines pass on unchanged (a last one without a newline
# stays so), once it has ended.
export WINEDEBUG="${WINEDEBUG:--all,err+all}"
set +eE
trap - ERR
"$WINE" "$@" 2>"$log"
status=$?
sed -e '/^[0-9a-f]\{4\}:err:/d' "$log" >&2
if [[ $own != *" $status "* ]]; then
  {
    echo "wine-run.sh: $1 ended with exit status $status in $WINEPREFIX"
    errors=$(grep -a '^[0-9a-f]\{4\}:err:' "$log")
    if [ -n "$errors" ]; then printf "Wine's error channel:\n%s\n" "$errors"; else echo "Wine's error channel: nothing"; fi
  } >&2
fi
exit "$status"
