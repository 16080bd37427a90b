#!/bin/bash
# Installs what is missing and builds the release package of the checked-out
# commit: build/mingw/package/customer-display-toggle-<version>-win32.zip and
# its SHA-256 beside it. The same commit gives the same bytes on any machine
# set up this way. With CODE_SIGN_CERT and CODE_SIGN_PASSWORD set, the program
# in it is signed (tools/sign.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh
build_targets package
cat build/mingw/package/*.sha256
