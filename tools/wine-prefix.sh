#!/bin/bash
# Makes a Wine prefix for running the program: the Windows version it reports,
# 32-bit Windows or 64-bit Windows (where the 32-bit program runs under WoW64),
# Wine's virtual desktop of 1920 x 1080 (so that windows get title bars and focus
# without a window manager), Wine's own fonts, and no crash dialog (so that a
# crash ends a test instead of hanging it).
#   tools/wine-prefix.sh PREFIX [VERSION [ARCH]]    VERSION as winecfg /v takes it
#                                                    (default win7), ARCH win32
#                                                    (default) or win64
set -euo pipefail
. "$(dirname "$0")/wine-session.sh"
prefix=$(realpath -m "$1")
version=${2:-win7}
arch=${3:-win32}
# The stamp names what made the prefix (this script and its arguments); a
# prefix made otherwise is made anew.
stamp="$prefix/.made-by-wine-prefix"
maker="$(sha1sum < "$0" | cut -c1-40) $version $arch"
[ "$(cat "$stamp" 2>/dev/null)" = "$maker" ] && exit 0

rm -rf "$prefix"
use_wine_prefix "$prefix" "$arch"
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wine winecfg /v "$version"
# Debian ships Wine's fonts (fonts-wine) apart from Wine, and wineboot does not
# put them into the prefix; without Marlett the title-bar buttons show letters
# ("r" for the close button) instead of their glyphs.
cp -a /usr/share/wine/fonts/. "$prefix/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
echo "$maker" > "$stamp"
