#!/bin/bash
# Installs what is missing, builds the program and its tests for 32-bit Windows
# with MinGW-w64 GCC and runs every test under Wine (each test program in a
# prefix and X display of its own); then builds the program and its end-to-end
# test with clang and lld and runs those, and the header test, on that build.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets
ctest --preset mingw -j "$(nproc)"
PRESET=clang build_targets
ctest --preset clang -j "$(nproc)"
