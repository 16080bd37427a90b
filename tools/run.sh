#!/bin/bash
# Installs what is missing, builds the program and starts it under Wine beside
# the point-of-sale stand-in, on Wine's 1920 x 1080 virtual desktop.
# With $DISPLAY set, the desktop opens there and the program runs until you close
# it. Without one, it runs on a virtual screen (Xvfb): a screenshot is saved,
# and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" --target customer-display-toggle pos-standin find-window
bin=build/mingw/bin
prefix=$PWD/build/mingw/wine-run
screenshot=$PWD/build/mingw/screenshot.png
tools/wine-prefix.sh "$prefix"
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8

xvfb=
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>build/mingw/xvfb-display 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do [ -s build/mingw/xvfb-display ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 build/mingw/xvfb-display)"
    echo "No \$DISPLAY: running on a virtual 1920x1080 screen (Xvfb on $DISPLAY)."
fi
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

wine "$bin/pos-standin.exe" &
wine "$bin/find-window.exe" Qt5QWindowOwnDCIcon RetailPos >/dev/null
wine "$bin/customer-display-toggle.exe" &
program=$!
rect=$(wine "$bin/find-window.exe" KXWindow | tr -d '\r')
echo "The program's window is up at $rect (left top right bottom), beside the stand-in's \"RetailPos\" window."

if [ -n "$xvfb" ]; then
    import -window root "$screenshot"
    echo "Screenshot of the screen: $screenshot"
    wine taskkill /im customer-display-toggle.exe >/dev/null 2>&1
else
    echo "Tick the box to hide the stand-in's window, clear it to show it again; Esc closes the program."
fi
status=0
wait "$program" || status=$?
echo "The program ended with exit code $status."
