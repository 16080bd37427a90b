#!/bin/bash
# Runs one Windows test program under Wine, in a Wine prefix and an X display of
# its own, so that tests running side by side never see each other's windows.
#   WINE_TEMPLATE_PREFIX=DIR [WINE_TEST_SCREEN=WxH] wine-test-run.sh PROGRAM.exe [ARGS...]
set -uo pipefail
. "$(dirname "$0")/../tools/wine-session.sh"
template=${WINE_TEMPLATE_PREFIX:?set WINE_TEMPLATE_PREFIX to a prefix made by tools/wine-prefix.sh}
screen=${WINE_TEST_SCREEN:-1920x1080}

work=$(mktemp -d "${TMPDIR:-/tmp}/wine-test.XXXXXX")
use_wine_prefix "$work/prefix" "$(prefix_arch "$template")"
trap 'stop_wine_session; rm -rf "$work"' EXIT

clone_wine_prefix "$template" "$work/prefix" "$screen"

start_virtual_screen "$work" || exit 1
wine "$@"
