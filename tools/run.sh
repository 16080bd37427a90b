#!/bin/bash
# Installs what is missing, builds the program and starts it under Wine beside
# the point-of-sale stand-in, on Wine's 1920 x 1080 virtual desktop.
# With $DISPLAY set, the desktop opens there and the program runs until you close
# it. Without one, it runs on a virtual screen (Xvfb): a screenshot is saved,
# and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets customer-display-toggle pos-standin find-window
bin=build/mingw/bin
screenshot=$PWD/build/mingw/screenshot.png
use_wine_prefix "$PWD/build/mingw/wine-run"
tools/wine-prefix.sh "$WINEPREFIX"
trap stop_wine_session EXIT

if [ -z "${DISPLAY:-}" ]; then
    start_virtual_screen build/mingw
    echo "No \$DISPLAY: running on a virtual 1920x1080 screen (Xvfb on $DISPLAY)."
fi

start_beside_standin "$bin"
echo "The program's window is up at $WINDOW_RECT (left top right bottom), beside the stand-in's \"RetailPos\" window."

if [ -n "${XVFB_PID:-}" ]; then
    import -window root "$screenshot"
    echo "Screenshot of the screen: $screenshot"
    wine taskkill /im customer-display-toggle.exe >/dev/null 2>&1
else
    echo "Tick the box to hide the stand-in's window, clear it to show it again; Esc closes the program."
fi
status=0
wait "$PROGRAM_PID" || status=$?
echo "The program ended with exit code $status."
