#!/usr/bin/env bash
# Installs what is missing, then configures, builds and tests every preset:
#   native           the portable code with its unit tests, tools and benchmarks
#   native-sanitize  the same tests under AddressSanitizer and UBSan
#   windows          the 32-bit Windows programs that ship (tests run under Wine where the
#                    kernel can start 32-bit programs)
#   windows64        the same code built for 64-bit Windows, its tests run under Wine
#   fuzz             each parser's libFuzzer target for about 30 s (scripts/fuzz.sh 30)
# then builds every download twice and compares the bytes (scripts/check-reproducible.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# One X display for every Windows test of the run.
source cmake/xvfb.sh
trap stop_xvfb EXIT
start_xvfb

failed=()
for preset in native native-sanitize windows windows64; do
    echo "=== $preset"
    if cmake --preset "$preset" >/dev/null &&
        cmake --build --preset "$preset" &&
        ctest --preset "$preset"; then
        :
    else
        failed+=("$preset")
    fi
done

echo "=== fuzz"
if ! scripts/fuzz.sh 30; then
    failed+=(fuzz)
fi

echo "=== reproducible"
if ! scripts/check-reproducible.sh build/reproducible; then
    failed+=(reproducible)
fi

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All presets passed."
