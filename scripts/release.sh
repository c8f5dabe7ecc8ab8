#!/usr/bin/env bash
# Builds every download from clean build folders into dist/ (or the folder given), with their
# SHA-256 sums in SHA256SUMS:
#   Nuvrel-<version>-setup.exe    the Windows setup program
#   Nuvrel-<version>-i686.zip     the Windows programs and read-me
#   nuvrel_<version>-1_amd64.deb  the Linux display mode
# Signed with osslsigncode when NUVREL_SIGN_PFX names a certificate with its key (PKCS#12;
# NUVREL_SIGN_PASSWORD its password, NUVREL_SIGN_TIMESTAMP_URL a timestamp server): first
# Nuvrel.scr and Nuvrel.dll before they are packed, then the uninstaller inside the setup
# program, then the setup program. Every time stored is the last commit's (SOURCE_DATE_EPOCH),
# so that two builds of one commit give the same bytes (scripts/check-reproducible.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(realpath -m "${1:-dist}")
# As dpkg-buildpackage does: the files that cpack writes itself into the package (its
# control files) take their mode from the umask.
umask 022

if [[ -z ${SOURCE_DATE_EPOCH:-} ]] && git rev-parse --git-dir >/dev/null 2>&1; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:?"no git history: set SOURCE_DATE_EPOCH"}

if [[ -n ${NUVREL_SIGN_PFX:-} ]]; then
    [[ -r $NUVREL_SIGN_PFX ]] || { echo "release.sh: cannot read $NUVREL_SIGN_PFX" >&2; exit 1; }
    echo "Signing with $NUVREL_SIGN_PFX${NUVREL_SIGN_TIMESTAMP_URL:+, timestamps from $NUVREL_SIGN_TIMESTAMP_URL}."
else
    echo "No certificate (NUVREL_SIGN_PFX is not set): the downloads are NOT signed."
fi

# The shipped programs only: no tests, benchmarks or tools beyond what the builds need.
build=build/release
rm -rf "$build" "$dist"
release_options=(-DBUILD_TESTING=OFF -DNUVREL_BENCHMARKS=OFF)
cmake --preset native -B "$build/native" "${release_options[@]}" >/dev/null
cmake --build "$build/native"
cmake --preset windows -B "$build/windows" "${release_options[@]}" --no-warn-unused-cli >/dev/null
cmake --build "$build/windows"

mkdir -p "$dist"
(cd "$build/windows" && cpack -G "ZIP;NSIS" -B "$PWD/package" >/dev/null)
(cd "$build/native" && cpack -G DEB -B "$PWD/package" >/dev/null)
cp "$build"/windows/package/Nuvrel-*.zip "$build"/windows/package/Nuvrel-*-setup.exe \
    "$build"/native/package/nuvrel_*.deb "$dist"/
(cd "$dist" && LC_ALL=C sha256sum -- * >SHA256SUMS && cat SHA256SUMS)
if [[ -z ${NUVREL_SIGN_PFX:-} ]]; then
    echo "The downloads in $dist are not signed."
fi
