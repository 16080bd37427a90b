#!/bin/bash
# Makes a 32-bit Wine prefix for running the program: Wine's virtual desktop of
# 1920 x 1080 (so that windows get title bars and focus without a window
# manager), Wine's own fonts, and no crash dialog (so that a crash ends a test
# instead of hanging it).
#   tools/wine-prefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1")
# The stamp names the version of this script that made the prefix; a prefix
# made by another version is made anew.
stamp="$prefix/.made-by-wine-prefix"
version=$(sha1sum < "$0" | cut -c1-40)
[ "$(cat "$stamp" 2>/dev/null)" = "$version" ] && exit 0

rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# Debian ships Wine's fonts (fonts-wine) apart from Wine, and wineboot does not
# put them into the prefix; without Marlett the title-bar buttons show letters
# ("r" for the close button) instead of their glyphs.
cp -a /usr/share/wine/fonts/. "$prefix/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
echo "$version" > "$stamp"
