#!/usr/bin/env bash
# The renderer on two monitors side by side, each with a vortex of its own: Xephyr with two
# Xinerama heads, 1024x600 at 0,0 (Wine's primary monitor) and 800x768 at 1024,0, inside an
# Xvfb of 1824x768, in a Wine prefix of this test's own. The renderer's own loop draws a
# fixed seed and holds its last frame; then the screen is compared with the same seed on
# a single 1024x600 monitor.
#   side_by_side.sh WINE_RUN ARCH PREFIX RENDERER_LOOP ARTEFACT_DIR
set -euo pipefail

[[ $# -eq 5 ]] || {
    echo "usage: side_by_side.sh WINE_RUN ARCH PREFIX RENDERER_LOOP ARTEFACT_DIR" >&2
    exit 2
}
wine_run=$1
arch=$2
prefix=$(realpath -m "$3")
renderer_loop=$4
artefacts=$5
mkdir -p "$artefacts"

source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/xvfb.sh"
servers=()
start_server() {
    start_x_server "$@" || exit 1
    servers+=("$server_pid")
}

stop_servers() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver --wait 2>/dev/null || true
    local pid
    for pid in "${servers[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    servers=()
}
trap stop_servers EXIT

# Saves the screen once the renderer holds its last frame: two screenshots a second apart
# that are the same, however many frames a second this machine draws.
wait_for_held_picture() {
    local picture=$1 previous=${1%.ppm}-previous.ppm tries
    sleep 2
    import -window root -depth 8 "$previous"
    for ((tries = 0; tries < 90; tries++)); do
        sleep 1
        import -window root -depth 8 "$picture"
        if cmp -s "$picture" "$previous"; then
            rm -f "$previous"
            return 0
        fi
        mv "$picture" "$previous"
    done
    echo "FAIL: the renderer still draws after 90 s" >&2
    exit 1
}

# Draws seed 5 for 150 frames on an Xephyr with the given screens and saves the screen.
draw_seed() {
    local picture=$1
    shift
    start_server Xvfb -screen 0 1824x768x24 -nolisten tcp
    DISPLAY=$server_display start_server Xephyr +xinerama "$@" -nolisten tcp
    export DISPLAY=$server_display
    if [[ ! -f $prefix/.nuvrel-monitors ]]; then
        "$wine_run" --arch "$arch" --prefix "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' \
            /v UseXRandR /t REG_SZ /d N /f >/dev/null
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        WINEPREFIX=$prefix wineserver --wait 2>/dev/null || true
        touch "$prefix/.nuvrel-monitors"
    fi
    "$wine_run" --arch "$arch" --prefix "$prefix" "$renderer_loop" --seed 5 --hold-after 150 &
    local renderer=$!
    xdotool search --sync --name '^Nuvrel_VC$' >/dev/null
    wait_for_held_picture "$picture"
    xdotool key space
    wait "$renderer"
    unset DISPLAY
    stop_servers
}

draw_seed "$artefacts/two-monitors.ppm" -screen 1024x600 -screen 800x768
draw_seed "$artefacts/one-monitor.ppm" -screen 1024x600
convert "$artefacts/two-monitors.ppm" "$artefacts/two-monitors.png"

lit_pixels() {
    convert "$1" -crop "$2" +repage -colorspace gray -threshold 20% -format '%[fx:round(mean*w*h)]' info:
}
differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

left=$(lit_pixels "$artefacts/two-monitors.ppm" 1024x600+0+0)
right=$(lit_pixels "$artefacts/two-monitors.ppm" 800x768+1024+0)
below=$(lit_pixels "$artefacts/two-monitors.ppm" 1024x168+0+600)
convert "$artefacts/two-monitors.ppm" -crop 800x600+0+0 +repage "$artefacts/left-part.ppm"
convert "$artefacts/two-monitors.ppm" -crop 800x600+1024+0 +repage "$artefacts/right-part.ppm"
convert "$artefacts/two-monitors.ppm" -crop 1024x600+0+0 +repage "$artefacts/primary.ppm"
convert "$artefacts/one-monitor.ppm" -crop 1024x600+0+0 +repage "$artefacts/alone.ppm"
heads_differ=$(differing_pixels "$artefacts/left-part.ppm" "$artefacts/right-part.ppm")
primary_differs=$(differing_pixels "$artefacts/primary.ppm" "$artefacts/alone.ppm")
echo "lit pixels: primary $left, right monitor $right, gap below the primary $below"
echo "pixels that differ: between the heads $heads_differ, primary against one monitor alone $primary_differs"

failures=0
check() {
    if ! eval "$1"; then
        echo "FAIL: $2"
        failures=$((failures + 1))
    fi
}
check '[[ $left -gt 200 ]]' "the primary monitor shows no vortex"
check '[[ $right -gt 200 ]]' "the right monitor shows no vortex"
check '[[ $below -eq 0 ]]' "something is drawn in the gap below the primary monitor"
check '[[ $heads_differ -gt 1000 ]]' "the two monitors show the same picture"
check '[[ $primary_differs -eq 0 ]]' "the primary's picture differs from one monitor alone"
[[ $failures -eq 0 ]] || exit 1
echo "each monitor shows its own vortex"
