#!/bin/bash
# Installs what is missing, builds the program and its tests for 32-bit Windows,
# and runs every test under Wine (each test program in a prefix and X display
# of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets
ctest --preset mingw -j "$(nproc)"
