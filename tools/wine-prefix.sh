#!/bin/bash
# Makes a 32-bit Wine prefix for running the program: Wine's virtual desktop of
# 1920 x 1080 (so that windows get title bars and focus without a window
# manager) and no crash dialog (so that a crash ends a test instead of hanging it).
#   tools/wine-prefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1")
stamp="$prefix/.made-by-wine-prefix"
[ -f "$stamp" ] && exit 0

rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
