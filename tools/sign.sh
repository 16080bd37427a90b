#!/bin/bash
# Signs the program with the shop's own code-signing certificate (Authenticode,
# SHA-256), in place, with osslsigncode. The certificate and its password come
# from the environment, never from the command line, where other users of the
# machine could read them:
#   CODE_SIGN_CERT=shop.p12 CODE_SIGN_PASSWORD=... [CODE_SIGN_TIMESTAMP_URL=http://...] \
#       tools/sign.sh customer-display-toggle.exe
# CODE_SIGN_TIMESTAMP_URL names an RFC 3161 time-stamp server, so that the
# signature stays valid after the certificate expires. Removing the signature
# (osslsigncode remove-signature) gives back the unsigned, reproducible file.
set -euo pipefail
exe=${1:?usage: CODE_SIGN_CERT=FILE.p12 CODE_SIGN_PASSWORD=... tools/sign.sh PROGRAM.exe}
certificate=${CODE_SIGN_CERT:?set CODE_SIGN_CERT to a PKCS#12 file with the certificate and its key}
timestamp=()
[ -n "${CODE_SIGN_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$CODE_SIGN_TIMESTAMP_URL")

work=$(mktemp -d "${TMPDIR:-/tmp}/sign.XXXXXX")
trap 'rm -rf "$work"' EXIT
signed=$work/signed.exe
# The password travels through a pipe.
printf '%s' "${CODE_SIGN_PASSWORD:-}" |
    osslsigncode sign -pkcs12 "$certificate" -readpass - -h sha256 \
        -n "Customer Display Toggle" "${timestamp[@]}" -in "$exe" -out "$signed" >/dev/null
cat "$signed" > "$exe"
echo "signed $exe"
