# Sourced by the setup program's tests once $prefix is set: fail() for their checks, and an
# Xvfb display and the Wine prefix of their own, both ended when the test exits.

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/xvfb.sh"
unset DISPLAY
start_xvfb
export WINEPREFIX=$prefix
leave() {
    wineserver -k 2>/dev/null || true
    stop_xvfb
}
trap leave EXIT
