#!/usr/bin/env bash
# Signs the setup program with a throwaway self-signed certificate, as scripts/release.sh
# does with a real one, and checks each signature with osslsigncode:
#   setup_program_is_signed.sh VERSION CPACK CPACK-CONFIG OUTPUT-DIR WINE-RUN PREFIX
# the setup program; Nuvrel.scr, Nuvrel.dll and the uninstaller inside it (unpacked with 7z);
# and, under Wine, the uninstaller that it writes, with the project's version in its entry.
# Exit code 77: the Wine part cannot run here (no 32-bit user mode); the rest has passed.
set -euo pipefail
[[ $# -eq 6 ]] || { echo "usage: setup_program_is_signed.sh VERSION CPACK CONFIG OUTPUT-DIR WINE-RUN PREFIX" >&2; exit 2; }
version=$1 cpack=$2 config=$3 output_dir=$(realpath -m "$4") wine_run=$5 prefix=$(realpath -m "$6")

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

rm -rf "$output_dir"
mkdir -p "$output_dir"
certificate=$output_dir/signer.pem
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 2 -subj "/CN=Nuvrel test signer" \
    -keyout "$output_dir/signer.key" -out "$certificate" 2>/dev/null || fail "openssl req"
openssl pkcs12 -export -inkey "$output_dir/signer.key" -in "$certificate" \
    -out "$output_dir/signer.pfx" -passout pass:throwaway || fail "openssl pkcs12"

NUVREL_SIGN_PFX=$output_dir/signer.pfx NUVREL_SIGN_PASSWORD=throwaway \
    "$cpack" -G NSIS -B "$output_dir" --config "$config" >"$output_dir/cpack.log" ||
    fail "cpack: $(cat "$output_dir/cpack.log")"
setup=$output_dir/Nuvrel-$version-setup.exe
[[ -f $setup ]] || fail "no $(basename "$setup")"

verify() {
    local report
    report=$(osslsigncode verify -in "$1" -CAfile "$certificate" 2>&1) ||
        fail "$2 is not signed: $report"
    grep -q 'Signature verification: ok' <<<"$report" || fail "$2: $report"
    grep -q 'CN=Nuvrel test signer' <<<"$report" || fail "$2 is signed by another: $report"
    echo "$2: signed"
}
verify "$setup" "$(basename "$setup")"
osslsigncode verify -in "$setup" -CAfile "$certificate" 2>&1 | sed 's/^/    /'

unpacked=$output_dir/unpacked
7z x -o"$unpacked" "$setup" >/dev/null || fail "7z cannot unpack the setup program"
for name in Nuvrel.scr Nuvrel.dll Uninstall.exe; do
    file=$(find "$unpacked" -name "$name" -type f)
    [[ -n $file ]] || fail "no $name in the setup program"
    verify "$file" "$name inside the setup program"
done

if ! "$wine_run" --arch win32 --prefix "$prefix" --check; then
    echo "SKIPPED: Wine cannot start 32-bit programs here, so the uninstaller is not written"
    exit 77
fi
rm -rf "$prefix"
source "$(dirname "${BASH_SOURCE[0]}")/../installer/wine_desktop.sh"
run() { "$wine_run" --arch win32 --prefix "$prefix" "$@"; }
run "$setup" /S || fail "setup /S: exit code $?"
timeout 120 wineserver -w || fail "setup still running after 2 minutes"
verify "$prefix/drive_c/Program Files/Nuvrel/Uninstall.exe" "Uninstall.exe as Setup writes it"
entry=$(run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nuvrel' \
    /v DisplayVersion 2>/dev/null | tr -d '\r')
grep -qx "    DisplayVersion    REG_SZ    $version" <<<"$entry" ||
    fail "the uninstall entry's version: $entry"
echo "uninstall entry: DisplayVersion $version"
