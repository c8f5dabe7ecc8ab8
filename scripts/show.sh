#!/usr/bin/env bash
# Shows the screensaver: builds what is missing and runs the renderer under Wine.
#   On a display ($DISPLAY set): full screen until a key, a click or a mouse move ends it.
#   Without one: on a virtual screen for a few seconds, then saves a screenshot.
# Usage: scripts/show.sh [SCREENSHOT.png] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-build.sh
source cmake/xvfb.sh

build_windows Nuvrel
renderer=$build_dir/bin/Nuvrel.dll
run_renderer() {
    cmake/wine-run.sh --arch "$wine_arch" --prefix "$build_dir/wine-prefix" "$renderer" /s
}

if [[ -n ${DISPLAY:-} ]]; then
    echo "Nuvrel runs full screen on $DISPLAY: press a key, click or move the mouse to end it."
    run_renderer
    exit
fi

screenshot=$(realpath -m "${1:-nuvrel-screenshot.png}")
seconds=${2:-20}
trap stop_xvfb EXIT
XVFB_SCREEN=1280x720x24 start_xvfb
echo "No display: Nuvrel runs on a virtual 1280x720 screen for $seconds seconds."
run_renderer &
renderer_job=$!
sleep "$seconds"
import -window root "$screenshot"
xdotool key space
wait "$renderer_job"
echo "Screenshot: $screenshot"
