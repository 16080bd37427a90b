#!/bin/bash
# Remakes the pictures in docs/: the program's window beside the point-of-sale
# stand-in on Wine's 1920 x 1080 virtual desktop, before and after a real mouse
# click on the check box, and the icon enlarged eight times.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets customer-display-toggle pos-standin find-window
bin=build/mingw/bin
work=$(mktemp -d)
use_wine_prefix "$PWD/build/mingw/wine-screenshots"
tools/wine-prefix.sh "$WINEPREFIX"
trap 'stop_wine_session; rm -rf "$work"' EXIT
start_virtual_screen "$work"

# Saves the screen: the program's window cropped to its outer rectangle, and the
# top-left of the screen, which holds both windows, at half size.
shoot() {
    xdotool mousemove 1900 1060
    sleep 0.5  # let the hover look fade and the windows repaint
    import -window root "$work/screen.png"
    read -r left top right bottom <<< "$WINDOW_RECT"
    convert "$work/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "docs/window-$1.png"
    convert "$work/screen.png" -crop "$((right + 24))x$((bottom + 24))+0+0" +repage -resize 50% "docs/screen-$1.png"
}

start_beside_standin "$bin"
shoot cleared

read -r left top right bottom <<< "$(find_window "$bin" --child 100 KXWindow)"
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
find_window "$bin" --gone Qt5QWindowOwnDCIcon RetailPos
shoot ticked

convert res/customer-display-toggle.ico -filter point -scale 800% docs/icon-8x.png
ls -l docs/*.png
