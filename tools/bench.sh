#!/bin/bash
# Measures the program against the bare baseline program (bench/), side by side
# under Wine in a prefix and virtual screen of their own: start-up, click
# handling, memory, size and an endurance run. Prints a table and writes the
# same figures to build/mingw/bench.json. Extra arguments go to bench.exe
# (--starts N, --clicks N, --endurance N, --restart-every N).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets bench
template=$PWD/build/mingw/wine-win7_32
tools/wine-prefix.sh "$template"
WINE_TEMPLATE_PREFIX=$template cmake/wine-test-run.sh build/mingw/bin/bench.exe \
    --json "Z:$PWD/build/mingw/bench.json" "$@"
