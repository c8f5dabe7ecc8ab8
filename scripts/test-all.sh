#!/usr/bin/env bash
# Installs what is missing, then configures, builds and tests every preset:
#   native           the portable code with its unit tests, tools and benchmarks
#   native-sanitize  the same tests under AddressSanitizer and UBSan
#   windows          the 32-bit Windows programs that ship (tests run under Wine where the
#                    kernel can start 32-bit programs)
#   windows64        the same code built for 64-bit Windows, its tests run under Wine
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# One X display for every Windows test of the run.
xvfb_pid=
stop_xvfb() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop_xvfb EXIT
if [[ -z ${DISPLAY:-} ]]; then
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    read -r display_number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display_number"
fi

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

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All presets passed."
