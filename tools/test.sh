#!/bin/bash
# Installs what is missing and builds the program for 32-bit Windows twice:
# with MinGW-w64 GCC, with every test, and with clang and lld, with its
# end-to-end test. Runs the clang build's header and end-to-end tests, then
# every test of the GCC build, under Wine (each test program in a prefix and X
# display of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets
PRESET=clang build_targets
ctest --preset clang -j "$(nproc)"
ctest --preset mingw -j "$(nproc)"
