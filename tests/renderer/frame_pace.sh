#!/usr/bin/env bash
# The renderer's frame loop keeps its pace: renderer_loop (the renderer's own window and
# loop) at a set refresh draws no faster than the refresh, and asks Wine's WGL for the swap
# interval that the refresh gives.
#   frame_pace.sh WINE_RUN ARCH PREFIX RENDERER_LOOP
set -euo pipefail

[[ $# -eq 4 ]] || { echo "usage: frame_pace.sh WINE_RUN ARCH PREFIX RENDERER_LOOP" >&2; exit 2; }
wine_run=$1
arch=$2
prefix=$3
renderer_loop=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs renderer_loop with the arguments given; the report lands in $work/report.txt and
# Wine's WGL trace in $work/wgl.log.
run_loop() {
    local report="$work/report.txt"
    rm -f "$report"
    WINEDEBUG=trace+wgl "$wine_run" --arch "$arch" --prefix "$prefix" "$renderer_loop" "$@" \
        --report "Z:${report//\//\\}" 2>"$work/wgl.log" >/dev/null
    cat "$report"
}

report_value() {
    sed -n "s/^$1: *\([0-9.]*\).*/\1/p" "$work/report.txt"
}

expect_swap_interval() {
    local expected=$1
    local asked
    asked=$(sed -n 's/.*X11DRV_wglSwapIntervalEXT (\([0-9]*\)).*/\1/p' "$work/wgl.log" |
        sort -u | tr '\n' ' ')
    if [[ $asked != "$expected " ]]; then
        echo "FAIL: swap intervals asked: '${asked}', expected $expected"
        failures=$((failures + 1))
    fi
}

# At 20 Hz, a pace well below what the loop draws uncapped here (about 45-55 frames/s on
# software OpenGL), so a loop that does not wait runs far past it.
echo "--- refresh 20 Hz"
run_loop --refresh 20 --frames 80
rate=$(report_value 'frame rate')
if ! awk -v r="$rate" 'BEGIN { exit !(r >= 14 && r <= 21) }'; then
    echo "FAIL: $rate frames/s at a 20 Hz pace, expected 14-21"
    failures=$((failures + 1))
fi
expect_swap_interval 1

echo "--- refresh 120 Hz: vsync every second refresh"
run_loop --refresh 120 --frames 10
expect_swap_interval 2

echo "--- refresh 240 Hz: every fourth"
run_loop --refresh 240 --frames 10
expect_swap_interval 4

echo "--- uncapped: no vsync"
run_loop --uncapped --frames 10
expect_swap_interval 0

if [[ $failures -gt 0 ]]; then
    exit 1
fi
echo "the renderer keeps its pace"
