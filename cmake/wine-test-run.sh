#!/bin/bash
# Runs one Windows test program under Wine, in a Wine prefix and an X display of
# its own, so that tests running side by side never see each other's windows.
#   WINE_TEMPLATE_PREFIX=DIR [WINE_TEST_SCREEN=WxH] wine-test-run.sh PROGRAM.exe [ARGS...]
# The prefix is a copy of the template (made by tools/wine-prefix.sh): its
# registry copied, its drive_c hard-linked, which takes a fraction of a second.
set -uo pipefail
. "$(dirname "$0")/../tools/wine-session.sh"
template=${WINE_TEMPLATE_PREFIX:?set WINE_TEMPLATE_PREFIX to a prefix made by tools/wine-prefix.sh}
screen=${WINE_TEST_SCREEN:-1920x1080}

work=$(mktemp -d "${TMPDIR:-/tmp}/wine-test.XXXXXX")
use_wine_prefix "$work/prefix" "$(prefix_arch "$template")"
trap 'stop_wine_session; rm -rf "$work"' EXIT

mkdir "$work/prefix"
cp -a "$template"/*.reg "$template/.update-timestamp" "$template/dosdevices" "$work/prefix/"
cp -al "$template/drive_c" "$work/prefix/"
sed -i "s/^\"Default\"=\"1920x1080\"/\"Default\"=\"$screen\"/" "$work/prefix/user.reg"

start_virtual_screen "$work" || exit 1
wine "$@"
