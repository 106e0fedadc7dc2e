#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine: tests (as CTest's emulator) and the editor.
# The Wine prefix lives in the build folder of the program (the folder holding
# CMakeCache.txt), unless WINEPREFIX says otherwise: "wineprefix" for the
# Chinese locale at 96 DPI, with "-<locale>" for QUILLET_LOCALE=<locale>
# (en_US, ja_JP, zh_TW) and "-<DPI>dpi" for QUILLET_DPI=<DPI>. It is created
# on first use, with X or, without a display, the null driver, and the fonts
# that locale's Windows has.
#
# A run that fails says why: its exit status and what Wine reported on its
# error channel (kept apart from the program's own standard error, and shown
# only then). WINE_RUN_OWN_STATUSES lists the exit statuses that are the
# program's own answers (default 0), for which nothing is added.
set -eE
trap 'echo "wine-run.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?) for $WINEPREFIX" >&2' ERR
dpi=${QUILLET_DPI:-96}
loc=${QUILLET_LOCALE:-zh_CN}
if [ -z "$WINEPREFIX" ]; then
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || dir=$(pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || dir=${TMPDIR:-/tmp}/quillet
  WINEPREFIX=$dir/wineprefix
  [ "$loc" = zh_CN ] || WINEPREFIX=$WINEPREFIX-$loc
  [ "$dpi" = 96 ] || WINEPREFIX=$WINEPREFIX-${dpi}dpi
fi
export WINEPREFIX
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The plain wine wrapper breaks once wine32 is present; the 64-bit loader works either way.
WINE=/usr/lib/wine/wine64
export WINELOADER=$WINE
# The locale gives the program its code page (936, 950, 932, 1252); glibc must know it.
if ! locale -a 2>/dev/null | grep -qix "$loc.utf8"; then
  LOCPATH="$WINEPREFIX.locale"; export LOCPATH
  [ -d "$LOCPATH/$loc.UTF-8" ] || { mkdir -p "$LOCPATH"; localedef -i "$loc" -f UTF-8 "$LOCPATH/$loc.UTF-8" 2>/dev/null || true; }
fi
{ export LC_ALL="${WINE_LC_ALL:-$loc.UTF-8}"; } 2>/dev/null  # bash itself need not know it

# Makes the prefix. Every step waits until the Wine processes it started, and
# their server, have ended: a program started while wineboot's processes or
# a server going down still hold the prefix may die before it prints a word.
make_prefix() {
  local nt='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  reg() { WINEDEBUG=-all "$WINE" reg add "$@" /f >/dev/null 2>&1 </dev/null; }
  substitute() { reg "$nt\\FontSubstitutes" /v "$1" /t REG_SZ /d "$2"; }
  replace() { reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$1" /t REG_SZ /d "$2"; }
  [ ! -d "$WINEPREFIX" ] || wineserver -w
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  WINEDEBUG=-all "$WINE" wineboot --init >/dev/null 2>&1 </dev/null
  wineserver -w
  # X when there is a display, else the null driver: tests run headless, the editor on screen.
  reg 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11,null
  reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
  # Each locale's dialog font ("MS Shell Dlg") as its Windows maps it, drawn
  # by the nearest font Debian has. Every one of these systems ships SimSun.
  replace SimSun 'WenQuanYi Micro Hei'
  case $loc in
    zh_TW) replace PMingLiU 'AR PL UMing TW' ;;  # MS Shell Dlg is PMingLiU
    ja_JP) replace 'MS UI Gothic' IPAGothic ;;   # MS Shell Dlg is MS UI Gothic
    en_US)                                       # MS Shell Dlg is Microsoft Sans Serif
      substitute 'MS Shell Dlg' 'Microsoft Sans Serif'
      replace 'Microsoft Sans Serif' 'Liberation Sans' ;;
  esac
  # Marlett draws the caption buttons; Wine looks for it in the prefix's Fonts folder.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  if [ "$dpi" -gt 96 ] && [ "$loc" = zh_CN ]; then
    # Larger, Micro Hei's Latin letters (the dialog's unit of width) grow less
    # than its Chinese ones, and labels no longer fit. DejaVu Sans lends its
    # wider Latin letters, Micro Hei the Chinese ones.
    substitute 'MS Shell Dlg' 'DejaVu Sans'
    for face in 'DejaVu Sans' 'DejaVu Sans Bold'; do  # the bold one for the caption
      reg "$nt\\FontLink\\SystemLink" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
    done
  fi
  wineserver -w  # the registry is on disk
  # The first start of a program in a prefix brings up its desktop and
  # services; let that happen here, not in the program that was asked for.
  WINEDEBUG=-all "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
  wineserver -w
  touch "$WINEPREFIX/.complete"
}
if [ ! -f "$WINEPREFIX/.complete" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # One maker at a time; a prefix left half-made by a killed run is made anew.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  [ -f "$WINEPREFIX/.complete" ] || make_prefix
  exec 9>&-
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
