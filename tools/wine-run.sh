#!/bin/sh
# Runs a Windows program under 64-bit Wine: tests (as CTest's emulator) and the editor.
# The Wine prefix lives in the build folder of the program (the folder holding
# CMakeCache.txt), unless WINEPREFIX says otherwise. It is created on first use,
# with X or, without a display, the null driver, and a CJK font for SimSun.
set -e
if [ -z "$WINEPREFIX" ]; then
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || dir=$(pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  if [ -f "$dir/CMakeCache.txt" ]; then WINEPREFIX=$dir/wineprefix; else WINEPREFIX=${TMPDIR:-/tmp}/quillet-wineprefix; fi
fi
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The plain wine wrapper breaks once wine32 is present; the 64-bit loader works either way.
WINE=/usr/lib/wine/wine64
export WINELOADER=$WINE
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1 </dev/null
  # X when there is a display, else the null driver: tests run headless, the editor on screen.
  "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11,null /f >/dev/null 2>&1 </dev/null
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'WenQuanYi Micro Hei' /f \
    >/dev/null 2>&1 </dev/null
  wineserver -k || true  # flushes the registry to disk
fi
# The Chinese locale gives the program code page 936; glibc must know the locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  LOCPATH="$WINEPREFIX/locale"; export LOCPATH
  [ -d "$LOCPATH/zh_CN.UTF-8" ] || { mkdir -p "$LOCPATH"; localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null || true; }
fi
exec env LC_ALL="${WINE_LC_ALL:-zh_CN.UTF-8}" "$WINE" "$@"
