#!/bin/bash
# Signs the program with a throw-away certificate made here, as a shop would
# with its own (tools/sign.sh), and checks that the signature verifies against
# the certificate's CA, that the signed program still starts and toggles the
# display, and that removing the signature gives back the very same bytes.
#   signing_test.sh PROGRAM.exe BIN_DIR     (under Wine: WINE_TEMPLATE_PREFIX set)
set -uo pipefail
exe=$1
bin=$2
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/signing-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
. "$source/tools/wine-session.sh"
status=0
fail() { echo "FAIL: $*"; status=1; }
# grep reads all of its input here, never -q: with pipefail, a writer that grep
# -q cut off (SIGPIPE) would fail the check now and then.

# A CA, and a code-signing certificate that it issued, in a PKCS#12 file.
cd "$work" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Test Shop CA" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null || exit 1
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Test Shop" 2>/dev/null || exit 1
printf 'extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n' > signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile signer.ext \
    -out signer.pem 2>/dev/null || exit 1
openssl pkcs12 -export -inkey signer.key -in signer.pem -out signer.p12 -passout pass:throw-away || exit 1

mkdir signed
cp "$exe" signed/customer-display-toggle.exe
CODE_SIGN_CERT=$work/signer.p12 CODE_SIGN_PASSWORD=throw-away "$source/tools/sign.sh" signed/customer-display-toggle.exe ||
    fail "tools/sign.sh did not sign"

verdict=$(osslsigncode verify -CAfile ca.pem -in signed/customer-display-toggle.exe 2>&1)
echo "$verdict" | grep -E "Message digest algorithm|Signature verification|Subject:" | sed 's/^/  /'
echo "$verdict" | grep "^Signature verification: ok" >/dev/null || fail "the signature did not verify: $verdict"
echo "$verdict" | grep "SHA256" >/dev/null || fail "the signature's digest is not SHA-256"

osslsigncode remove-signature -in signed/customer-display-toggle.exe -out unsigned.exe >/dev/null ||
    fail "the signature could not be removed"
cmp -s unsigned.exe "$exe" || fail "the program without its signature differs from the program as built"

# The signed program, worked with real clicks beside the stand-in.
PROGRAM_UNDER_TEST=$(windows_path "$work/signed/customer-display-toggle.exe") \
    "$source/cmake/wine-test-run.sh" "$bin/program_tests.exe" \
    "--test-case=a click hides the display and the next click shows it again" ||
    fail "the signed program did not start and toggle the display"
exit $status
