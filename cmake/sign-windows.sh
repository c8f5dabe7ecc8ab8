#!/usr/bin/env bash
# Signs Windows programs in place with osslsigncode when a certificate is given:
#   sign-windows.sh FILE...
#   NUVREL_SIGN_PFX            the certificate with its private key (PKCS#12)
#   NUVREL_SIGN_PASSWORD       its password, if it has one
#   NUVREL_SIGN_TIMESTAMP_URL  a timestamp server (RFC 3161), if one is to countersign
# Without NUVREL_SIGN_PFX it changes nothing. The signing time is SOURCE_DATE_EPOCH when set,
# so that a signature without a timestamp server is the same on every build.
set -euo pipefail
[[ -n ${NUVREL_SIGN_PFX:-} ]] || exit 0

options=(sign -pkcs12 "$NUVREL_SIGN_PFX" -h sha256 -n Nuvrel)
if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    options+=(-time "$SOURCE_DATE_EPOCH")
fi
if [[ -n ${NUVREL_SIGN_TIMESTAMP_URL:-} ]]; then
    options+=(-ts "$NUVREL_SIGN_TIMESTAMP_URL")
fi
for file in "$@"; do
    signed=$file.signed
    rm -f "$signed"
    # The password through a pipe, never on a command line that others can list.
    if [[ -n ${NUVREL_SIGN_PASSWORD:-} ]]; then
        osslsigncode "${options[@]}" -readpass <(printf '%s' "$NUVREL_SIGN_PASSWORD") \
            -in "$file" -out "$signed" >/dev/null
    else
        osslsigncode "${options[@]}" -in "$file" -out "$signed" >/dev/null
    fi
    # Written over the original, which keeps its mode and owner.
    cat "$signed" >"$file"
    rm -f "$signed"
    echo "signed $(basename "$file")"
done
