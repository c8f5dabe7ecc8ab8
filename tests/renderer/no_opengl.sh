#!/usr/bin/env bash
# Without OpenGL the renderer shows a black window and sleeps until input: on an X server
# without GLX, in a Wine prefix of this test's own, it uses next to no processor time, and a
# key still ends it.
#   no_opengl.sh WINE_RUN ARCH PREFIX RENDERER
set -euo pipefail

[[ $# -eq 4 ]] || { echo "usage: no_opengl.sh WINE_RUN ARCH PREFIX RENDERER" >&2; exit 2; }
wine_run=$1
arch=$2
prefix=$(realpath -m "$3")
renderer=$4

source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/processor_use.sh"
start_x_server Xvfb -extension GLX -screen 0 800x600x24 -nolisten tcp
xvfb_pid=$server_pid
export DISPLAY=$server_display

renderer_pid=
finish() {
    [[ -z $renderer_pid ]] || kill "$renderer_pid" 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver --wait 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap finish EXIT

if ! xdpyinfo | grep -q 'number of extensions'; then
    echo "no X server" >&2
    exit 1
fi
if xdpyinfo | grep -qw GLX; then
    echo "FAIL: the X server has GLX" >&2
    exit 1
fi

"$wine_run" --arch "$arch" --prefix "$prefix" "$renderer" &
renderer_pid=$!
if ! xdotool search --sync --name '^Nuvrel_VC$' >/dev/null; then
    echo "FAIL: no window titled Nuvrel_VC" >&2
    exit 1
fi
sleep 2

per_mille=$(processor_per_mille 'Nuvrel\.dll' 4)
percent=$((per_mille / 10))
echo "renderer without OpenGL: ${percent}% of a core over 4 s"

xdotool key space
status=0
wait "$renderer_pid" || status=$?
renderer_pid=
if [[ $percent -gt 5 ]]; then
    echo "FAIL: the renderer used ${percent}% of a core with nothing to draw" >&2
    exit 1
fi
if [[ $status -ne 0 ]]; then
    echo "FAIL: the renderer ended with $status after the key" >&2
    exit 1
fi
echo "the renderer rests without OpenGL and ends on a key"
