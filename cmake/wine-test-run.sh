#!/bin/bash
# Runs one Windows test program under Wine, in a Wine prefix and an X display of
# its own, so that tests running side by side never see each other's windows.
#   WINE_TEMPLATE_PREFIX=DIR [WINE_TEST_SCREEN=WxH] wine-test-run.sh PROGRAM.exe [ARGS...]
# The prefix is a copy of the template (made by tools/wine-prefix.sh): its
# registry copied, its drive_c hard-linked, which takes a fraction of a second.
set -uo pipefail
template=${WINE_TEMPLATE_PREFIX:?set WINE_TEMPLATE_PREFIX to a prefix made by tools/wine-prefix.sh}
screen=${WINE_TEST_SCREEN:-1920x1080}

work=$(mktemp -d "${TMPDIR:-/tmp}/wine-test.XXXXXX")
xvfb=
cleanup() {
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/prefix"
cp -a "$template"/*.reg "$template/.update-timestamp" "$template/dosdevices" "$work/prefix/"
cp -al "$template/drive_c" "$work/prefix/"
sed -i "s/^\"Default\"=\"1920x1080\"/\"Default\"=\"$screen\"/" "$work/prefix/user.reg"

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$(head -n1 "$work/display")" WINEPREFIX="$work/prefix" WINEARCH=win32 WINEDEBUG=-all \
       LC_ALL=zh_CN.UTF-8
wine "$@"
