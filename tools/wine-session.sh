# Shell functions that the scripts share: set-up and build, and the Wine
# session that runs the program; source it from the repository's top folder.

# Installs what is missing, configures a build preset (mingw unless PRESET is
# set) and builds the given targets, or everything.
#   build_targets [TARGET...]
build_targets() {
    local preset=${PRESET:-mingw} log
    tools/setup.sh
    log=$(mktemp)
    # The build's output is shown when it fails.
    if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$(nproc)" ${1:+--target "$@"}; } \
            >"$log" 2>&1; then
        cat "$log"
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

# Exports what every Wine run here needs: the prefix, its architecture (win32,
# the default, or win64), no debug output, and the Chinese ANSI code page (936)
# through the zh_CN.UTF-8 locale.
#   use_wine_prefix PREFIX [ARCH]
use_wine_prefix() {
    export WINEPREFIX=$1 WINEARCH=${2:-win32} WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
}

# The architecture of an existing prefix: win32 or win64.
#   prefix_arch PREFIX
prefix_arch() {
    if grep -q '^#arch=win64' "$1/system.reg" 2>/dev/null; then echo win64; else echo win32; fi
}

# A Unix path as Wine's programs take it: on drive Z:, with backslashes.
#   windows_path PATH
windows_path() {
    echo "Z:${1//\//\\}"
}

# Makes a prefix from a template made by tools/wine-prefix.sh, in a fraction of
# a second: the registry copied, drive_c hard-linked (so a test must add files
# there, never change one in place); with a virtual desktop of the given size
# (default 1920x1080).
#   clone_wine_prefix TEMPLATE PREFIX [WxH]
clone_wine_prefix() {
    mkdir "$2"
    cp -a "$1"/*.reg "$1/.update-timestamp" "$1/dosdevices" "$2/"
    cp -al "$1/drive_c" "$2/"
    sed -i "s/^\"Default\"=\"1920x1080\"/\"Default\"=\"${3:-1920x1080}\"/" "$2/user.reg"
}

# Starts a 1920 x 1080 Xvfb screen, points DISPLAY at it and sets XVFB_PID.
#   start_virtual_screen SCRATCH_DIR
start_virtual_screen() {
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$1/xvfb-display" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 200); do
        [ -s "$1/xvfb-display" ] && break
        sleep 0.05
    done
    [ -s "$1/xvfb-display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$1/xvfb-display")"
}

# Ends the prefix's Wine processes and the Xvfb screen, if one was started.
stop_wine_session() {
    wineserver -k 2>/dev/null
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    return 0
}

# find-window.exe of the build in BIN, its output without Windows line ends.
#   find_window BIN [ARGS...]
find_window() {
    local bin=$1
    shift
    wine "$bin/find-window.exe" "$@" | tr -d '\r'
}

# Starts the point-of-sale stand-in and, once its window is up, the program, in
# the background; sets PROGRAM_PID and WINDOW_RECT ("left top right bottom").
#   start_beside_standin BIN
start_beside_standin() {
    wine "$1/pos-standin.exe" &
    find_window "$1" Qt5QWindowOwnDCIcon RetailPos >/dev/null
    wine "$1/customer-display-toggle.exe" &
    PROGRAM_PID=$!
    WINDOW_RECT=$(find_window "$1" KXWindow)
}
