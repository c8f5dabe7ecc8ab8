#!/usr/bin/env bash
# The renderer rests while the display is off: renderer_loop (the renderer's own window and
# loop), told after 30 frames that the display went off, draws no more, uses next to no
# processor time, and a key still ends it; told that the display came back, it draws on at
# its pace with no burst of catch-up frames.
#   display_sleep.sh WINE_RUN ARCH PREFIX RENDERER_LOOP
set -euo pipefail

[[ $# -eq 4 ]] || { echo "usage: display_sleep.sh WINE_RUN ARCH PREFIX RENDERER_LOOP" >&2; exit 2; }
wine_run=$1
arch=$2
prefix=$(realpath -m "$3")
renderer_loop=$4

source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/processor_use.sh"
start_x_server Xvfb -screen 0 640x400x24 -nolisten tcp
xvfb_pid=$server_pid
export DISPLAY=$server_display

work=$(mktemp -d)
loop_pid=
finish() {
    [[ -z $loop_pid ]] || kill "$loop_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
report="$work/report.txt"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

run_loop() {
    timeout 60 "$wine_run" --arch "$arch" --prefix "$prefix" "$renderer_loop" "$@" \
        --report "Z:${report//\//\\}" >/dev/null 2>&1
}

report_value() {
    sed -n "s/^$1: *\([0-9.]*\).*/\1/p" "$report"
}

echo "--- the display off after 30 frames, at a 16 ms pace"
run_loop --period-ms 16 --display-off-after 30 &
loop_pid=$!
xdotool search --sync --name '^Nuvrel_VC$' >/dev/null
sleep 2
per_mille=$(processor_per_mille 'renderer_loop\.exe' 4)
echo "renderer with the display off: $((per_mille / 10)).$((per_mille % 10))% of a core over 4 s"
xdotool key space
status=0
wait "$loop_pid" || status=$?
loop_pid=
cat "$report"
[[ $per_mille -lt 20 ]] || fail "$((per_mille / 10))% of a core with the display off"
[[ $status -eq 0 ]] || fail "ended with $status after the key"
[[ $(report_value frames) == 30 ]] || fail "$(report_value frames) frames drawn, expected 30"

echo "--- off after 10 frames, on again after 1 s, at a 50 ms pace, until 45 frames"
status=0
run_loop --period-ms 50 --display-off-after 10 --display-on-after-ms 1000 --frames 45 ||
    status=$?
cat "$report"
[[ $status -eq 0 ]] || fail "ended with $status"
[[ $(report_value frames) == 45 ]] || fail "$(report_value frames) frames drawn, expected 45"
# 20 frames a second at most: no catching up after the time asleep.
woken=$(report_value 'frames in the first second with the display back on')
[[ -n $woken && $woken -ge 5 && $woken -le 21 ]] ||
    fail "${woken:-no} frames in the first second back on, expected 5-21"

if [[ $failures -gt 0 ]]; then
    exit 1
fi
echo "the renderer rests while the display is off and draws on when it comes back"
