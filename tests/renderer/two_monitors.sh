#!/usr/bin/env bash
# Runs a Windows program under Wine on an X server of its own with two monitors:
#   two_monitors.sh WINE_RUN ARCH PREFIX PROGRAM [ARGUMENTS...]
# Xvfb gives two Xinerama heads, both at 0,0: 1024 x 600 (Wine's primary monitor) and
# 800 x 768. Wine reports them as two monitors only without XRandR, which the prefix, a
# prefix of this test's own, is told once.
set -euo pipefail

[[ $# -ge 4 ]] || { echo "usage: two_monitors.sh WINE_RUN ARCH PREFIX PROGRAM [ARGUMENTS...]" >&2; exit 2; }
wine_run=$1
arch=$2
prefix=$(realpath -m "$3")
shift 3

source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/xvfb.sh"
start_x_server Xvfb +xinerama -screen 0 1024x600x24 -screen 1 800x768x24 -nolisten tcp
xvfb_pid=$server_pid
export DISPLAY=$server_display

finish() {
    # Wine's processes go first, while their display still exists.
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver --wait 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap finish EXIT

if [[ ! -f $prefix/.nuvrel-two-monitors ]]; then
    "$wine_run" --arch "$arch" --prefix "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' \
        /v UseXRandR /t REG_SZ /d N /f >/dev/null
    # The X11 driver reads the value when Wine starts.
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver --wait 2>/dev/null || true
    touch "$prefix/.nuvrel-two-monitors"
fi

"$wine_run" --arch "$arch" --prefix "$prefix" "$@"
