#!/bin/sh
# Runs a Windows program under 64-bit Wine: tests (as CTest's emulator) and the editor.
# The Wine prefix lives in the build folder of the program (the folder holding
# CMakeCache.txt), unless WINEPREFIX says otherwise: "wineprefix" at 96 DPI,
# "wineprefix-<DPI>dpi" for QUILLET_DPI=<DPI>. It is created on first use,
# with X or, without a display, the null driver, and fonts for Chinese text.
set -e
dpi=${QUILLET_DPI:-96}
if [ -z "$WINEPREFIX" ]; then
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || dir=$(pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || dir=${TMPDIR:-/tmp}/quillet
  WINEPREFIX=$dir/wineprefix
  [ "$dpi" = 96 ] || WINEPREFIX=$dir/wineprefix-${dpi}dpi
fi
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The plain wine wrapper breaks once wine32 is present; the 64-bit loader works either way.
WINE=/usr/lib/wine/wine64
export WINELOADER=$WINE
# The Chinese locale gives the program code page 936; glibc must know the locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  LOCPATH="$WINEPREFIX/locale"; export LOCPATH
  [ -d "$LOCPATH/zh_CN.UTF-8" ] || { mkdir -p "$LOCPATH"; localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null || true; }
fi
export LC_ALL="${WINE_LC_ALL:-zh_CN.UTF-8}"
reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1 </dev/null; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1 </dev/null
  # X when there is a display, else the null driver: tests run headless, the editor on screen.
  reg 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11,null
  reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
  # The dialog font, "MS Shell Dlg", is SimSun on a Chinese system. WenQuanYi
  # Micro Hei stands in for it; at 96 DPI its metrics suit the editor's layout.
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'WenQuanYi Micro Hei'
  # Marlett draws the caption buttons; Wine looks for it in the prefix's Fonts folder.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  if [ "$dpi" -gt 96 ]; then
    # Larger, its Latin letters (the dialog's unit of width) grow less than
    # its Chinese ones, and labels no longer fit. DejaVu Sans lends its wider
    # Latin letters, Micro Hei the Chinese ones.
    nt='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
    reg "$nt\\FontSubstitutes" /v 'MS Shell Dlg' /t REG_SZ /d 'DejaVu Sans'
    for face in 'DejaVu Sans' 'DejaVu Sans Bold'; do  # the bold one for the caption
      reg "$nt\\FontLink\\SystemLink" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
    done
  fi
  WINEPREFIX=$WINEPREFIX wineserver -k || true  # flushes the registry to disk
fi
exec "$WINE" "$@"
