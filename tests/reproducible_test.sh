#!/bin/bash
# Builds the package of the current commit twice, from two clones in folders of
# different names, one after the other, and checks that the program and the
# zip come out the same to the byte.
#   reproducible_test.sh SOURCE_DIR
set -uo pipefail
source=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0

for clone in first "second clone, elsewhere"; do
    git clone -q "$source" "$work/$clone" || exit 1
    (cd "$work/$clone" &&
        cmake --preset mingw -DBUILD_TESTING=OFF >/dev/null &&
        cmake --build --preset mingw --target package >/dev/null) || { echo "FAIL: the $clone build failed"; exit 1; }
done
for file in bin/customer-display-toggle.exe package/customer-display-toggle-*-win32.zip; do
    sums=$(cd "$work" && sha256sum first/build/mingw/$file "second clone, elsewhere"/build/mingw/$file)
    echo "$sums"
    [ "$(echo "$sums" | cut -d' ' -f1 | uniq | wc -l)" -eq 1 ] || { echo "FAIL: $file differs"; status=1; }
done
exit $status
