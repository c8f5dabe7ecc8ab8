#!/usr/bin/env bash
# Shows the screensaver: builds what is missing and runs it under Wine as the system would,
# "Nuvrel.scr /s", which starts the renderer beside it.
#   On a display ($DISPLAY set): full screen until a key, a click or a mouse move ends it.
#   Without one: on a virtual screen for a few seconds, then saves a screenshot.
# Usage: scripts/show.sh [SCREENSHOT.png] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-build.sh
source cmake/xvfb.sh

build_windows Nuvrel NuvrelScreensaver
run_screensaver() {
    cmake/wine-run.sh --arch "$wine_arch" --prefix "$build_dir/wine-prefix" \
        "$build_dir/bin/Nuvrel.scr" /s
}

if [[ -n ${DISPLAY:-} ]]; then
    echo "Nuvrel runs full screen on $DISPLAY: press a key, click or move the mouse to end it."
    run_screensaver
    exit
fi

screenshot=$(realpath -m "${1:-nuvrel-screenshot.png}")
seconds=${2:-20}
trap stop_xvfb EXIT
XVFB_SCREEN=1280x720x24 start_xvfb
echo "No display: Nuvrel runs on a virtual 1280x720 screen for $seconds seconds."
run_screensaver &
screensaver_job=$!
sleep "$seconds"
import -window root "$screenshot"
xdotool key space
wait "$screensaver_job"
echo "Screenshot: $screenshot"
